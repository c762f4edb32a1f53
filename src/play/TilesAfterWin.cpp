#include "play/TilesAfterWin.h"
#include "wire/General.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/Controls.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include <optional>

namespace {
constexpr int kTurnedUp = -1;
constexpr int kWallLength = 34;
constexpr int kTopWall = 2;
constexpr int kFirstFrontEntry = 2;

bool OnTopWall(int position) { return position / kWallLength == kTopWall; }

// Gives `moved` the place `named` has now; when `topWallTest` lies on the
// top wall, the moved image also goes behind everything, as the tiles of
// that wall lie behind the ones in front of them.
void MoveInto(Client& c, int moved, int named, std::optional<int> topWallTest = std::nullopt) {
    const ImageControl& place = TileImage(c, named);
    ImageControl& image = TileImage(c, moved);
    image.Move(place.Left(), place.Top());
    if (topWallTest && OnTopWall(*topWallTest)) SendToBack(image);
}

bool TurnUpKongTile(Client& c, int index) {
    TableState& t = c.table;
    for (int i = 0; i < t.KongDiscardCount; ++i) {
        int16_t& image = CheckedAt(t.KongDiscardImages, i, "KongDiscardImages");
        if (image != index) continue;
        ShowTileImage(c, image, TilePicture(t.KongDiscardSeats[i], t.KongDiscardTiles[i]));
        image = kTurnedUp;
        return true;
    }
    return false;
}

std::optional<int> RevealEntry(const TableState& t, int index) {
    for (int i = 0; i < t.RevealCount; ++i)
        if (CheckedAt(t.RevealImages, i, "RevealImages") == index) return i;
    return std::nullopt;
}

// The indicator is moved only when a rebuild laid one on the wall this hand;
// otherwise it names no tile of the wall and must not be touched.
void MoveIndicatorInto(Client& c, int named, std::optional<int> topWallTest = std::nullopt) {
    if (c.table.IndicatorImage >= 0) MoveInto(c, c.table.IndicatorImage, named, topWallTest);
}

// Closes the gap the lifted tile leaves, so that no hole shows under the
// tiles that stay in the wall.
void TidyWall(Client& c, int entry, int index) {
    const TableState& t = c.table;
    const bool lower = index % 2 == 1;
    if (entry >= kFirstFrontEntry) {
        if (lower && index != t.WallFront && t.RevealImages[entry - 1] != kTurnedUp) MoveInto(c, index - 1, index, index);
        return;
    }
    const int wallBack = t.WallBack;
    if (wallBack % 2 == 1) {
        if (lower) MoveIndicatorInto(c, wallBack, wallBack);
        return;
    }
    if (!lower) {
        MoveIndicatorInto(c, wallBack);
    } else if (t.RevealImages[0] != kTurnedUp) {
        MoveIndicatorInto(c, wallBack);
        MoveInto(c, wallBack, (wallBack + 1) % 136, wallBack);
    } else {
        MoveIndicatorInto(c, index, index);
    }
}

void LiftWallTile(Client& c, int entry, int index) {
    TableState& t = c.table;
    // The picture is found first, so that a bad code changes nothing.
    const int16_t picture = TilePicture(0, t.RevealTiles[entry]);
    TidyWall(c, entry, index);
    ShowTileImage(c, static_cast<int16_t>(index), picture);
    TileImage(c, index).Move((400 + 45 * entry) * t.ScaleX, 340 * t.ScaleY, 45 * t.ScaleX, 60 * t.ScaleY);
    t.RevealImages[entry] = kTurnedUp;
}
}  // namespace

void LookAtTilesAfterWin(Client& c, int imageIndex, int) {
    if (TurnUpKongTile(c, imageIndex)) return;
    if (const std::optional<int> entry = RevealEntry(c.table, imageIndex)) LiftWallTile(c, *entry, imageIndex);
}
