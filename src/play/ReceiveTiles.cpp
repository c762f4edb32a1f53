#include "play/ReceiveTiles.h"
#include "connection/General.h"
#include "play/DiscardParking.h"
#include "play/HandSorting.h"
#include "play/PlayState.h"
#include "play/TilePictures.h"
#include "play/TileSizes.h"
#include "play/WallDraws.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/StackingOrder.h"
#include <QPointF>

namespace {
constexpr int kWallTiles = 136;
constexpr int kDealerHand = 14;
constexpr int kHand = 13;
constexpr double kBacksShownAtDealEnd = 1.0;
constexpr int kFirstWildKongEntry = 4;

// The place of hand slot `slot` of another seat: the side seats' hands run
// down (left) and up (right) the table, each tile half a tile width along
// and 5 design pixels further left; the right seat counts from slot + 1.
QPointF OtherHandPlace(const Client& c, int seat, int slot) {
    const SeatInfo& s = c.seatInfo[seat];
    const double sx = c.table.ScaleX, width = c.table.TileWidth[seat];
    switch (seat) {
    case 1: return {s.HandX - 5 * sx * slot, s.HandY + width / 2 * slot};
    case 2: return {s.HandX - slot * width, double(s.HandY)};
    default: return {s.HandX - 5 * sx * (slot + 1), s.HandY - width / 2 * (slot + 1)};
    }
}

// A tile set apart marks a fresh draw: 10 pixels further along the row.
QPointF OtherSetApartOffset(const Client& c, int seat) {
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    switch (seat) {
    case 1: return {0, 10 * sy};
    case 2: return {-10 * sx, 0};
    default: return {0, -10 * sy};
    }
}

// One tile into another seat's hand, as a standing back.
void LayOtherTile(Client& c, int seat, int slot, int16_t wallPosition, bool setApart) {
    ImageControl& image = TileImage(c, wallPosition);
    QPointF place = OtherHandPlace(c, seat, slot);
    if (setApart) place += OtherSetApartOffset(c, seat);
    image.Move(place.x(), place.y(), c.table.TileWidth[seat], c.table.TileHeight[seat]);
    ShowTileImage(c, wallPosition, BackPicture(seat));
    if (seat == 1) BringToFront(image);
    else if (seat == 3) SendToBack(image);
    TileSlot& target = SeatSlot(c.seatInfo[seat], slot);
    target.Image = wallPosition;
    target.Flag = SlotFlag::Concealed;
}

void ReceiveOtherTiles(Client& c, int seat, int count, int slot) {
    TableState& t = c.table;
    const SeatInfo& info = c.seatInfo[seat];
    if (count == 1 && !t.DrawFromFront) {
        // The replacement tile after a kong.
        const int16_t position = DrawFromWallBack(t);
        LayOtherTile(c, seat, slot, position, true);
    } else {
        for (int i = 0; i < count; ++i, ++slot) {
            const int16_t position = DrawFromWallFront(t);
            // Before the wild tile is known, only the dealer's 14th tile of the deal stands apart.
            const bool setApart = count == 1 && (t.WildTile > 0 || info.ConcealedCount == kDealerHand);
            LayOtherTile(c, seat, slot, position, setApart);
        }
    }
    // The own one-tile wild kongs lie where the left seat's hand overlaps them.
    if (seat == 1)
        for (int k = 0; k < c.seatInfo[0].WildKongCount; ++k)
            BringToFront(TileImage(c, CheckedAt(t.SingleKongImages[0], kFirstWildKongEntry + k, "SingleKongImages")));
}

// One own tile, face up, at its slot's place (half a tile further right when set apart).
void LayOwnTile(Client& c, int slot, int16_t wallPosition, int tile, bool setApart) {
    const SeatInfo& own = c.seatInfo[0];
    const double width = c.table.TileWidth[0];
    ShowTileImage(c, wallPosition, TilePicture(kOwnHandSet, tile));
    const double left = own.HandX + slot * width + (setApart ? width / 2 : 0);
    TileImage(c, wallPosition).Move(left, own.HandY, width, c.table.TileHeight[0]);
}

void PutOwnTile(Client& c, int slot, int tile, int16_t wallPosition) {
    TileSlot& target = OwnSlot(c, slot);
    target.Tile = static_cast<int16_t>(tile);
    target.Flag = SlotFlag::Concealed;
    target.Image = wallPosition;
}

// The own deal pass takes its four tiles straight from the front, in dealt order.
void ReceiveOwnDealPass(Client& c, int slot, const std::array<int16_t, 4>& tiles) {
    TableState& t = c.table;
    for (int16_t word : tiles) {
        const int tile = word & 0xFF;
        const int16_t position = t.WallFront;
        PutOwnTile(c, slot, tile, position);
        LayOwnTile(c, slot, position, tile, false);
        t.WallFront = static_cast<int16_t>((t.WallFront + 1) % kWallTiles);
        ++slot;
    }
}

// Puts every held tile back in its place, so that a tile still set apart or
// raised returns to the row; after a kong the hand is sorted again.
void ReseatOwnHand(Client& c) {
    SeatInfo& own = c.seatInfo[0];
    const int held = own.ConcealedCount - 1;
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + held; ++slot) {
        ImageControl& image = TileImage(c, SeatSlot(own, slot).Image);
        image.Move(own.HandX + slot * double(c.table.TileWidth[0]), own.HandY, image.Width(), image.Height());
    }
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
    LayOwnTile(c, slot, position, tile, replacement || t.WildTile > 0);
    const bool dealComplete = own.ConcealedCount == kDealerHand || (own.ConcealedCount == kHand && own.DealerFlag == 0);
    if (t.WildTile < 0 && dealComplete) RevealDealtHand(c);
}
}  // namespace

void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) {
    const int seat = LocalSeatOfBit(c, seatBit);
    ParkLastDiscard(c, seatBit, count);
    c.table.KongDeclared = false;
    SetHandTileSizes(c);
    SeatInfo& info = c.seatInfo[seat];
    const int slot = info.FirstConcealed + info.ConcealedCount;
    info.ConcealedCount = static_cast<int16_t>(info.ConcealedCount + count);
    if (seat != 0) ReceiveOtherTiles(c, seat, count, slot);
    else if (count == 1) ReceiveOwnDraw(c, slot, tiles[3] & 0xFF);
    else ReceiveOwnDealPass(c, slot, tiles);
    c.table.DrawFromFront = true;
}
