#include "table/pictures/ButtonPictures.h"
#include "table/pictures/PictureKit.h"
#include <QStringList>

namespace {
struct ButtonLook {
    QColor top, bottom, border, text, outline;
};

const ButtonLook Normal{{70, 120, 160}, {20, 55, 95}, {190, 160, 80}, {255, 230, 140}, {10, 30, 60}};
const ButtonLook Highlighted{{255, 220, 110}, {220, 140, 30}, {255, 250, 210}, {130, 20, 10}, {255, 245, 200}};

QImage DrawCaptionButton(QSize size, const QString& caption, const ButtonLook& look) {
    const int width = size.width(), height = size.height();
    QImage canvas = NewCanvas(size);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(0.5, 0.5, width - 1, height - 1);
    const double round = height * 0.3;
    painter.setPen(QPen(look.border, 1));
    painter.setBrush(VerticalGradient(box, look.top, look.bottom));
    painter.drawRoundedRect(box, round, round);
    // a soft shine over the upper half
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 45));
    painter.drawRoundedRect(box.adjusted(2, 1.5, -2, -box.height() / 2), round / 2, round / 2);
    const QRectF text = box.adjusted(width * 0.1, height * 0.16, -width * 0.1, -height * 0.16);
    DrawOutlinedText(painter, text, caption, look.text, look.outline, std::max(0.6, height / 30.0));
    return canvas;
}
}  // namespace

QImage DrawBarButton(int entry, bool smallScreen) {
    static const QStringList captions{QStringLiteral("发送"), QStringLiteral("聊天"), QStringLiteral("开始"),
                                      QStringLiteral("继续"), QStringLiteral("设置"), QStringLiteral("最小化"),
                                      QStringLiteral("成绩"), QStringLiteral("记录"), QStringLiteral("规则"),
                                      QStringLiteral("退出")};
    if (entry < 0 || entry >= 20) return {};
    return DrawCaptionButton(BarButtonSize(entry, smallScreen), captions[entry / 2], entry % 2 ? Highlighted : Normal);
}

QSize BarButtonSize(int entry, bool smallScreen) {
    // The send button keeps its full-size picture on the small screen; the others
    // are the full-size 60 × 30 at the small screen's scale 0.78125.
    const bool send = entry < 2;
    return {send ? 50 : smallScreen ? 47 : 60, !send && smallScreen ? 23 : 30};
}

QImage DrawClaimButton(int entry) {
    static const QString words = QStringLiteral("吃碰杠胡过");
    if (entry < 0 || entry >= 15) return {};
    const int state = entry % 3;
    static const ButtonLook looks[3] = {
        {{200, 200, 200}, {130, 130, 130}, {100, 100, 100}, {235, 235, 235}, {110, 110, 110}},  // idle, greyed
        {{230, 60, 40}, {140, 15, 10}, {250, 210, 90}, {255, 225, 80}, {90, 0, 0}},            // offered
        {{255, 230, 120}, {240, 120, 20}, {255, 255, 220}, {170, 10, 10}, {255, 250, 210}},     // highlighted
    };
    const ButtonLook& look = looks[state];
    QImage canvas = NewCanvas(ClaimButtonSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(1, 1, 48, 69);
    painter.setPen(QPen(look.border, 2));
    painter.setBrush(VerticalGradient(box, look.top, look.bottom));
    painter.drawRoundedRect(box, 12, 12);
    painter.setPen(QPen(look.border, 1));
    painter.setBrush(QColor(255, 255, 255, state == 0 ? 30 : 60));
    painter.drawEllipse(QRectF(5, 14, 40, 40));
    DrawOutlinedText(painter, QRectF(5, 14, 40, 40), words.mid(entry / 3, 1), look.text, look.outline, 1.5);
    return canvas;
}

QImage DrawDialogButton(int entry) {
    static const QStringList captions{QStringLiteral("确定"), QStringLiteral("确定"), QStringLiteral("取消"),
                                      QStringLiteral("取消"), QStringLiteral("关闭"), QStringLiteral("开启"),
                                      QStringLiteral("普通话"), QStringLiteral("方言")};
    if (entry < 0 || entry >= 8) return {};
    // OK and Cancel have a highlighted twin; of the switches the one that is on is highlighted.
    const ButtonLook& look = (entry < 4 ? entry % 2 : entry == 5) ? Highlighted : Normal;
    return DrawCaptionButton(DialogButtonSize(entry), captions[entry], look);
}

QSize DialogButtonSize(int entry) {
    // OK and Cancel are 70 × 29; the switches and dialects 64 × 26.
    return entry < 4 ? QSize(70, 29) : QSize(64, 26);
}

QImage DrawHoldButton(int entry) {
    static const QStringList captions{QStringLiteral("扣牌"), QStringLiteral("不扣")};
    if (entry < 0 || entry >= 4) return {};
    return DrawCaptionButton(HoldButtonSize, captions[entry / 2], entry % 2 ? Highlighted : Normal);
}
