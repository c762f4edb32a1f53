#include "table/pictures/ChatWindowPictures.h"
#include "table/pictures/PictureKit.h"

QImage DrawChatWindowBackground(const QString& title) {
    QImage canvas = NewCanvas(ChatWindowSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF board(0.5, 0.5, ChatWindowSize.width() - 1, ChatWindowSize.height() - 1);
    painter.setPen(QPen(QColor(150, 120, 60), 1));
    painter.setBrush(VerticalGradient(board, QColor(28, 52, 44), QColor(14, 30, 26)));
    painter.drawRoundedRect(board, 6, 6);
    // the title strip, with a cross at its right end: a click on it closes
    const QRectF strip(8, 1, 305, 15);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(strip, QColor(90, 70, 30), QColor(60, 45, 20)));
    painter.drawRoundedRect(strip, 3, 3);
    DrawFittedText(painter, strip.adjusted(4, 1, -24, -1), title, QColor(255, 235, 160));
    painter.setPen(QPen(QColor(255, 235, 160), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QRectF cross(strip.right() - 14, strip.top() + 3.5, 8, 8);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
    return canvas;
}
