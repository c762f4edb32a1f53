#include "table/pictures/VideoPictures.h"
#include "table/pictures/PictureKit.h"
#include <array>

namespace {
enum class Glyph { Webcam, Magnifier, Camera, Music, AddFriend, Monitor };

void PaintGlyph(QPainter& painter, Glyph glyph, const QColor& ink) {
    painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::Webcam:
        painter.drawEllipse(QPointF(8, 6), 4.5, 4.5);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(8, 6), 1.5, 1.5);
        painter.drawLine(QPointF(8, 10.5), QPointF(8, 12.5));
        painter.drawLine(QPointF(4.5, 12.5), QPointF(11.5, 12.5));
        break;
    case Glyph::Magnifier:
        painter.drawEllipse(QPointF(6.5, 5.5), 4, 4);
        painter.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(9.5, 8.5), QPointF(13.5, 12.5));
        break;
    case Glyph::Camera:
        painter.drawRoundedRect(QRectF(2, 4, 12, 8.5), 1.5, 1.5);
        painter.drawRect(QRectF(5.5, 2, 4, 2));
        painter.drawEllipse(QPointF(8, 8.2), 2.5, 2.5);
        break;
    case Glyph::Music:
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(4.5, 11), 2, 1.6);
        painter.drawEllipse(QPointF(11.5, 10), 2, 1.6);
        painter.drawLine(QPointF(6.4, 11), QPointF(6.4, 3));
        painter.drawLine(QPointF(13.4, 10), QPointF(13.4, 2));
        painter.setPen(QPen(ink, 2));
        painter.drawLine(QPointF(6.4, 3), QPointF(13.4, 2));
        break;
    case Glyph::AddFriend:
        for (double x : {4.5, 9.0}) {
            painter.drawEllipse(QPointF(x, 4.5), 2, 2);
            painter.drawArc(QRectF(x - 3.5, 8, 7, 8), 0, 180 * 16);
        }
        painter.drawLine(QPointF(13.5, 2), QPointF(13.5, 7));
        painter.drawLine(QPointF(11, 4.5), QPointF(16, 4.5));
        break;
    case Glyph::Monitor:
        painter.drawRect(QRectF(2, 1.5, 12, 8.5));
        painter.drawLine(QPointF(8, 10), QPointF(8, 12.5));
        painter.drawLine(QPointF(4.5, 12.5), QPointF(11.5, 12.5));
        break;
    }
}

QImage DrawIcon(Glyph glyph, bool highlighted) {
    QImage canvas = NewCanvas(VideoIconSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(QPointF(0, 0), VideoIconSize);
    painter.setPen(Qt::NoPen);
    painter.setBrush(highlighted ? QColor(120, 80, 10, 200) : QColor(30, 40, 50, 160));
    painter.drawRoundedRect(box, 3, 3);
    PaintGlyph(painter, glyph, highlighted ? QColor(255, 220, 60) : QColor(225, 230, 235));
    return canvas;
}

// A dark panel with a lighter bevelled rim.
QImage DrawPanel(QSize size, const QColor& rim, const QColor& inside, double border) {
    QImage canvas = NewCanvas(size.width(), size.height());
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(0, 0, size.width(), size.height());
    painter.fillRect(box, VerticalGradient(box, rim.lighter(140), rim.darker(130)));
    const QRectF inner = box.adjusted(border, border, -border, -border);
    painter.fillRect(inner, VerticalGradient(inner, inside.lighter(120), inside.darker(120)));
    painter.setPen(QPen(rim.darker(170), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    return canvas;
}
}  // namespace

QImage DrawVideoIcon(int entry) {
    static const std::array<Glyph, 12> glyphs{Glyph::Webcam,    Glyph::Magnifier, Glyph::Camera, Glyph::Music,
                                              Glyph::Webcam,    Glyph::Magnifier, Glyph::Camera, Glyph::Music,
                                              Glyph::AddFriend, Glyph::AddFriend, Glyph::Monitor, Glyph::Monitor};
    if (entry < 0 || entry >= int(glyphs.size())) return {};
    const bool highlighted = entry < 8 ? entry >= 4 : entry % 2 == 1;
    return DrawIcon(glyphs[entry], highlighted);
}

QSize VideoBackgroundSize(int entry) {
    static const std::array<QSize, 6> sizes{{{175, 138}, {276, 215}, {434, 341}, {137, 108}, {216, 168}, {339, 266}}};
    return entry < 0 || entry >= int(sizes.size()) ? QSize() : sizes[entry];
}

QImage DrawVideoBackground(int entry) {
    const QSize size = VideoBackgroundSize(entry);
    if (size.isEmpty()) return {};
    return DrawPanel(size, QColor(140, 95, 50), QColor(25, 30, 35), std::max(4.0, size.width() * 0.035));
}

QImage DrawVideoWindowButton(int kind) {
    if (kind < 0 || kind > 2) return {};
    QImage canvas = NewCanvas(VideoWindowButtonSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF tile(0.5, 0.5, VideoWindowButtonSize.width() - 1, VideoWindowButtonSize.height() - 1);
    painter.setPen(QPen(QColor(90, 55, 25), 1));
    painter.setBrush(VerticalGradient(tile, QColor(200, 150, 95), QColor(150, 100, 55)));
    painter.drawRoundedRect(tile, 2, 2);
    const QColor ink(45, 28, 15);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    switch (kind) {
    case 0:
        painter.drawLine(QPointF(5, 4.5), QPointF(12, 11.5));
        painter.drawLine(QPointF(12, 4.5), QPointF(5, 11.5));
        break;
    case 1:
        painter.drawRect(QRectF(6.5, 3.5, 7, 6));
        painter.setBrush(QColor(175, 125, 75));
        painter.drawRect(QRectF(3.5, 6.5, 7, 6));
        break;
    default: painter.fillRect(QRectF(4, 10, 9, 2.5), ink); break;
    }
    return canvas;
}

QImage DrawVideoFrame() { return DrawPanel(VideoFrameSize, QColor(150, 110, 60), QColor(20, 50, 40), 4); }

QImage DrawOpenVideoIcon() { return DrawIcon(Glyph::Webcam, true); }

QImage DrawVideoCommandBar(QSize size) { return DrawPanel(size, QColor(60, 70, 80), QColor(35, 40, 48), 1); }
