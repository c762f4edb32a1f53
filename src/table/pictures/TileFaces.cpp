#include "table/pictures/TileFaces.h"
#include "table/pictures/PictureKit.h"
#include <QPainterPath>
#include <array>
#include <vector>

namespace {
const QColor Ink(20, 30, 90);
const QColor Red(200, 25, 30);
const QColor Green(20, 125, 60);
const QColor Blue(30, 70, 170);

struct Mark {
    double x, y;  // centre, as fractions of the box
    QColor color;
};

QPointF At(const QRectF& box, double x, double y) {
    return {box.left() + x * box.width(), box.top() + y * box.height()};
}

// --- characters ---

void DrawCharacters(QPainter& painter, const QRectF& box, int rank) {
    static const QString numerals = QStringLiteral("一二三四五六七八九");
    const double upper = box.height() / 2;
    DrawFittedText(painter, QRectF(box.left(), box.top(), box.width(), upper), numerals.mid(rank - 1, 1), Ink, true);
    DrawFittedText(painter, QRectF(box.left(), box.top() + upper, box.width(), box.height() - upper), QStringLiteral("萬"),
                   Red, true);
}

// --- circles ---

void DrawDot(QPainter& painter, QPointF centre, double radius, const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(250, 245, 225));
    painter.drawEllipse(centre, radius * 0.68, radius * 0.68);
    painter.setBrush(color);
    painter.drawEllipse(centre, radius * 0.45, radius * 0.45);
    painter.setBrush(QColor(250, 245, 225));
    painter.drawEllipse(centre, radius * 0.15, radius * 0.15);
}

std::vector<Mark> CircleLayout(int rank) {
    const QColor g = Green, b = Blue, r = Red;
    switch (rank) {
    case 2: return {{0.5, 0.25, g}, {0.5, 0.75, b}};
    case 3: return {{0.2, 0.18, b}, {0.5, 0.5, r}, {0.8, 0.82, g}};
    case 4: return {{0.27, 0.26, b}, {0.73, 0.26, g}, {0.27, 0.74, g}, {0.73, 0.74, b}};
    case 5: return {{0.22, 0.2, b}, {0.78, 0.2, g}, {0.5, 0.5, r}, {0.22, 0.8, g}, {0.78, 0.8, b}};
    case 6: return {{0.28, 0.16, g}, {0.72, 0.16, g}, {0.28, 0.52, r}, {0.72, 0.52, r}, {0.28, 0.84, r}, {0.72, 0.84, r}};
    case 7:
        return {{0.2, 0.12, g}, {0.5, 0.24, g}, {0.8, 0.36, g}, {0.28, 0.62, r},
                {0.72, 0.62, r}, {0.28, 0.88, r}, {0.72, 0.88, r}};
    case 8: {
        std::vector<Mark> marks;
        for (double y : {0.12, 0.37, 0.63, 0.88})
            for (double x : {0.28, 0.72}) marks.push_back({x, y, b});
        return marks;
    }
    case 9: {
        std::vector<Mark> marks;
        const std::array<QColor, 3> rows{b, r, g};
        for (int row = 0; row < 3; ++row)
            for (double x : {0.18, 0.5, 0.82}) marks.push_back({x, 0.17 + 0.33 * row, rows[row]});
        return marks;
    }
    default: return {};
    }
}

void DrawCircles(QPainter& painter, const QRectF& box, int rank) {
    const double unit = std::min(box.width(), box.height() * 0.8);
    if (rank == 1) {
        const QPointF centre = box.center();
        const double radius = unit * 0.46;
        DrawDot(painter, centre, radius, Green);
        DrawDot(painter, centre, radius * 0.45, Red);
        return;
    }
    static const std::array<double, 10> radii{0, 0, 0.23, 0.16, 0.2, 0.17, 0.15, 0.13, 0.14, 0.14};
    for (const Mark& mark : CircleLayout(rank)) DrawDot(painter, At(box, mark.x, mark.y), unit * radii[rank], mark.color);
}

// --- bamboo ---

void DrawStick(QPainter& painter, const QRectF& stick, const QColor& color) {
    painter.setPen(QPen(color.darker(160), std::max(0.6, stick.width() * 0.12)));
    QLinearGradient shade(stick.topLeft(), stick.topRight());
    shade.setColorAt(0, color.darker(130));
    shade.setColorAt(0.4, color.lighter(150));
    shade.setColorAt(1, color.darker(130));
    painter.setBrush(shade);
    const double round = stick.width() / 2;
    painter.drawRoundedRect(stick, round, round);
    // the three joints of the cane
    for (double y : {0.2, 0.5, 0.8}) {
        const double at = stick.top() + y * stick.height();
        painter.drawLine(QPointF(stick.left(), at), QPointF(stick.right(), at));
    }
}

std::vector<Mark> BambooLayout(int rank) {
    const QColor g = Green, r = Red;
    switch (rank) {
    case 2: return {{0.5, 0.27, g}, {0.5, 0.73, g}};
    case 3: return {{0.5, 0.27, g}, {0.3, 0.73, g}, {0.7, 0.73, g}};
    case 4: return {{0.3, 0.27, g}, {0.7, 0.27, g}, {0.3, 0.73, g}, {0.7, 0.73, g}};
    case 5: return {{0.2, 0.27, g}, {0.8, 0.27, g}, {0.5, 0.5, r}, {0.2, 0.73, g}, {0.8, 0.73, g}};
    case 6: return {{0.2, 0.27, g}, {0.5, 0.27, g}, {0.8, 0.27, g}, {0.2, 0.73, g}, {0.5, 0.73, g}, {0.8, 0.73, g}};
    case 7:
        return {{0.5, 0.17, r}, {0.2, 0.5, g}, {0.5, 0.5, g}, {0.8, 0.5, g},
                {0.2, 0.83, g}, {0.5, 0.83, g}, {0.8, 0.83, g}};
    case 8: {
        std::vector<Mark> marks;
        for (double y : {0.27, 0.73})
            for (double x : {0.14, 0.38, 0.62, 0.86}) marks.push_back({x, y, g});
        return marks;
    }
    case 9: {
        std::vector<Mark> marks;
        for (double y : {0.17, 0.5, 0.83})
            for (double x : {0.2, 0.5, 0.8}) marks.push_back({x, y, x == 0.5 ? r : g});
        return marks;
    }
    default: return {};
    }
}

// One of bamboo: a single tall cane with a red crown and two leaves.
void DrawOneBamboo(QPainter& painter, const QRectF& box) {
    const double width = box.width() * 0.26;
    const QRectF stick(box.center().x() - width / 2, box.top() + box.height() * 0.14, width, box.height() * 0.84);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Green.lighter(120));
    for (int side : {-1, 1}) {
        QPainterPath leaf;
        const QPointF base(stick.center().x(), stick.top() + stick.height() * 0.45);
        const QPointF tip(base.x() + side * box.width() * 0.45, base.y() - box.height() * 0.2);
        leaf.moveTo(base);
        leaf.quadTo(QPointF(base.x() + side * box.width() * 0.2, base.y() - box.height() * 0.25), tip);
        leaf.quadTo(QPointF(base.x() + side * box.width() * 0.25, base.y()), base);
        painter.drawPath(leaf);
    }
    DrawStick(painter, stick, Green);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Red);
    painter.drawEllipse(QPointF(stick.center().x(), stick.top()), width * 0.75, width * 0.75);
}

void DrawBamboo(QPainter& painter, const QRectF& box, int rank) {
    if (rank == 1) return DrawOneBamboo(painter, box);
    const std::vector<Mark> marks = BambooLayout(rank);
    const bool threeRows = rank == 7 || rank == 9;
    const double height = box.height() * (threeRows ? 0.29 : 0.42);
    const double width = box.width() * (rank == 8 ? 0.14 : 0.16);
    for (const Mark& mark : marks) {
        const QPointF centre = At(box, mark.x, mark.y);
        DrawStick(painter, QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height), mark.color);
    }
}

// --- honours ---

void DrawWhiteDragon(QPainter& painter, const QRectF& box) {
    const QRectF frame = box.adjusted(box.width() * 0.12, box.height() * 0.1, -box.width() * 0.12, -box.height() * 0.1);
    const double line = std::max(1.0, box.width() * 0.06);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Blue, line));
    painter.drawRect(frame);
    painter.setPen(QPen(Blue, line / 2));
    painter.drawRect(frame.adjusted(line * 1.5, line * 1.5, -line * 1.5, -line * 1.5));
}

void DrawHonour(QPainter& painter, const QRectF& box, int rank) {
    if (rank == 7) return DrawWhiteDragon(painter, box);
    static const QString names = QStringLiteral("東南西北中發");
    const QColor color = rank == 5 ? Red : rank == 6 ? Green : Ink;
    const double side = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    DrawFittedText(painter, square, names.mid(rank - 1, 1), color, true);
}
}  // namespace

void DrawTileFace(QPainter& painter, const QRectF& box, int suitIndex, int rank) {
    painter.save();
    switch (suitIndex) {
    case 0: DrawHonour(painter, box, rank); break;
    case 1: DrawBamboo(painter, box, rank); break;
    case 2: DrawCharacters(painter, box, rank); break;
    case 3: DrawCircles(painter, box, rank); break;
    }
    painter.restore();
}
