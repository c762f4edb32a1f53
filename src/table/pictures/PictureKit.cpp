#include "table/pictures/PictureKit.h"
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

QImage NewCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage NewCanvas(QSize size) { return NewCanvas(size.width(), size.height()); }

void BeginPainting(QPainter& painter, QImage& canvas) {
    painter.begin(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

QFont PictureFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(pixelSize)));
    font.setBold(bold);
    return font;
}

namespace {
// The largest font of at most the box's height whose text fits the box's width.
QFont FittedFont(const QRectF& box, const QString& text, bool bold) {
    QFont font = PictureFont(box.height(), bold);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width()) font.setPixelSize(std::max(1, int(box.height() * box.width() / width)));
    return font;
}
}  // namespace

void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, const QColor& color, bool bold) {
    painter.save();
    painter.setFont(FittedFont(box, text, bold));
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void DrawOutlinedText(QPainter& painter, const QRectF& box, const QString& text, const QColor& fill,
                      const QColor& outline, double outlineWidth) {
    const QFont font = FittedFont(box.adjusted(outlineWidth, outlineWidth, -outlineWidth, -outlineWidth), text, true);
    const QFontMetricsF metrics(font);
    const double x = box.center().x() - metrics.horizontalAdvance(text) / 2;
    const double y = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    QPainterPath path;
    path.addText(QPointF(x, y), font, text);
    painter.save();
    painter.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

QLinearGradient VerticalGradient(const QRectF& box, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}
