#include "table/pictures/SideWindowPictures.h"
#include "table/pictures/PictureKit.h"

namespace {
const QColor Felt(20, 95, 60);
const QColor Gold(235, 195, 90);
const QColor TitleRed(150, 20, 15);

void PaintRimmedBox(QPainter& painter, const QRectF& box, double rimWidth, const QColor& top, const QColor& bottom,
                    double round) {
    painter.setPen(QPen(Gold, rimWidth));
    painter.setBrush(VerticalGradient(box, top, bottom));
    painter.drawRoundedRect(box, round, round);
}

// A dark green panel with a gold rim and a red title band.
QImage Panel(QSize size, const QString& title, const QRectF& band) {
    QImage canvas = NewCanvas(size);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(1, 1, size.width() - 2, size.height() - 2);
    PaintRimmedBox(painter, box, 2, Felt.lighter(125), Felt.darker(150), 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(band, TitleRed.lighter(140), TitleRed));
    painter.drawRoundedRect(band, 8, 8);
    DrawOutlinedText(painter, band.adjusted(4, 2, -4, -2), title, QColor(255, 225, 90), QColor(70, 0, 0), 1);
    return canvas;
}

void Frame(QPainter& painter, const QRectF& box) {
    painter.setPen(QPen(Gold.darker(120), 1));
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(box, 4, 4);
}

// A seat's head: a sunken gold-rimmed well just around the portrait's place,
// dark while the seat is empty, and a dark plate under the name that keeps
// the light, red and green names readable.
void Head(QPainter& painter, const BoardHead& head) {
    const QRectF well = QRectF(head.portrait).adjusted(-1.5, -1.5, 1.5, 1.5);
    painter.setPen(QPen(Gold, 1));
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawRect(well);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawRoundedRect(QRectF(head.name), 3, 3);
}
}  // namespace

QImage DrawScoreBoardBackground(const BoardHeads& heads) {
    QImage canvas = Panel(ScoreBoardSize, QStringLiteral("战 绩 板"), QRectF(120, 4, 400, 24));
    QPainter painter;
    BeginPainting(painter, canvas);
    // the seats' heads, above their lists
    for (int left : {4, 160, 320, 481}) Frame(painter, QRectF(left, 29, 155, 50));
    for (const BoardHead& head : heads) Head(painter, head);
    return canvas;
}

QImage DrawHandListBackground(const BoardHeads& heads) {
    // a slim title: the heads start 22 pixels down
    QImage canvas = Panel(HandListSize, QStringLiteral("英 雄 榜"), QRectF(150, 2, 355, 18));
    QPainter painter;
    BeginPainting(painter, canvas);
    Frame(painter, QRectF(6, 22, 125, 48));
    for (int left : {132, 258, 390, 524}) Frame(painter, QRectF(left, 22, 127, 48));
    Frame(painter, QRectF(6, 400, 643, 41));
    for (const BoardHead& head : heads) Head(painter, head);
    return canvas;
}

QImage DrawPlayerCardBackground() {
    QImage canvas = NewCanvas(PlayerCardSize);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(1, 1, PlayerCardSize.width() - 2, PlayerCardSize.height() - 2);
    PaintRimmedBox(painter, box, 2, QColor(250, 240, 210), QColor(225, 200, 150), 12);
    DrawOutlinedText(painter, QRectF(50, 8, 120, 24), QStringLiteral("玩家资料"), QColor(255, 225, 90), TitleRed, 1.2);
    painter.setPen(QPen(QColor(170, 130, 70), 1));
    for (int row = 0; row < 9; ++row) painter.drawLine(QPointF(18, 60 + 32 * row), QPointF(202, 60 + 32 * row));
    return canvas;
}

QImage DrawCloseArea(int kind, QSize size) {
    QImage canvas = NewCanvas(size);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF box(1, 1, size.width() - 2, size.height() - 2);
    PaintRimmedBox(painter, box, 1, QColor(200, 60, 40), QColor(120, 15, 10), 3);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    const QRectF mark = box.adjusted(5, 5, -5, -5);
    if (kind == 0) {
        painter.drawLine(QPointF(mark.left(), mark.center().y()), QPointF(mark.right(), mark.center().y()));
    } else {
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    }
    return canvas;
}
