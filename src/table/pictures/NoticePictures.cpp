#include "table/pictures/NoticePictures.h"
#include "table/pictures/PictureKit.h"
#include <QStringList>

QImage DrawLevelNotice(int entry) {
    static const QStringList texts{QStringLiteral("Dravik麻将"), QStringLiteral("恭喜升级"), QStringLiteral("级别下降")};
    if (entry < 0 || entry >= texts.size()) return {};
    QImage canvas = NewCanvas(LevelNoticeSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF board(1, 1, 158, 58);
    const QColor top = entry == 2 ? QColor(90, 100, 130) : QColor(170, 30, 30);
    painter.setPen(QPen(QColor(240, 200, 90), 2));
    painter.setBrush(VerticalGradient(board, top, top.darker(180)));
    painter.drawRoundedRect(board, 10, 10);
    DrawOutlinedText(painter, board.adjusted(10, 10, -10, -10), texts[entry], QColor(255, 225, 90), QColor(60, 10, 0), 1.5);
    return canvas;
}
