#include "messages/TableViews.h"
#include "play/ClaimAnnouncements.h"
#include "play/OtherDiscard.h"
#include "play/ReceiveTiles.h"
#include "shared/Client.h"
#include "watch/WatchView.h"

namespace {
class PlayerView final : public TableView {
public:
    void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) const override {
        ::ReceiveTiles(c, seatBit, count, tiles);
    }
    void ShowDiscard(Client& c, uint8_t seatBit, int16_t tile) const override { ShowOtherDiscard(c, seatBit, tile); }
    void ShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles) const override {
        ::ShowOperation(c, op, seatBit, tiles);
    }
};

class WatchView final : public TableView {
public:
    void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles) const override {
        SideReceiveTiles(c, seatBit, count, tiles);
    }
    void ShowDiscard(Client& c, uint8_t seatBit, int16_t tile) const override { SideShowDiscard(c, seatBit, tile); }
    void ShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles) const override {
        SideShowOperation(c, op, seatBit, tiles);
    }
};

const PlayerView kPlayerView;
const WatchView kWatchView;
}  // namespace

const TableView& ViewOf(const Client& c) {
    if (c.table.SpectatorMode) return kWatchView;
    return kPlayerView;
}
