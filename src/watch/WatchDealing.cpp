#include "wire/General.h"
#include "play/HandRows.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "play/WallDraws.h"
#include "shared/Client.h"
#include "watch/WatchView.h"

namespace {
// Every hand shows standing backs; no tile is set apart in another seat's row.
void ReceiveOtherTiles(Client& c, int seat, int count, int slot) {
    TableState& t = c.table;
    if (count == 1 && !t.DrawFromFront) {
        LayOtherHandTile(c, seat, slot, DrawFromWallBack(t), false);
    } else {
        for (int i = 0; i < count; ++i) LayOtherHandTile(c, seat, slot + i, DrawFromWallFront(t), false);
    }
    if (seat == 1) BringOwnWildKongsForward(c);
}

// The watched seat's slots get the tile codes, its row the backs of set 0.
void ReceiveWatchedDealPass(Client& c, int slot, const std::array<int16_t, 4>& tiles) {
    for (int k = 0; k < 4; ++k) {
        const int16_t position = DrawFromWallFront(c.table);
        PutOwnTile(c, slot + k, tiles[k] & 0xFF, position);
        LayOwnHandTile(c, slot + k, position, BackPicture(0), false);
    }
}

// A replacement tile, and once the wild tile is known every drawn tile,
// stands half a tile apart from the row, which first closes up again.
void ReceiveWatchedDraw(Client& c, int slot, int tile) {
    TableState& t = c.table;
    if (t.WildTile > 0) ReseatOwnRow(c, c.seatInfo[0].FirstConcealed, slot);
    const bool replacement = !t.DrawFromFront;
    const int16_t position = replacement ? DrawFromWallBack(t) : DrawFromWallFront(t);
    PutOwnTile(c, slot, tile, position);
    LayOwnHandTile(c, slot, position, BackPicture(0), replacement || t.WildTile > 0);
}
}  // namespace

void SideReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) {
    const int seat = LocalSeatOfBit(c, seatBit);
    SetHandTileSizes(c);
    const int slot = GrowConcealedRun(c.seatInfo[seat], count);
    if (seat != 0) ReceiveOtherTiles(c, seat, count, slot);
    else if (count == 1) ReceiveWatchedDraw(c, slot, tiles[3] & 0xFF);
    else ReceiveWatchedDealPass(c, slot, tiles);
    c.table.DrawFromFront = true;
}
