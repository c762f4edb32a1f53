// The floor of the start-up benchmark: what any table client of this kind
// loads before it draws a single tile. The bare window (bare_window.cpp) at
// the table's size, with CJK text drawn in the table's font, a GBK encoder,
// the audio outputs listed as a client of Qt Multimedia does and the cameras
// once the window is up, and a graphics view over an empty scene filling the
// window. It connects
// to 127.0.0.1 at the port given as its argument, sends one packet of the
// game's size and stays idle until the server closes the connection.
#include "OnePacketLink.h"
#include <QApplication>
#include <QAudioDevice>
#include <QCameraDevice>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMediaDevices>
#include <QScreen>
#include <QStringEncoder>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(app.primaryScreen()->size().boundedTo(QSize(1024, 768)));
    QGraphicsScene scene(QRectF(QPointF(0, 0), window.size()));
    QGraphicsView view(&scene, &window);
    view.setGeometry(window.rect());
    QLabel text(QStringLiteral("东南西北 中发白 一萬九萬"), &window);
    text.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 12));
    text.move(20, 20);
    QStringEncoder gbk("GBK");
    const QByteArray encoded = gbk.encode(text.text());
    if (encoded.isEmpty()) return 3;
    // Listed only: neither is opened, as a client without sound files or a
    // camera would. The cameras are looked for once the window is up.
    QMediaDevices::audioOutputs();
    window.show();
    QTimer::singleShot(0, &window, [] { QMediaDevices::videoInputs(); });
    return SendOnePacketAndIdle(app);
}
