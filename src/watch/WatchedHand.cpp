#include "watch/WatchedHand.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include <QRectF>
#include <bitset>
#include <utility>

namespace {
constexpr int kSlots = 21;

bool SameTile(int16_t a, int16_t b) { return (a & 0xFF) == (b & 0xFF); }

void ExchangeSlots(Client& c, int a, int b) {
    SeatInfo& watched = c.seatInfo[0];
    TileSlot& first = SeatSlot(watched, a);
    TileSlot& second = SeatSlot(watched, b);
    ImageControl& firstImage = TileImage(c, first.Image);
    ImageControl& secondImage = TileImage(c, second.Image);
    const QRectF firstPlace(firstImage.Left(), firstImage.Top(), firstImage.Width(), firstImage.Height());
    firstImage.Move(secondImage.Left(), secondImage.Top(), secondImage.Width(), secondImage.Height());
    secondImage.Move(firstPlace.left(), firstPlace.top(), firstPlace.width(), firstPlace.height());
    std::swap(first, second);
}
}  // namespace

void GatherWatchedTiles(Client& c, std::initializer_list<LeavingTile> leaving) {
    const SeatInfo& watched = c.seatInfo[0];
    const int first = watched.FirstConcealed, end = first + watched.ConcealedCount;
    std::bitset<kSlots> gathered;
    for (const LeavingTile& tile : leaving) {
        if (SameTile(SeatSlot(watched, tile.slot).Tile, tile.tile)) {
            gathered.set(tile.slot);
            continue;
        }
        for (int slot = end - 1; slot >= first; --slot) {
            const TileSlot& held = SeatSlot(watched, slot);
            if (gathered.test(slot) || !SameTile(held.Tile, tile.tile)) continue;
            ExchangeSlots(c, slot, tile.slot);
            gathered.set(tile.slot);
            break;
        }
    }
}

std::array<int16_t, 2> TilesFromHand(const std::array<int16_t, 3>& tiles, int16_t discard) {
    for (int j = 2; j >= 0; --j) {
        if (!SameTile(tiles[j], discard)) continue;
        std::array<int16_t, 2> fromHand{};
        for (int k = 0, n = 0; k < 3; ++k)
            if (k != j) fromHand[n++] = tiles[k];
        return fromHand;
    }
    return {tiles[0], tiles[1]};
}
