#include "table/pictures/CompassPictures.h"
#include "table/pictures/PictureKit.h"
#include <QPainterPath>
#include <cmath>

namespace {
constexpr int Side = CompassSize.width();

void PaintDial(QPainter& painter) {
    const QPointF centre(Side / 2.0, Side / 2.0);
    QRadialGradient rim(centre, Side / 2.0);
    rim.setColorAt(0.85, QColor(150, 95, 40));
    rim.setColorAt(1, QColor(80, 45, 15));
    painter.setPen(QPen(QColor(60, 35, 10), 1));
    painter.setBrush(rim);
    painter.drawEllipse(centre, Side / 2.0 - 0.5, Side / 2.0 - 0.5);
    QRadialGradient disc(centre, Side * 0.4);
    disc.setColorAt(0, QColor(40, 120, 90));
    disc.setColorAt(1, QColor(15, 60, 45));
    painter.setBrush(disc);
    painter.drawEllipse(centre, Side * 0.4, Side * 0.4);
    // a four-pointed star in the middle
    QPainterPath star;
    const double outer = Side * 0.18, inner = Side * 0.05;
    for (int i = 0; i < 8; ++i) {
        const double radius = i % 2 ? inner : outer;
        const QPointF point = centre + QPointF(radius * std::sin(i * M_PI / 4), -radius * std::cos(i * M_PI / 4));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 200, 110));
    painter.drawPath(star);
}
}  // namespace

QImage DrawCompassDial() {
    QImage canvas = NewCanvas(Side, Side);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintDial(painter);
    return canvas;
}

// A wind stands on the side where the table shows its seat: the local seat
// of index w is (k - w) mod 4, and local seats 0 to 3 are the bottom, the
// left, the top and the right.
QPointF CompassWindCentre(int bottomWind, int wind) {
    const double c = Side / 2.0, reach = Side * 0.27;
    const QPointF sides[4] = {{c, c + reach}, {c - reach, c}, {c, c - reach}, {c + reach, c}};
    return sides[((bottomWind - wind) % 4 + 4) % 4];
}

QImage DrawCompass(int bottomWind) {
    if (bottomWind < 0 || bottomWind > 3) return {};
    static const QString suitIndexOrder = QStringLiteral("北西南東");
    QImage canvas = DrawCompassDial();
    QPainter painter;
    BeginPainting(painter, canvas);
    const double box = Side * 0.26;
    for (int wind = 0; wind < 4; ++wind) {
        const QPointF centre = CompassWindCentre(bottomWind, wind);
        const QRectF cell(centre.x() - box / 2, centre.y() - box / 2, box, box);
        const bool own = wind == bottomWind;
        DrawOutlinedText(painter, cell, suitIndexOrder.mid(wind, 1), own ? QColor(255, 60, 40) : QColor(235, 235, 220),
                         own ? QColor(255, 240, 150) : QColor(10, 40, 30), 1.2);
    }
    return canvas;
}
