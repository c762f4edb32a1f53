#include "table/pictures/DialogPictures.h"
#include "table/pictures/PictureKit.h"
#include <QStringList>

namespace {
const QColor Rim(235, 195, 90);
const QColor PanelTop(110, 45, 25);
const QColor PanelBottom(45, 15, 10);

// A dark red panel with a double gold rim and a title band along its top.
// It fills the whole window: the window itself has square corners.
QImage Panel(QSize size, const QString& title) {
    QImage canvas = NewCanvas(size);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF outer(1, 1, size.width() - 2, size.height() - 2);
    painter.fillRect(QRectF(QPointF(0, 0), size), VerticalGradient(outer, PanelTop, PanelBottom));
    painter.setPen(QPen(Rim, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(outer);
    painter.setPen(QPen(Rim.darker(150), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outer.adjusted(4, 4, -4, -4), 6, 6);
    const QRectF band(size.width() * 0.3, 6, size.width() * 0.4, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(band, QColor(200, 60, 30), QColor(120, 20, 10)));
    painter.drawRoundedRect(band, 7, 7);
    DrawOutlinedText(painter, band.adjusted(4, 2, -4, -2), title, QColor(255, 225, 90), QColor(60, 0, 0), 1);
    return canvas;
}
}  // namespace

QImage DrawSoundSettingsBackground() {
    QImage canvas = Panel(SoundSettingsSize, QStringLiteral("音效设置"));
    QPainter painter;
    BeginPainting(painter, canvas);
    // a sunken row behind each option's caption and button
    painter.setPen(QPen(Rim.darker(170), 1));
    painter.setBrush(QColor(0, 0, 0, 70));
    for (int top : {40, 96, 152, 208}) painter.drawRoundedRect(QRectF(10, top - 4, 200, 43), 6, 6);
    return canvas;
}

QImage DrawSoundOptionCaption(int option) {
    static const QStringList captions{QStringLiteral("背景音乐"), QStringLiteral("系统音效"),
                                      QStringLiteral("功能音效"), QStringLiteral("方言选择")};
    if (option < 0 || option >= captions.size()) return {};
    QImage canvas = NewCanvas(SoundOptionCaptionSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    // a small speaker before the words
    const QColor speaker(255, 225, 120);
    painter.setPen(Qt::NoPen);
    painter.setBrush(speaker);
    painter.drawRect(QRectF(3, 14, 5, 8));
    painter.drawPolygon(QPolygonF({QPointF(8, 14), QPointF(14, 9), QPointF(14, 27), QPointF(8, 22)}));
    painter.setPen(QPen(speaker, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(12, 12, 8, 12), -50 * 16, 100 * 16);
    DrawOutlinedText(painter, QRectF(22, 8, 67, 20), captions[option], QColor(255, 255, 192), QColor(50, 10, 0), 1);
    return canvas;
}

QImage DrawExitDialogBackground() { return Panel(ExitDialogSize, QStringLiteral("退出")); }
