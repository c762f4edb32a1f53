#include "play/SingleKongs.h"
#include "wire/General.h"
#include "play/MeldLayout.h"
#include "play/OwnMelds.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/StackingOrder.h"
#include <span>

namespace {
// Each tile of a pile lies this many design pixels above the one before.
constexpr double kPileStep = 18;
constexpr int kWildPileEntries = 4;

// The entries of SingleKongImages of one seat's pile; a seat holds four of a tile at most.
std::span<int16_t, 4> PileEntries(Client& c, int seat, SingleKongPile pile) {
    auto& entries = c.table.SingleKongImages[seat];
    return std::span<int16_t, 4>(entries.data() + (pile == SingleKongPile::WildTile ? kWildPileEntries : 0), 4);
}

QPointF PilePlace(const Client& c, int seat, SingleKongPile pile, int count) {
    const SeatInfo& info = c.seatInfo[seat];
    const TableState& t = c.table;
    const double x = info.HandX, y = info.HandY, sx = t.ScaleX, sy = t.ScaleY;
    const double raise = kPileStep * count * sy;
    if (pile == SingleKongPile::RedDragon) return {seat == 3 ? x - 10 * sx : x, y - raise};
    // The own seat's 2 and the right seat's 17 are whole pixels, unscaled. The
    // own row's close-up has already put the hand size into TileWidth(0).
    switch (seat) {
    case 0: return {x + MeldTileWidth(c, 0) - 2, y - raise};
    case 1: return {x - 5 * sx, y + (t.TileHeight[1] - kSideOverlap * sy) - raise};
    case 2: return {x - t.TileWidth[2], y - raise};
    default: return {x - 15 * sx, y - (t.TileHeight[3] - kSideOverlap) - raise};
    }
}

void LayOnPile(Client& c, int seat, SingleKongPile pile, int16_t imageIndex, int16_t tile) {
    SeatInfo& info = c.seatInfo[seat];
    int16_t& count = pile == SingleKongPile::RedDragon ? info.RedKongCount : info.WildKongCount;
    const QPointF place = PilePlace(c, seat, pile, count);
    ImageControl& image = TileImage(c, imageIndex);
    image.Move(place.x(), place.y());
    ShowTileImage(c, imageIndex, TilePicture(seat, tile));
    // The opposite seat's piles are never re-stacked, so they are not listed.
    if (seat != 2) {
        std::span<int16_t, 4> entries = PileEntries(c, seat, pile);
        CheckedAt(entries, count, "SingleKongImages") = imageIndex;
    }
    ++count;
    if (seat == 1) SendToBack(image);
    if (seat == 3) BringToFront(image);
}

// The first slot of a laid group of the seat that is a pung of the tile, or -1.
int FindPung(const SeatInfo& info, int seat, int16_t tile) {
    for (int i = seat == 0 ? 1 : 2; i <= info.MeldEnd - 5; i += 3) {
        const TileSlot& slot = SeatSlot(info, i);
        if (slot.Tile == tile && slot.Flag == SlotFlag::Pung) return i;
    }
    return -1;
}

// The fourth tile goes onto the pung's middle tile, raised: the side seats'
// by their tile overlap, the others as a kong's fourth tile.
void LayOnPung(Client& c, int seat, int pung, int16_t imageIndex, int16_t tile) {
    SeatInfo& info = c.seatInfo[seat];
    const int middle = pung + 1;
    const double middleLeft = TileImage(c, SeatSlot(info, middle).Image).Left();
    const double raise = (seat == 1 || seat == 3 ? kSideOverlap : kFourthTileRaise) * c.table.ScaleY;
    QPointF place;
    if (seat == 0)
        place = {middleLeft, info.HandY - raise};
    else if (seat == 2)
        place = {MeldSlotPlace(c, 2, middle).x(), info.HandY - raise};
    else
        place = {seat == 1 ? MeldSlotPlace(c, 1, middle).x() : middleLeft, MeldSlotPlace(c, seat, middle).y() - raise};
    TileImage(c, imageIndex).Move(place.x(), place.y());
    ShowTileImage(c, imageIndex, TilePicture(seat, tile));
}
}  // namespace

SingleKongPile PileOfSingleKong(const Client& c, int16_t tile) {
    if (SuitBit(tile) == 1 && Rank(tile) == 5) return SingleKongPile::RedDragon;
    if (tile == c.table.WildTile) return SingleKongPile::WildTile;
    return SingleKongPile::None;
}

void PlaceSingleKongTile(Client& c, int seat, int16_t imageIndex, int16_t tile) {
    const SingleKongPile pile = PileOfSingleKong(c, tile);
    if (pile != SingleKongPile::None) {
        LayOnPile(c, seat, pile, imageIndex, tile);
        return;
    }
    const int pung = FindPung(c.seatInfo[seat], seat, tile);
    if (pung >= 0) LayOnPung(c, seat, pung, imageIndex, tile);
}

void LaySingleKong(Client& c, int seat, const std::array<int16_t, 3>& tiles) {
    TableState& t = c.table;
    t.DrawFromFront = false;
    t.KongDeclared = true;
    SeatInfo& info = c.seatInfo[seat];
    const int m = info.MeldEnd;
    TileSlot& kongSlot = SeatSlot(info, m - 2);
    if (seat != 0) {
        // The row shows only backs, so the last tile stands for whichever the seat declared.
        kongSlot = SeatSlot(info, info.FirstConcealed + info.ConcealedCount - 1);
        TileImage(c, kongSlot.Image).setVisible(false);
        t.LastDiscardImage = kongSlot.Image;
        t.LastDiscardTile = tiles[2];
        --info.ConcealedCount;
    }
    const int16_t imageIndex = kongSlot.Image;
    ImageControl& image = TileImage(c, imageIndex);
    BringToFront(image);
    SizeToSeatTile(c, seat, image);
    const SingleKongPile pile = PileOfSingleKong(c, tiles[2]);
    if (pile == SingleKongPile::RedDragon && info.RedKongCount == 0) SeatSlot(info, 0) = kongSlot;
    if (seat == 0) {
        ApplyOwnSingleKong(c, c.play.KongChoices[0]);
        --info.ConcealedCount;
    }

    PlaceSingleKongTile(c, seat, imageIndex, tiles[2]);
    if (seat != 0) image.setVisible(true);
}

void RepairSingleKongPiles(Client& c, int seat) {
    SeatInfo& info = c.seatInfo[seat];
    auto pileImage = [&](SingleKongPile pile, int i) -> ImageControl& {
        std::span<int16_t, 4> entries = PileEntries(c, seat, pile);
        return TileImage(c, CheckedAt(entries, i, "SingleKongImages"));
    };
    if (seat == 1) {
        if (SeatSlot(info, 1).Image >= 0) SendToBack(TileImage(c, SeatSlot(info, 1).Image));
        for (int i = 1; i < info.WildKongCount; ++i) BringToFront(pileImage(SingleKongPile::WildTile, i));
        if (SeatSlot(info, 0).Image < 0) return;
        for (int i = 0; i < info.RedKongCount; ++i) SendToBack(pileImage(SingleKongPile::RedDragon, i));
        for (int i = info.WildKongCount; i < info.RedKongCount; ++i) BringToFront(pileImage(SingleKongPile::RedDragon, i));
    } else if (seat == 3) {
        for (int i = 0; i < info.WildKongCount; ++i) BringToFront(pileImage(SingleKongPile::WildTile, i));
        for (int i = 0; i < info.RedKongCount; ++i) BringToFront(pileImage(SingleKongPile::RedDragon, i));
    }
}
