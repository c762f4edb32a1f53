// The yardstick of the start-up benchmark: the least a Qt 6 window program
// does that shows itself and talks to a server. It shows an empty window,
// connects to 127.0.0.1 at the port given as its argument, sends one packet
// of the game's size and stays idle until the server closes the connection.
#include "OnePacketLink.h"
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(800, 600);
    window.show();
    return SendOnePacketAndIdle(app);
}
