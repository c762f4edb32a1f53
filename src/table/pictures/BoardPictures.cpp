#include "table/pictures/BoardPictures.h"
#include "table/pictures/PictureKit.h"
#include <QPainterPath>

namespace {
const QColor Wood(150, 95, 45);
const QColor Gold(235, 195, 90);

// A rounded wooden board with a gold rim.
void PaintBoard(QPainter& painter, const QRectF& box, const QColor& wood, double round) {
    painter.setPen(QPen(Gold, 1.5));
    painter.setBrush(VerticalGradient(box, wood.lighter(130), wood.darker(140)));
    painter.drawRoundedRect(box, round, round);
}
}  // namespace

QImage DrawHandInfoBoard() {
    QImage canvas = NewCanvas(HandInfoBoardSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(1, 1, 98, 103), Wood, 10);
    DrawOutlinedText(painter, QRectF(8, 8, 84, 22), QStringLiteral("财神"), QColor(255, 225, 90), QColor(90, 30, 0), 1.2);
    // the well where the wild tile's face lies (20, 59, 36 × 56 from the corner)
    painter.setPen(QPen(QColor(60, 35, 10), 1));
    painter.setBrush(QColor(50, 30, 10, 150));
    painter.drawRoundedRect(QRectF(17, 36, 42, 64), 4, 4);
    return canvas;
}

QImage DrawDealerPlate() {
    QImage canvas = NewCanvas(DealerPlateSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(0.5, 0.5, 70, 24), QColor(170, 30, 25), 6);
    // the left part carries the word; the dealer's wind is written over the right part
    DrawOutlinedText(painter, QRectF(3, 3, 36, 19), QStringLiteral("庄家"), QColor(255, 225, 90), QColor(80, 0, 0), 1);
    return canvas;
}

QImage DrawCountdownPlate() {
    QImage canvas = NewCanvas(CountdownPlateSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(0.5, 0.5, 80, 37), QColor(30, 40, 60), 8);
    // a small clock at the left; the figure stands over the right part
    const QPointF centre(22, 19);
    painter.setPen(QPen(Gold, 2));
    painter.setBrush(QColor(250, 250, 240));
    painter.drawEllipse(centre, 12, 12);
    painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -8));
    painter.drawLine(centre, centre + QPointF(6, 0));
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawRoundedRect(QRectF(44, 5, 30, 28), 4, 4);
    return canvas;
}

QImage DrawReadyMark() {
    QImage canvas = NewCanvas(ReadyMarkSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    // a green tick in a golden ring over the word 准备
    const QPointF centre(71, 64);
    painter.setPen(QPen(Gold, 6));
    painter.setBrush(QColor(20, 110, 50, 200));
    painter.drawEllipse(centre, 58, 58);
    QPainterPath tick;
    tick.moveTo(40, 66);
    tick.lineTo(63, 90);
    tick.lineTo(104, 40);
    painter.setPen(QPen(QColor(255, 240, 120), 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    DrawOutlinedText(painter, QRectF(20, 122, 102, 34), QStringLiteral("准备"), QColor(255, 225, 80), QColor(100, 20, 0), 2);
    return canvas;
}

QImage DrawBannerFrame() {
    QImage canvas = NewCanvas(BannerFrameSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(0.5, 0.5, 81, 79), Wood, 6);
    painter.setPen(QPen(QColor(60, 35, 10), 1));
    painter.setBrush(QColor(245, 240, 225));
    painter.drawRect(QRectF(2.5, 2.5, 77, 75));
    return canvas;
}

QImage DrawChatStrip() {
    QImage canvas = NewCanvas(ChatStripSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(0.5, 0.5, 24, 32), QColor(40, 90, 140), 5);
    // a speech balloon with three dots
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 250));
    painter.drawEllipse(QRectF(3, 9, 19, 13));
    painter.drawPolygon(QPolygonF({QPointF(7, 19), QPointF(5, 26), QPointF(12, 21)}));
    painter.setBrush(QColor(40, 90, 140));
    for (double x : {8.0, 12.5, 17.0}) painter.drawEllipse(QPointF(x, 15.5), 1.3, 1.3);
    return canvas;
}

QImage DrawLocationPanel() {
    QImage canvas = NewCanvas(LocationPanelSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    PaintBoard(painter, QRectF(0.5, 0.5, 393, 38), QColor(30, 55, 45), 8);
    // the two phrase buttons at the left end: a text phrase and a voice phrase
    const QRectF buttons[2] = {QRectF(8, 5, 57, 13), QRectF(8, 21, 57, 13)};
    const QString captions[2] = {QStringLiteral("快捷短语"), QStringLiteral("快捷语音")};
    for (int i = 0; i < 2; ++i) {
        painter.setPen(QPen(Gold, 1));
        painter.setBrush(QColor(70, 110, 90));
        painter.drawRoundedRect(buttons[i], 3, 3);
        DrawFittedText(painter, buttons[i].adjusted(2, 1, -2, -1), captions[i], QColor(255, 240, 190));
    }
    return canvas;
}
