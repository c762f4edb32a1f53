#pragma once
#include <QApplication>
#include <QTcpSocket>

// What a yardstick window program does once its window is set up: connects
// to 127.0.0.1 at the port given as its one argument, sends one packet of the
// game's size and runs until the server closes the connection.
inline int SendOnePacketAndIdle(QApplication& app) {
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) return 2;
    QTcpSocket socket;
    QObject::connect(&socket, &QTcpSocket::connected, [&socket] { socket.write(QByteArray(272, '\0')); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &app, &QApplication::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &app, [] { QApplication::exit(1); });
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(arguments[1].toUInt()));
    return app.exec();
}
