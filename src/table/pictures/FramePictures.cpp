#include "table/pictures/FramePictures.h"
#include "table/pictures/PictureCache.h"
#include "table/pictures/PictureKit.h"

namespace {
const QColor Gold(215, 170, 80);
const QColor Wood(70, 35, 22);
const QColor BandTop(160, 35, 28);
const QColor BandBottom(95, 18, 12);

enum Key { Skin, Icon, Buttons };

// Every stretched part is uniform along its stretch, so the frame looks the
// same at any window size: the bands vary only downwards, the borders only across.
QImage DrawSkin() {
    QImage canvas(SkinSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Wood);
    QPainter painter(&canvas);
    const int w = SkinSize.width(), h = SkinSize.height();
    painter.fillRect(QRect(0, 0, w, 20), VerticalGradient(QRectF(0, 0, w, 20), BandTop, BandBottom));
    painter.fillRect(QRect(0, 212, w, 8), VerticalGradient(QRectF(0, 212, w, 8), BandBottom, Wood.darker(130)));
    for (const int left : {0, 38}) {
        QLinearGradient across(QPointF(left, 0), QPointF(left + 8, 0));
        across.setColorAt(0, Wood.lighter(150));
        across.setColorAt(1, Wood.darker(140));
        painter.fillRect(QRect(left, 20, 8, 192), across);
    }
    painter.setPen(Gold);
    painter.drawRect(0, 0, w - 1, h - 1);
    // the inner rim along the table's edges
    painter.setPen(Gold.darker(130));
    painter.drawRect(7, 19, w - 15, h - 27);
    return canvas;
}

QImage DrawCaptionButton(CaptionButton button, CaptionLook look) {
    QImage canvas = NewCanvas(CaptionButtonSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    QColor face = button == CaptionButton::Close ? QColor(200, 45, 32) : QColor(175, 125, 45);
    if (look == CaptionLook::Hover) face = face.lighter(135);
    if (look == CaptionLook::Pressed) face = face.darker(140);
    const QRectF box(0.5, 0.5, CaptionButtonSize.width() - 1, CaptionButtonSize.height() - 1);
    painter.setPen(QPen(Gold, 1));
    painter.setBrush(VerticalGradient(box, face.lighter(120), face.darker(120)));
    painter.drawRoundedRect(box, 3, 3);
    // A pressed button's mark sinks by a pixel.
    const double sink = look == CaptionLook::Pressed ? 1 : 0;
    const QRectF mark = box.adjusted(4 + sink, 4 + sink, -4 + sink, -4 + sink);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    if (button == CaptionButton::Close) {
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    } else {
        painter.drawLine(mark.bottomLeft(), mark.bottomRight());
    }
    return canvas;
}

QImage DrawWindowIcon() {
    QImage canvas = NewCanvas(WindowIconSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 120, 60));
    painter.drawRoundedRect(QRectF(5, 3, 24, 28), 4, 4);
    painter.setPen(QPen(QColor(150, 130, 100), 1));
    painter.setBrush(QColor(250, 245, 225));
    painter.drawRoundedRect(QRectF(3.5, 1.5, 23, 27), 4, 4);
    DrawFittedText(painter, QRectF(5, 4, 20, 22), QStringLiteral("中"), QColor(200, 20, 20), true);
    return canvas;
}
}  // namespace

QPixmap SkinPicture() { return CachedPicture(PictureKind::Frame, Skin, DrawSkin); }

void PaintFramePieces(QPainter& painter, QSize window) {
    // One piece of the frame picture and where it goes in a window w x h.
    struct FramePiece {
        QRect source;
        QRect (*place)(int w, int h);
    };
    static const FramePiece pieces[] = {
        {{0, 0, 8, 20}, [](int, int) { return QRect(0, 0, 8, 20); }},
        {{8, 0, 8, 20}, [](int w, int) { return QRect(8, 0, w - 16, 20); }},
        {{38, 0, 8, 20}, [](int w, int) { return QRect(w - 8, 0, 8, 20); }},
        {{0, 20, 8, 192}, [](int, int h) { return QRect(0, 20, 8, h - 28); }},
        {{38, 20, 8, 192}, [](int w, int h) { return QRect(w - 8, 20, 8, h - 28); }},
        {{0, 212, 8, 8}, [](int, int h) { return QRect(0, h - 8, 8, 8); }},
        {{8, 212, 8, 8}, [](int w, int h) { return QRect(8, h - 8, w - 16, 8); }},
        {{38, 212, 8, 8}, [](int w, int h) { return QRect(w - 8, h - 8, 8, 8); }},
    };
    const QPixmap skin = SkinPicture();
    for (const FramePiece& piece : pieces)
        painter.drawPixmap(piece.place(window.width(), window.height()), skin, piece.source);
}

QPixmap CaptionButtonPicture(CaptionButton button, CaptionLook look) {
    const int key = Buttons + 3 * int(button) + int(look);
    return CachedPicture(PictureKind::Frame, key, [=] { return DrawCaptionButton(button, look); });
}

QPixmap WindowIconPicture() { return CachedPicture(PictureKind::Frame, Icon, DrawWindowIcon); }
