#include "table/pictures/PortraitPictures.h"
#include "table/pictures/PictureKit.h"
#include <QPainterPath>
#include <array>
#include <cmath>

namespace {
constexpr int Width = PortraitSize.width(), Height = PortraitSize.height();

const std::array<QColor, 10> Backgrounds{{{90, 140, 200}, {120, 180, 120}, {200, 160, 90}, {160, 110, 190}, {80, 170, 170},
                                          {210, 120, 120}, {140, 140, 150}, {100, 110, 190}, {190, 190, 100}, {150, 100, 80}}};
const std::array<QColor, 5> Hair{{{30, 25, 20}, {90, 55, 25}, {150, 100, 40}, {60, 60, 70}, {120, 40, 30}}};
const std::array<QColor, 3> Skin{{{250, 215, 180}, {235, 190, 150}, {200, 150, 110}}};
const std::array<QColor, 10> Clothes{{{40, 60, 140}, {170, 40, 40}, {40, 120, 60}, {230, 230, 230}, {60, 60, 60},
                                      {200, 140, 30}, {110, 50, 130}, {30, 130, 150}, {220, 100, 150}, {120, 90, 60}}};

const QPointF HeadCentre(42.5, 40);
constexpr double HeadRx = 17, HeadRy = 21;

void PaintBody(QPainter& painter, const QColor& clothes, const QColor& skin) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(skin.darker(110));
    painter.drawRect(QRectF(36, 56, 13, 12));  // neck
    QPainterPath body;
    body.moveTo(6, Height);
    body.cubicTo(8, 70, 25, 64, 42.5, 64);
    body.cubicTo(60, 64, 77, 70, 79, Height);
    body.closeSubpath();
    painter.setBrush(clothes);
    painter.drawPath(body);
}

void PaintFace(QPainter& painter, const QColor& skin, bool woman) {
    painter.setPen(QPen(skin.darker(130), 1));
    painter.setBrush(skin);
    painter.drawEllipse(HeadCentre, HeadRx, HeadRy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 30, 30));
    for (int side : {-1, 1}) painter.drawEllipse(QPointF(HeadCentre.x() + side * 7, 41), 2, woman ? 2.6 : 2.1);
    if (woman) {
        painter.setBrush(QColor(255, 140, 150, 120));  // blush
        for (int side : {-1, 1}) painter.drawEllipse(QPointF(HeadCentre.x() + side * 10, 49), 3.5, 2);
    }
    painter.setPen(QPen(woman ? QColor(210, 40, 60) : QColor(140, 70, 60), woman ? 2 : 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(36.5, 48, 12, 7), 200 * 16, 140 * 16);
}

void PaintShortHair(QPainter& painter, const QColor& hair, int style) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(hair);
    QPainterPath cap;
    cap.moveTo(HeadCentre.x() - HeadRx - 1, 40);
    cap.cubicTo(HeadCentre.x() - HeadRx - 2, 10, HeadCentre.x() + HeadRx + 2, 10, HeadCentre.x() + HeadRx + 1, 40);
    // the fringe: flat, parted to one side, or spiky
    if (style == 0) {
        cap.lineTo(HeadCentre.x() + HeadRx - 2, 30);
        cap.lineTo(HeadCentre.x() - HeadRx + 2, 30);
    } else if (style == 1) {
        cap.lineTo(HeadCentre.x() + HeadRx - 3, 28);
        cap.quadTo(HeadCentre.x(), 22, HeadCentre.x() - HeadRx + 4, 34);
    } else {
        for (int i = 0; i <= 6; ++i) cap.lineTo(HeadCentre.x() + HeadRx - i * (2 * HeadRx / 6), i % 2 ? 24 : 31);
    }
    cap.closeSubpath();
    painter.drawPath(cap);
    if (style == 2) {  // spikes over the crown
        for (int i = 0; i < 5; ++i) {
            const double x = HeadCentre.x() - 14 + i * 7;
            painter.drawPolygon(QPolygonF({QPointF(x - 5, 22), QPointF(x + 1, 12), QPointF(x + 5, 22)}));
        }
    }
}

void PaintLongHairBehind(QPainter& painter, const QColor& hair, int style) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(hair);
    const double length = style == 0 ? 78 : style == 1 ? 70 : 84;
    painter.drawRoundedRect(QRectF(HeadCentre.x() - HeadRx - 6, 18, 2 * HeadRx + 12, length - 18), 14, 14);
}

void PaintLongHairFront(QPainter& painter, const QColor& hair, const QColor& flower) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(hair);
    QPainterPath fringe;
    fringe.moveTo(HeadCentre.x() - HeadRx - 1, 44);
    fringe.cubicTo(HeadCentre.x() - HeadRx - 3, 12, HeadCentre.x() + HeadRx + 3, 12, HeadCentre.x() + HeadRx + 1, 44);
    fringe.quadTo(HeadCentre.x() + 8, 24, HeadCentre.x() - 4, 32);
    fringe.quadTo(HeadCentre.x() - 12, 28, HeadCentre.x() - HeadRx - 1, 44);
    painter.drawPath(fringe);
    // a flower in the hair
    const QPointF centre(HeadCentre.x() + 13, 22);
    painter.setBrush(flower);
    for (int i = 0; i < 5; ++i) {
        const double angle = i * 2 * M_PI / 5;
        painter.drawEllipse(centre + QPointF(3.5 * std::cos(angle), 3.5 * std::sin(angle)), 3, 3);
    }
    painter.setBrush(QColor(255, 230, 90));
    painter.drawEllipse(centre, 2, 2);
}

void PaintGlasses(QPainter& painter) {
    painter.setPen(QPen(QColor(30, 30, 30), 1.3));
    painter.setBrush(QColor(200, 230, 255, 70));
    for (int side : {-1, 1}) painter.drawRoundedRect(QRectF(HeadCentre.x() + side * 7 - 5, 37, 10, 8), 2, 2);
    painter.drawLine(QPointF(HeadCentre.x() - 2, 40), QPointF(HeadCentre.x() + 2, 40));
}
}  // namespace

QImage DrawPortrait(int index) {
    if (index < 0 || index >= 20) return {};
    const bool woman = index >= 10;
    const int n = index % 10;
    QImage canvas = NewCanvas(Width, Height);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF frame(0, 0, Width, Height);
    const QColor background = Backgrounds[(n * 3 + (woman ? 5 : 0)) % 10];
    painter.fillRect(frame, VerticalGradient(frame, background.lighter(130), background.darker(120)));
    const QColor hair = Hair[(n + (woman ? 2 : 0)) % Hair.size()];
    const QColor skin = Skin[n % Skin.size()];
    if (woman) PaintLongHairBehind(painter, hair, n % 3);
    PaintBody(painter, Clothes[(n * 7 + (woman ? 8 : 0)) % 10], skin);
    PaintFace(painter, skin, woman);
    if (woman) {
        PaintLongHairFront(painter, hair, n % 2 ? QColor(230, 60, 120) : QColor(250, 120, 60));
    } else {
        PaintShortHair(painter, hair, n % 3);
        if (n % 4 == 1) PaintGlasses(painter);
    }
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    return canvas;
}
