#include "play/HandRows.h"
#include "wire/General.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"

namespace {
constexpr int kFirstWildKongEntry = 4;

// A tile set apart marks a fresh draw: 10 pixels further along the row.
QPointF OtherSetApartOffset(const Client& c, int seat) {
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    switch (seat) {
    case 1: return {0, 10 * sy};
    case 2: return {-10 * sx, 0};
    default: return {0, -10 * sy};
    }
}
}  // namespace

int GrowConcealedRun(SeatInfo& seat, int count) {
    const int slot = seat.FirstConcealed + seat.ConcealedCount;
    seat.ConcealedCount = static_cast<int16_t>(seat.ConcealedCount + count);
    return slot;
}

QPointF OtherHandPlace(const Client& c, int seat, int slot, double tileWidth) {
    const SeatInfo& s = CheckedAt(c.seatInfo, seat, "SeatInfo");
    const double sx = c.table.ScaleX;
    switch (seat) {
    case 1: return {s.HandX - 5 * sx * slot, s.HandY + tileWidth / 2 * slot};
    case 2: return {s.HandX - slot * tileWidth, double(s.HandY)};
    default: return {s.HandX - 5 * sx * (slot + 1), s.HandY - tileWidth / 2 * (slot + 1)};
    }
}

void LayOtherHandTile(Client& c, int seat, int slot, int16_t wallPosition, bool setApart) {
    ImageControl& image = TileImage(c, wallPosition);
    QPointF place = OtherHandPlace(c, seat, slot, c.table.TileWidth[seat]);
    if (setApart) place += OtherSetApartOffset(c, seat);
    image.Move(place.x(), place.y(), c.table.TileWidth[seat], c.table.TileHeight[seat]);
    ShowTileImage(c, wallPosition, BackPicture(seat));
    if (seat == 1) BringToFront(image);
    else if (seat == 3) SendToBack(image);
    TileSlot& target = SeatSlot(c.seatInfo[seat], slot);
    target.Image = wallPosition;
    target.Flag = SlotFlag::Concealed;
}

void BringOwnWildKongsForward(Client& c) {
    for (int k = 0; k < c.seatInfo[0].WildKongCount; ++k)
        BringToFront(TileImage(c, CheckedAt(c.table.SingleKongImages[0], kFirstWildKongEntry + k, "SingleKongImages")));
}

void PutOwnTile(Client& c, int slot, int tile, int16_t wallPosition) {
    TileSlot& target = OwnSlot(c, slot);
    target.Tile = static_cast<int16_t>(tile);
    target.Flag = SlotFlag::Concealed;
    target.Image = wallPosition;
}

double OwnHandLeft(const Client& c, int slot) { return c.seatInfo[0].HandX + slot * double(c.table.TileWidth[0]); }

void LayOwnHandTile(Client& c, int slot, int16_t wallPosition, int16_t picture, bool setApart) {
    const double width = c.table.TileWidth[0];
    ShowTileImage(c, wallPosition, picture);
    const double left = OwnHandLeft(c, slot) + (setApart ? width / 2 : 0);
    TileImage(c, wallPosition).Move(left, c.seatInfo[0].HandY, width, c.table.TileHeight[0]);
}

void ReseatOwnRow(Client& c, int first, int end) {
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = first; slot < end; ++slot) {
        ImageControl& image = TileImage(c, OwnSlot(c, slot).Image);
        image.Move(OwnHandLeft(c, slot), own.HandY, image.Width(), image.Height());
    }
}
