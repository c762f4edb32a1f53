#include "table/pictures/WordPictures.h"
#include "table/pictures/PictureKit.h"
#include <QStringList>

QImage DrawClaimWord(int entry) {
    static const QStringList words{QStringLiteral("吃"),     QStringLiteral("碰"),     QStringLiteral("杠"),
                                   QStringLiteral("暗杠"),   QStringLiteral("红中杠"), QStringLiteral("财神杠"),
                                   QStringLiteral("补杠"),   QStringLiteral("胡")};
    if (entry < 0 || entry >= words.size()) return {};
    QImage canvas = NewCanvas(ClaimWordSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    QRadialGradient glow(QPointF(24.5, 24.5), 24);
    glow.setColorAt(0, QColor(255, 240, 150, 230));
    glow.setColorAt(0.7, QColor(255, 180, 40, 160));
    glow.setColorAt(1, QColor(255, 140, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(0, 0, 49, 49));
    DrawOutlinedText(painter, QRectF(3, 6, 43, 37), words[entry], QColor(220, 20, 20), QColor(255, 250, 220), 1.5);
    return canvas;
}
