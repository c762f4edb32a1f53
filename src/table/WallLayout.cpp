#include "table/WallLayout.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/StackingOrder.h"
#include "window/TalkWindow.h"
#include <array>

namespace {
constexpr int kWalls = 4;
constexpr int kStacks = 17;
constexpr int kImagesPerWall = 2 * kStacks;

// Design tile size of each wall, by local seat: bottom, left, top, right.
constexpr std::array<std::array<int, 2>, kWalls> kWallTileSize{{{36, 50}, {48, 35}, {30, 36}, {48, 35}}};

// How a wall runs, in design pixels: where its first upper tile lies, how
// each further upper tile lies from the one before (a fixed step plus, for
// the bottom and top walls, one tile width back or forth), and how far
// below its upper tile a lower tile lies.
struct WallRun {
    double firstLeft, firstTop;
    double stepX, stepY;
    int widthsPerStep;
    double lowerOffset;
};
constexpr std::array<WallRun, kWalls> kWallRuns{{
    {809, 476, 0, 0, -1, 22},
    {164, 476, 4, -15, 0, 20},
    {236, 192, 0, 0, 1, 16},
    {748, 192, 4, 15, 0, 20},
}};

struct SeatAnchors {
    int discardX, discardY, handX, handY;
};
constexpr std::array<SeatAnchors, kWalls> kSeatAnchors{{
    {358, 438, 19, 564},
    {287, 238, 163, 192},
    {635, 238, 842, 122},
    {758, 438, 942, 560},
}};

}  // namespace

WallTileShape WallSideShape(int side) {
    const auto& size = CheckedAt(kWallTileSize, side, "wall side");
    return {size[0], size[1], static_cast<int>(kWallRuns[static_cast<size_t>(side)].lowerOffset)};
}

namespace {
int16_t Scaled(int design, double scale) { return static_cast<int16_t>(RoundHalfEven(design * scale)); }

void SetWallTileSizes(Client& c) {
    TableState& t = c.table;
    for (int seat = 0; seat < kWalls; ++seat) {
        t.TileWidth[seat] = Scaled(kWallTileSize[seat][0], t.ScaleX);
        t.TileHeight[seat] = Scaled(kWallTileSize[seat][1], t.ScaleY);
    }
}

ImageControl& Upper(Client& c, int wall, int stack) { return TileImage(c, kImagesPerWall * wall + 2 * stack); }
ImageControl& Lower(Client& c, int wall, int stack) { return TileImage(c, kImagesPerWall * wall + 2 * stack + 1); }

// Positions are single-precision values, as the controls carry them.
void PlaceStack(Client& c, int wall, int stack, float left, float top) {
    const float lowerOffset = float(kWallRuns[wall].lowerOffset * c.table.ScaleY);
    Upper(c, wall, stack).Move(left, top);
    Lower(c, wall, stack).Move(left, top + lowerOffset);
}

void PlaceFirstStack(Client& c, int wall) {
    const WallRun& run = kWallRuns[wall];
    PlaceStack(c, wall, 0, float(run.firstLeft * c.table.ScaleX), float(run.firstTop * c.table.ScaleY));
}

void PlaceNextStack(Client& c, int wall, int stack) {
    const WallRun& run = kWallRuns[wall];
    const ImageControl& previous = Upper(c, wall, stack - 1);
    const float left = float(previous.Left()) + float(run.stepX * c.table.ScaleX) +
                       float(run.widthsPerStep * previous.Width());
    const float top = float(previous.Top()) + float(run.stepY * c.table.ScaleY);
    PlaceStack(c, wall, stack, left, top);
}

// The order inside one stack as it is placed: on the bottom and top walls the
// lower tile goes behind everything; the right wall's stacks come forward one
// by one, so each covers the stack above it. The left wall is ordered last.
void OrderStack(Client& c, int wall, int stack) {
    ImageControl& upper = Upper(c, wall, stack);
    ImageControl& lower = Lower(c, wall, stack);
    if (wall == 0 || wall == 2) {
        BringToFront(upper);
        SendToBack(lower);
    } else if (wall == 3) {
        BringToFront(lower);
        BringToFront(upper);
    }
}

// The left wall comes in front of all other wall tiles, each stack in front
// of the one above it; the bottom wall's first two upper tiles cover the
// right wall's last stacks, and the top wall's first two lower tiles lie
// behind the left wall's last stacks.
void OrderAcrossWalls(Client& c) {
    BringToFront(TileImage(c, 0));
    BringToFront(TileImage(c, 2));
    for (int stack = kStacks - 1; stack >= 0; --stack) {
        BringToFront(Lower(c, 1, stack));
        BringToFront(Upper(c, 1, stack));
    }
    SendToBack(TileImage(c, 69));
    SendToBack(TileImage(c, 71));
}

void SetSeatAnchors(Client& c) {
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    for (int seat = 0; seat < kWalls; ++seat) {
        SeatInfo& info = c.seatInfo[seat];
        const SeatAnchors& design = kSeatAnchors[seat];
        info.DiscardX = info.DiscardRowX = Scaled(design.discardX, sx);
        info.DiscardY = info.DiscardRowY = Scaled(design.discardY, sy);
        info.HandX = Scaled(design.handX, sx);
        info.HandY = Scaled(design.handY, sy);
    }
}

void HideHandPieces(Client& c) {
    MainForm& f = *c.mainForm;
    for (auto* tile : f.MJ_Image) tile->setVisible(false);
    f.Time_Img->setVisible(false);
    f.Number->setVisible(false);
    for (auto* button : f.Operation) button->setVisible(false);
    f.ZhiNan->setVisible(false);
    f.Host->setVisible(false);
    f.Zhuang->setVisible(false);
    for (auto* bubble : f.Speak) bubble->setVisible(false);
    f.Words->setVisible(false);
    for (auto* choice : f.Chi) choice->setVisible(false);
    for (auto* choice : f.Gang) choice->setVisible(false);
    c.Talk().hide();
}
}  // namespace

void ClearTable(Client& c) {
    TableState& t = c.table;
    MainForm& f = *c.mainForm;
    t.LastDiscardImage = -1;
    t.PrevBlinkImage = -1;
    SetWallTileSizes(c);
    for (auto* tile : f.MJ_Image) {
        tile->setVisible(false);
        tile->SetPicture(QPixmap());
    }
    t.TileImagePictures.fill(-1);
    for (SeatInfo& seat : c.seatInfo)
        for (TileSlot& slot : seat.Slots) slot.Tile = 0;
    for (auto* button : f.Operation) {
        button->setEnabled(false);
        button->setVisible(false);
    }
    for (auto& marked : t.RevealedMarked) marked.fill(0);
    t.KongLogTiles.fill(0);
    for (auto& kinds : t.KongLogKinds) kinds.fill(0);
    t.KongLogCount = 0;
    for (QString& name : t.SeatNames) name.clear();
    f.Jokro_Image->setVisible(false);
    // A spectator keeps seeing whose wind the dealer has.
    if (!t.SpectatorMode) f.Zhuang->SetCaption(QString());
}

void LayoutWall(Client& c) {
    HideHandPieces(c);
    SetWallTileSizes(c);
    for (int wall = 0; wall < kWalls; ++wall)
        for (int i = 0; i < kImagesPerWall; ++i) {
            ImageControl& tile = TileImage(c, kImagesPerWall * wall + i);
            tile.Move(tile.Left(), tile.Top(), c.table.TileWidth[wall], c.table.TileHeight[wall]);
        }
    for (int wall = 0; wall < kWalls; ++wall) PlaceFirstStack(c, wall);
    BringToFront(Upper(c, 3, 0));
    for (int stack = 1; stack < kStacks; ++stack)
        for (int wall = 0; wall < kWalls; ++wall) {
            PlaceNextStack(c, wall, stack);
            OrderStack(c, wall, stack);
        }
    OrderAcrossWalls(c);
    SetSeatAnchors(c);
}
