#include "play/ReceiveTiles.h"
#include "wire/General.h"
#include "play/DiscardParking.h"
#include "play/HandRows.h"
#include "play/HandSorting.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "play/WallDraws.h"
#include "shared/Client.h"
#include "table/TileAccess.h"

namespace {
constexpr int kWallTiles = 136;
constexpr int kDealerHand = 14;
constexpr int kHand = 13;
constexpr double kBacksShownAtDealEnd = 1.0;

void ReceiveOtherTiles(Client& c, int seat, int count, int slot) {
    TableState& t = c.table;
    const SeatInfo& info = c.seatInfo[seat];
    if (count == 1 && !t.DrawFromFront) {
        // The replacement tile after a kong.
        const int16_t position = DrawFromWallBack(t);
        LayOtherHandTile(c, seat, slot, position, true);
    } else {
        for (int i = 0; i < count; ++i, ++slot) {
            const int16_t position = DrawFromWallFront(t);
            // Before the wild tile is known, only the dealer's 14th tile of the deal stands apart.
            const bool setApart = count == 1 && (t.WildTile > 0 || info.ConcealedCount == kDealerHand);
            LayOtherHandTile(c, seat, slot, position, setApart);
        }
    }
    if (seat == 1) BringOwnWildKongsForward(c);
}

// The own deal pass takes its four tiles straight from the front, in dealt order.
void ReceiveOwnDealPass(Client& c, int slot, const std::array<int16_t, 4>& tiles) {
    TableState& t = c.table;
    for (int16_t word : tiles) {
        const int tile = word & 0xFF;
        const int16_t position = t.WallFront;
        PutOwnTile(c, slot, tile, position);
        LayOwnHandTile(c, slot, position, TilePicture(kOwnHandSet, tile), false);
        t.WallFront = static_cast<int16_t>((t.WallFront + 1) % kWallTiles);
        ++slot;
    }
}

// Puts every held tile back in its place, so that a tile still set apart or
// raised returns to the row; after a kong the hand is sorted again.
void ReseatOwnHand(Client& c) {
    const SeatInfo& own = c.seatInfo[0];
    const int held = own.ConcealedCount - 1;
    ReseatOwnRow(c, own.FirstConcealed, own.FirstConcealed + held);
    if (!c.table.DrawFromFront) SortHand(c, 0, held);
}

// With no wild tile known, the full hand turns to backs for a moment and
// comes back sorted.
void RevealDealtHand(Client& c) {
    SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot)
        ShowTileImage(c, SeatSlot(own, slot).Image, BackPicture(0));
    SleepSeconds(c, kBacksShownAtDealEnd);
    SortHand(c, 0, own.ConcealedCount);
}

void ReceiveOwnDraw(Client& c, int slot, int tile) {
    TableState& t = c.table;
    const SeatInfo& own = c.seatInfo[0];
    if (t.WildTile > 0) ReseatOwnHand(c);
    const bool replacement = !t.DrawFromFront;
    const int16_t position = replacement ? DrawFromWallBack(t) : DrawFromWallFront(t);
    PutOwnTile(c, slot, tile, position);
    LayOwnHandTile(c, slot, position, TilePicture(kOwnHandSet, tile), replacement || t.WildTile > 0);
    const bool dealComplete = own.ConcealedCount == kDealerHand || (own.ConcealedCount == kHand && own.DealerFlag == 0);
    if (t.WildTile < 0 && dealComplete) RevealDealtHand(c);
}
}  // namespace

void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) {
    const int seat = LocalSeatOfBit(c, seatBit);
    ParkLastDiscard(c, seatBit, count);
    c.table.KongDeclared = false;
    SetHandTileSizes(c);
    const int slot = GrowConcealedRun(c.seatInfo[seat], count);
    if (seat != 0) ReceiveOtherTiles(c, seat, count, slot);
    else if (count == 1) ReceiveOwnDraw(c, slot, tiles[3] & 0xFF);
    else ReceiveOwnDealPass(c, slot, tiles);
    c.table.DrawFromFront = true;
}
