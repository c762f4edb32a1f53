#include "table/pictures/BubblePictures.h"
#include "table/pictures/PictureKit.h"
#include <QPainterPath>

QImage DrawSpeechBubble(QSize size, BubbleTail tail, const QString& text) {
    const double w = size.width(), h = size.height(), t = std::min(w, h) * 0.16;
    QImage canvas = NewCanvas(size.width(), size.height());
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF body = tail == BubbleTail::Left    ? QRectF(t, 1, w - t - 1, h - 2)
                        : tail == BubbleTail::Right ? QRectF(1, 1, w - t - 1, h - 2)
                                                    : QRectF(1, t, w - 2, h - t - 1);
    QPainterPath shape;
    shape.addEllipse(body);
    QPainterPath spike;
    const QPointF c = body.center();
    if (tail == BubbleTail::Left)
        spike.addPolygon(QPolygonF({QPointF(0.5, c.y() - h * 0.2), QPointF(t + w * 0.1, c.y() - h * 0.12), QPointF(t + w * 0.05, c.y() + h * 0.02)}));
    else if (tail == BubbleTail::Right)
        spike.addPolygon(QPolygonF({QPointF(w - 0.5, c.y() - h * 0.2), QPointF(w - t - w * 0.1, c.y() - h * 0.12), QPointF(w - t - w * 0.05, c.y() + h * 0.02)}));
    else
        spike.addPolygon(QPolygonF({QPointF(c.x() - w * 0.18, 0.5), QPointF(c.x() - w * 0.1, t + h * 0.08), QPointF(c.x() + w * 0.04, t + h * 0.05)}));
    shape = shape.united(spike);
    painter.setPen(QPen(QColor(90, 90, 90), 1.5));
    painter.setBrush(QColor(255, 255, 250));
    painter.drawPath(shape.simplified());
    if (!text.isEmpty()) {
        const QRectF textBox(body.center().x() - body.width() * 0.32, body.center().y() - body.height() * 0.22,
                             body.width() * 0.64, body.height() * 0.44);
        DrawFittedText(painter, textBox, text, QColor(200, 20, 20), true);
    }
    return canvas;
}

namespace {
QImage DrawSeatBubble(int entry, const QString& text) {
    static const BubbleTail tails[3] = {BubbleTail::Left, BubbleTail::Up, BubbleTail::Right};
    if (entry < 0 || entry >= 3) return {};
    return DrawSpeechBubble(SeatBubbleSize, tails[entry], text);
}
}  // namespace

QImage DrawHoldBubble(int entry) { return DrawSeatBubble(entry, QStringLiteral("扣牌")); }

QImage DrawFollowBubble(int entry) { return DrawSeatBubble(entry, QStringLiteral("跟庄")); }
