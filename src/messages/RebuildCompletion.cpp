#include "wire/General.h"
#include "messages/TableRebuild.h"
#include "play/HandSorting.h"
#include "table/TilePictures.h"
#include "play/WildIndicator.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/TileAccess.h"
#include "watch/FaceDownDiscards.h"

namespace {
constexpr int kWallTiles = 136;
constexpr int kTilesPerWall = 34;

int16_t WallPosition(int position) { return static_cast<int16_t>((position % kWallTiles + kWallTiles) % kWallTiles); }

// Without a wild tile named there is no face to show.
void ShowWildTileFace(Client& c) {
    const int16_t wild = c.table.WildTile;
    if (!IsTileCode(wild)) return;
    ImageControl& face = *c.mainForm->Jokro_Image;
    face.setVisible(true);
    SetPictureFromResource(c, face, CheckedAt(c.resourceIds.TileImageIds, TilePicture(kOwnHandSet, wild), "TileImageIds"));
}

// The smallest back counter moves the back end: an odd one leaves the last
// stack whole, an even one only its lower tile.
void MoveWallBack(TableState& t) {
    const int moved = t.RebuildParam3 % 2 == 1 ? t.WallBack + t.RebuildParam3 + 1 : t.WallBack + t.RebuildParam3 - 3;
    t.WallBack = WallPosition(moved);
}

void ShowWallTile(Client& c, int16_t position) {
    ShowTileImage(c, position, FaceDownPicture(position / kTilesPerWall));
    TileImage(c, position).setVisible(true);
}

// The wall from the front past the tiles taken to the back end, face down
// where the wall layout put it. A rebuild that took every tile leaves none.
void ShowRemainingWall(Client& c) {
    const TableState& t = c.table;
    if (t.RebuildWallTaken >= kWallTiles) return;
    const int16_t front = WallPosition(t.WallFront + t.RebuildWallTaken);
    const int count = WallPosition(t.WallBack - front) + 1;
    for (int k = 0; k < count; ++k) ShowWallTile(c, WallPosition(front + k));
    if (t.RebuildParam3 % 2 == 0) TileImage(c, WallPosition(t.WallBack - 1)).setVisible(false);
    else ShowWallTile(c, WallPosition(t.WallBack + 1));
}

// A player sees the own hand again, sorted, in the own hand's large faces.
void ShowOwnHand(Client& c) {
    const SeatInfo& own = c.seatInfo[0];
    SortHand(c, 0, own.ConcealedCount);
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot) {
        const TileSlot& s = SeatSlot(own, slot);
        ShowTileImage(c, s.Image, TilePicture(kOwnHandSet, s.Tile));
    }
}
}  // namespace

void CompleteTableRebuild(Client& c) {
    TableState& t = c.table;
    t.RebuildMsgCount = 0;
    ShowWildTileFace(c);
    MoveWallBack(t);
    ShowRemainingWall(c);
    const int16_t indicator = TakeRebuildImage(c);
    ShowDiscardTile(c, indicator);
    t.IndicatorImage = IsTileCode(t.WildIndicator) ? indicator : int16_t(-1);
    LayFaceDownTiles(c);
    t.WallFront = WallPosition(t.WallFront + t.RebuildWallTaken);
    t.TableRebuilt = true;
    // The face-down discards are laid already: the next draw parks none of them.
    t.LastDiscardTile = 0;
    // The re-arm before a rebuild ends the game it finds; the rebuilt hand is
    // one in progress, for the lobby's questions and for a second drop alike.
    t.InGame = true;
    if (!t.SpectatorMode) ShowOwnHand(c);
}
