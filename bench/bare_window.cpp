// The yardstick of the start-up benchmark: the least a Qt 6 window program
// does that shows itself and talks to a server. It shows an empty window,
// connects to 127.0.0.1 at the port given as its argument, sends one packet
// of the game's size and stays idle until the server closes the connection.
#include <QApplication>
#include <QTcpSocket>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) return 2;
    QWidget window;
    window.resize(800, 600);
    window.show();
    QTcpSocket socket;
    QObject::connect(&socket, &QTcpSocket::connected, [&socket] { socket.write(QByteArray(272, '\0')); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &app, &QApplication::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &app, [] { QApplication::exit(1); });
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(arguments[1].toUInt()));
    return app.exec();
}
