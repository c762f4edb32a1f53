#include "watch/WatchDiscardRows.h"
#include "play/DiscardRows.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"

namespace {
constexpr int kRightSeat = 3;
}  // namespace

void ListRightDiscard(Client& c, int16_t image) {
    if (c.table.RightDiscardCount >= static_cast<int>(c.table.RightDiscardImages.size())) return;
    RestackRightDiscards(c, image);
}

void MoveDiscardPlaceOn(Client& c, int seat) {
    const SeatInfo& discarder = CheckedAt(c.seatInfo, seat, "SeatInfo");
    c.table.SavedDiscardX = discarder.DiscardX;
    c.table.SavedDiscardY = discarder.DiscardY;
    AdvanceDiscardPlace(c, seat);
}

void TakeBackClaimedDiscard(Client& c) {
    TableState& t = c.table;
    SeatInfo& discarder = CheckedAt(c.seatInfo, t.LastDiscarder, "SeatInfo");
    discarder.DiscardX = t.SavedDiscardX;
    discarder.DiscardY = t.SavedDiscardY;
    // Only a listed discard leaves the list: one laid beyond its 24 entries never entered it.
    if (t.LastDiscarder == kRightSeat && t.RightDiscardCount > 0 &&
        CheckedAt(t.RightDiscardImages, t.RightDiscardCount - 1, "RightDiscardImages") == t.LastDiscardImage)
        --t.RightDiscardCount;
}
