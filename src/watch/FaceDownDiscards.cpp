#include "watch/FaceDownDiscards.h"
#include "wire/General.h"
#include "table/TileAccess.h"
#include "play/DiscardRows.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "watch/WatchDiscardRows.h"

namespace {
constexpr int kWallTiles = 136;

// Lays the next wall image after the rebuilt hands and the indicator face
// down as the seat's next discard; false, laying nothing, once the rebuild
// has taken as many images as it may (up to and including RebuildWallTaken).
bool LayFaceDownTile(Client& c, int seat) {
    TableState& t = c.table;
    if (t.RebuildWallOffset > t.RebuildWallTaken) return false;
    t.LastDiscardImage = static_cast<int16_t>((t.WallFront + t.RebuildWallOffset) % kWallTiles);
    ++t.RebuildWallOffset;
    LayInDiscardRow(c, seat, t.LastDiscardImage);
    ShowTileImage(c, t.LastDiscardImage, FaceDownPicture(seat));
    if (seat == 3) ListRightDiscard(c, t.LastDiscardImage);
    MoveDiscardPlaceOn(c, seat);
    return true;
}
}  // namespace

void LayFaceDownTiles(Client& c) {
    TableState& t = c.table;
    for (int seat = 0; seat < 4; ++seat) SetDiscardTileSize(c, seat);
    for (int seat = 0; seat < 4; ++seat)
        for (int k = 0; k < t.RebuildDiscardCount[seat]; ++k) {
            if (!LayFaceDownTile(c, seat)) return;
            // The last tile laid is the last discard, whose claim gives its place back to this seat's row.
            t.LastDiscarder = static_cast<int16_t>(seat);
        }
}
