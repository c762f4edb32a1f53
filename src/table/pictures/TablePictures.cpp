#include "table/pictures/TablePictures.h"
#include "table/pictures/PictureKit.h"

QImage DrawTableSurface(QSize size) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter;
    BeginPainting(painter, canvas);
    painter.scale(size.width() / 1024.0, size.height() / 768.0);
    const QRectF table(0, 0, 1024, 768);
    QRadialGradient baize(QPointF(512, 400), 640);
    baize.setColorAt(0, QColor(38, 128, 78));
    baize.setColorAt(0.6, QColor(24, 100, 60));
    baize.setColorAt(1, QColor(10, 60, 36));
    painter.fillRect(table, baize);
    // a faint woven diamond pattern in the cloth
    painter.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -768; x < 1024; x += 24) {
        painter.drawLine(QPointF(x, 0), QPointF(x + 768, 768));
        painter.drawLine(QPointF(x + 768, 0), QPointF(x, 768));
    }
    // the playing field where the walls stand
    painter.setPen(QPen(QColor(200, 180, 110, 70), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(120, 110, 784, 520), 24, 24);
    return canvas;
}
