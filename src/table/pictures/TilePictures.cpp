#include "table/pictures/TilePictures.h"
#include "table/pictures/PictureKit.h"
#include "table/pictures/TileFaces.h"
#include <array>

namespace {
const QColor BackGreen(28, 110, 70);
const QColor IvoryLayer(214, 203, 170);

// How the tiles of one set are seen.
struct TileSet {
    QSize face;          // picture size of a face-up tile
    int thickness;       // pixels of the tile's edge shown below (or above) the face
    bool edgeAbove;      // a standing tile of the own hand shows its top edge
    int rotation;        // degrees the engraving is turned, clockwise
    QSize standingBack;  // picture size of number 7
    QSize lyingBack;     // picture size of number 8
};

const std::array<TileSet, 5> Sets{{
    {{50, 58}, 8, false, 0, {50, 77}, {38, 56}},   // own seat's discards and melds
    {{59, 46}, 8, false, 90, {33, 66}, {50, 44}},  // left seat: top of the face towards the table's centre
    {{34, 37}, 6, false, 180, {34, 50}, {33, 37}}, // opposite seat: upside down
    {{59, 46}, 8, false, -90, {34, 66}, {50, 44}}, // right seat
    {{50, 77}, 7, true, 0, {50, 77}, {38, 56}},    // own hand, standing
}};

double Corner(const QRectF& box) { return std::min(box.width(), box.height()) * 0.14; }

void FillRounded(QPainter& painter, const QRectF& box, const QBrush& brush, const QColor& outline) {
    painter.setPen(QPen(outline, 1));
    painter.setBrush(brush);
    painter.drawRoundedRect(box, Corner(box), Corner(box));
}

QLinearGradient GreenBack(const QRectF& box) { return VerticalGradient(box, BackGreen.lighter(135), BackGreen); }

QImage DrawFaceUp(const TileSet& set, int suitIndex, int rank) {
    const int w = set.face.width(), h = set.face.height(), edge = set.thickness;
    QImage canvas = NewCanvas(w, h);
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF whole(0.5, 0.5, w - 1, h - 1);
    FillRounded(painter, whole, GreenBack(whole), BackGreen.darker(160));
    // the ivory layer of the tile, seen in its edge next to the green back
    const double ivoryDepth = edge * 0.55;
    const QRectF ivory = set.edgeAbove ? whole.adjusted(0, edge - ivoryDepth, 0, 0) : whole.adjusted(0, 0, 0, ivoryDepth - edge);
    FillRounded(painter, ivory, IvoryLayer, IvoryLayer.darker(140));
    const QRectF face = set.edgeAbove ? whole.adjusted(0, edge, 0, 0) : whole.adjusted(0, 0, 0, -edge);
    FillRounded(painter, face, VerticalGradient(face, QColor(255, 252, 242), QColor(240, 232, 205)), QColor(150, 135, 100));

    const double inset = std::max(2.0, std::min(face.width(), face.height()) * 0.1);
    const bool sideways = set.rotation % 180 != 0;
    const double boxWidth = (sideways ? face.height() : face.width()) - 2 * inset;
    const double boxHeight = (sideways ? face.width() : face.height()) - 2 * inset;
    painter.translate(face.center());
    painter.rotate(set.rotation);
    DrawTileFace(painter, QRectF(-boxWidth / 2, -boxHeight / 2, boxWidth, boxHeight), suitIndex, rank);
    return canvas;
}

// Number 7: the green back of a standing tile, with its ivory layer showing on
// the side that faces its owner.
QImage DrawStandingBack(int setIndex) {
    const QSize size = Sets[setIndex].standingBack;
    QImage canvas = NewCanvas(size.width(), size.height());
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF whole(0.5, 0.5, size.width() - 1, size.height() - 1);
    FillRounded(painter, whole, IvoryLayer, IvoryLayer.darker(150));
    const double layer = std::max(3.0, std::min(size.width(), size.height()) * 0.2);
    const QRectF back = setIndex == 1   ? whole.adjusted(layer, 0, 0, 0)
                        : setIndex == 3 ? whole.adjusted(0, 0, -layer, 0)
                                        : whole.adjusted(0, layer, 0, 0);
    FillRounded(painter, back, GreenBack(back), BackGreen.darker(170));
    return canvas;
}

// Number 8: a tile lying face down, its green back on top and its edge, green
// over ivory, towards the viewer.
QImage DrawLyingBack(int setIndex) {
    const QSize size = Sets[setIndex].lyingBack;
    QImage canvas = NewCanvas(size.width(), size.height());
    QPainter painter;
    BeginPainting(painter, canvas);
    const QRectF whole(0.5, 0.5, size.width() - 1, size.height() - 1);
    const double edge = std::max(4.0, size.height() * 0.16);
    FillRounded(painter, whole, IvoryLayer, IvoryLayer.darker(150));
    FillRounded(painter, whole.adjusted(0, 0, 0, -edge * 0.5), BackGreen.darker(125), BackGreen.darker(170));
    const QRectF top = whole.adjusted(0, 0, 0, -edge);
    FillRounded(painter, top, GreenBack(top), BackGreen.darker(170));
    return canvas;
}
}  // namespace

QImage DrawTileTemplate() {
    const TileSet lying{TileTemplateSize, 8, false, 0, {}, {}};
    return DrawFaceUp(lying, -1, 0);
}

QSize TilePictureSize(int number) {
    if (number < 0 || number >= 180) return {};
    const TileSet& set = Sets[number / 36];
    const int suitIndex = number % 36 / 9, rank = number % 9 + 1;
    if (suitIndex == 0 && rank == 8) return set.standingBack;
    if (suitIndex == 0 && rank == 9) return set.lyingBack;
    return set.face;
}

QImage DrawTilePicture(int number) {
    if (number < 0 || number >= 180) return {};
    const int setIndex = number / 36, suitIndex = number % 36 / 9, rank = number % 9 + 1;
    if (suitIndex == 0 && rank == 8) return DrawStandingBack(setIndex);
    if (suitIndex == 0 && rank == 9) return DrawLyingBack(setIndex);
    return DrawFaceUp(Sets[setIndex], suitIndex, rank);
}
