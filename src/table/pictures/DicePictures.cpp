#include "table/pictures/DicePictures.h"
#include "table/pictures/PictureKit.h"
#include <vector>

namespace {
std::vector<QPointF> PipPlaces(int pips) {
    const double a = 0.25, m = 0.5, b = 0.75;
    switch (pips) {
    case 1: return {{m, m}};
    case 2: return {{a, a}, {b, b}};
    case 3: return {{a, a}, {m, m}, {b, b}};
    case 4: return {{a, a}, {b, a}, {a, b}, {b, b}};
    case 5: return {{a, a}, {b, a}, {m, m}, {a, b}, {b, b}};
    default: return {{a, a}, {b, a}, {a, m}, {b, m}, {a, b}, {b, b}};
    }
}

// A die filling a square centred on the painter's origin.
void PaintDie(QPainter& painter, double side, int pips) {
    const QRectF box(-side / 2, -side / 2, side, side);
    painter.setPen(QPen(QColor(120, 110, 100), std::max(0.8, side / 25)));
    painter.setBrush(VerticalGradient(box, Qt::white, QColor(215, 210, 200)));
    painter.drawRoundedRect(box, side * 0.2, side * 0.2);
    painter.setPen(Qt::NoPen);
    // one and four carry red pips, as on Chinese dice
    painter.setBrush(pips == 1 || pips == 4 ? QColor(210, 20, 30) : QColor(25, 25, 25));
    const double radius = side * (pips == 1 ? 0.16 : 0.09);
    for (const QPointF& place : PipPlaces(pips))
        painter.drawEllipse(QPointF(box.left() + place.x() * side, box.top() + place.y() * side), radius, radius);
}
}  // namespace

QImage DrawDie(QSize size, int pips) {
    QImage canvas = NewCanvas(size.width(), size.height());
    QPainter painter;
    BeginPainting(painter, canvas);
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    PaintDie(painter, std::min(size.width(), size.height()) - 1, pips);
    return canvas;
}

QImage DrawDicePicture(int entry) {
    if (entry < 0 || entry >= 16) return {};
    if (entry < 6) return DrawDie(DicePictureSize, entry + 1);
    // A tumbling frame: the die turned and shrunk a little, with a motion blur of a twin behind it.
    const int frame = entry - 6;
    QImage canvas = NewCanvas(DicePictureSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    painter.translate(10, 10);
    painter.save();
    painter.setOpacity(0.35);
    painter.rotate(frame * 37 + 20);
    PaintDie(painter, 13, (frame + 3) % 6 + 1);
    painter.restore();
    painter.rotate(frame * 37);
    PaintDie(painter, 13, frame % 6 + 1);
    return canvas;
}
