#include "play/HandSorting.h"
#include "wire/General.h"
#include "table/TileAccess.h"
#include "wire/LobbyWindowLink.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include <array>
#include <utility>

namespace {
bool ComesBefore(int later, int earlier) {
    const int suitLater = SuitBit(later), suitEarlier = SuitBit(earlier);
    return suitEarlier < suitLater || (suitEarlier == suitLater && Rank(earlier) > Rank(later));
}

// An exchange sort: equal tiles are never exchanged with each other.
template <typename TileAt>
void OrderTiles(int first, int last, TileAt tileAt) {
    for (int i = first; i < last; ++i)
        for (int j = i + 1; j <= last; ++j)
            if (ComesBefore(tileAt(j), tileAt(i))) std::swap(tileAt(i), tileAt(j));
}
}  // namespace

void SortHand(Client& c, int seat, int n) {
    SeatInfo& info = CheckedAt(c.seatInfo, seat, "SeatInfo");
    const int first = info.FirstConcealed, last = info.FirstConcealed + n - 1;
    auto tileAt = [&](int slot) -> int16_t& { return CheckedAt(info.Slots, slot, "Slots").Tile; };
    std::array<int16_t, 21> before{};
    for (int slot = first; slot <= last; ++slot) before[slot] = tileAt(slot);
    OrderTiles(first, last, tileAt);
    // A spectator's watched hand showed backs until now: every slot needs its face.
    const bool onlyChanged = seat == 0 && c.table.WildTile > 0 && !c.table.SpectatorMode;
    const int set = seat == 0 ? kOwnHandSet : seat;
    for (int slot = first; slot <= last; ++slot) {
        if (onlyChanged && tileAt(slot) == before[slot]) continue;
        ShowTileImage(c, info.Slots[slot].Image, TilePicture(set, tileAt(slot)));
    }
}

void SortTileArray(Client& c, std::span<int16_t> tiles, int n) {
    try {
        OrderTiles(0, n - 1, [&](int i) -> int16_t& { return CheckedAt(tiles, i, "SortTileArray"); });
    } catch (const RuntimeError& error) {
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("error while sorting a tile list: %1").arg(QString::fromStdString(error.what())));
    }
}
