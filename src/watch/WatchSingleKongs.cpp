#include "watch/WatchSingleKongs.h"
#include "play/SingleKongs.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include "watch/WatchedHand.h"

// The row shows backs, so another seat's last tile stands for whichever it
// declared; the watched seat's tile is first exchanged there by its code.
void LayWatchedSingleKong(Client& c, int seat, const std::array<int16_t, 3>& tiles) {
    c.table.DrawFromFront = false;
    const int16_t tile = tiles[2];
    SeatInfo& info = c.seatInfo[seat];
    const int last = info.FirstConcealed + info.ConcealedCount - 1;
    if (seat == 0) GatherWatchedTiles(c, {{tile, last}});
    // The next meld group's first slot holds the kong tile until a meld is laid there.
    TileSlot& kongSlot = SeatSlot(info, info.MeldEnd - 2);
    kongSlot = SeatSlot(info, last);
    ImageControl& image = TileImage(c, kongSlot.Image);
    BringToFront(image);
    SizeToSeatTile(c, seat, image);
    --info.ConcealedCount;
    // Slot 0 marks that the seat has a Red Dragon pile.
    if (PileOfSingleKong(c, tile) == SingleKongPile::RedDragon && info.RedKongCount == 0) SeatSlot(info, 0) = kongSlot;
    PlaceSingleKongTile(c, seat, kongSlot.Image, tile);
}
