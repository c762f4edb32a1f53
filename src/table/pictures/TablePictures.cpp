#include "table/pictures/TablePictures.h"
#include "table/pictures/PictureKit.h"
#include <functional>

namespace {
constexpr QSizeF Design(1024, 768);
// The weave of the cloth repeats every 24 design pixels; a tile holds four repeats.
constexpr double WeaveStep = 24, WeaveTileSide = 4 * WeaveStep;
// Qt's raster engine hands a fill of more than about a hundred spans to its
// pool threads, which cost far more than they save on a picture drawn once;
// painted a few rows at a time, no fill here comes near that.
constexpr int BandRows = 8;

// Paints onto the canvas a band of rows at a time, each band through its own
// device so that nothing outside it is even rasterised.
void PaintInBands(QImage& canvas, const std::function<void(QPainter&, const QRect& band)>& paint) {
    for (int top = 0; top < canvas.height(); top += BandRows) {
        const QRect band(0, top, canvas.width(), std::min(BandRows, canvas.height() - top));
        QImage rows(canvas.scanLine(top), band.width(), band.height(), canvas.bytesPerLine(), canvas.format());
        QPainter painter;
        BeginPainting(painter, rows);
        painter.translate(0, -top);
        paint(painter, band);
    }
}

// A faint woven diamond pattern: four repeats of it, to be laid edge to edge.
QImage WeaveTile(QSize side) {
    QImage tile = NewCanvas(side);
    PaintInBands(tile, [&](QPainter& painter, const QRect&) {
        painter.scale(side.width() / WeaveTileSide, side.height() / WeaveTileSide);
        painter.setPen(QPen(QColor(255, 255, 255, 10), 1));
        // Every diagonal that touches the tile, drawn on beyond its edges.
        for (double c = -WeaveTileSide; c <= 2 * WeaveTileSide; c += WeaveStep) {
            painter.drawLine(QPointF(c - WeaveTileSide, -WeaveTileSide), QPointF(c + 2 * WeaveTileSide, 2 * WeaveTileSide));
            painter.drawLine(QPointF(c + WeaveTileSide, -WeaveTileSide), QPointF(c - 2 * WeaveTileSide, 2 * WeaveTileSide));
        }
    });
    return tile;
}
}  // namespace

void PaintTableSurface(QPainter& target, QSize size, const QRect& shown) {
    const QRect area = shown & QRect(QPoint(0, 0), size);
    if (area.isEmpty()) return;
    const double sx = size.width() / Design.width(), sy = size.height() / Design.height();
    QRadialGradient baizeGradient(QPointF(512, 400), 640);
    baizeGradient.setColorAt(0, QColor(38, 128, 78));
    baizeGradient.setColorAt(0.6, QColor(24, 100, 60));
    baizeGradient.setColorAt(1, QColor(10, 60, 36));
    QBrush baize(baizeGradient);
    baize.setTransform(QTransform::fromScale(sx, sy));
    const QSize tileSize(qRound(WeaveTileSide * sx), qRound(WeaveTileSide * sy));
    const QImage weave = WeaveTile(tileSize);

    // The shown part, a few rows at a time through a band of its width.
    QImage rows(area.width(), BandRows, QImage::Format_RGB32);
    for (int top = area.top(); top <= area.bottom(); top += BandRows) {
        const QRect band(area.left(), top, area.width(), std::min(BandRows, area.bottom() + 1 - top));
        QPainter painter;
        BeginPainting(painter, rows);
        painter.translate(-band.left(), -band.top());
        painter.fillRect(band, baize);
        for (int y = band.top() / tileSize.height() * tileSize.height(); y <= band.bottom(); y += tileSize.height())
            for (int x = band.left() / tileSize.width() * tileSize.width(); x <= band.right(); x += tileSize.width())
                painter.drawImage(x, y, weave);
        // the playing field where the walls stand
        painter.scale(sx, sy);
        painter.setPen(QPen(QColor(200, 180, 110, 70), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(120, 110, 784, 520), 24, 24);
        painter.end();
        target.drawImage(band.topLeft(), rows, QRect(QPoint(0, 0), band.size()));
    }
}
