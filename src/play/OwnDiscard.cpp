#include "play/OwnDiscard.h"
#include "play/CentreDiscard.h"
#include "play/ClaimAnswers.h"
#include "play/HandSorting.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"

namespace {
ImageControl& SlotImage(Client& c, int slot) { return TileImage(c, OwnSlot(c, slot).Image); }
int LastSlot(const Client& c) { return c.seatInfo[0].FirstConcealed + c.seatInfo[0].ConcealedCount - 1; }
}  // namespace

void CheckOwnDiscard(Client& c, int slot) {
    TileFace(OwnSlot(c, slot).Tile);
    for (int i = slot; i <= LastSlot(c); ++i) SlotImage(c, i);
}

void DiscardOwnSlot(Client& c, int slot) {
    CheckOwnDiscard(c, slot);
    TableState& t = c.table;
    SeatInfo& own = c.seatInfo[0];
    const int tile = OwnSlot(c, slot).Tile;
    const int image = OwnSlot(c, slot).Image;
    t.MustDiscard = false;
    SetDiscardTileSize(c, 0);
    SendDiscard(c, tile);
    t.LastDiscardImage = static_cast<int16_t>(image);
    t.LastDiscarder = 0;
    LayDiscardInCentre(c, 0, image, tile);
    SetHandTileSize(c, 0);

    // The slots after the discard move down one; the old last slot falls out of the run.
    for (int i = slot; i < LastSlot(c); ++i) {
        own.Slots[i] = OwnSlot(c, i + 1);
        SlotImage(c, i).Move(own.HandX + i * t.TileWidth[0], own.HandY);
    }
    SortHand(c, 0, own.ConcealedCount - 1);
    --own.ConcealedCount;
}
