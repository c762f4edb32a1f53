#include "dravik-server/HandPackets.h"
#include "dravik-server/HandTable.h"
#include "dravik-server/ServerPackets.h"

// The hand in progress as a client that comes back, or a watcher that comes
// in, is shown it.

using Rules::Tile;

namespace {
constexpr int kWallTiles = 136;
}  // namespace

GamePacket HandTable::SetupPacket() const { return HandSetupPacket(BitOf(dealer_), dice_, wild_, indicator_); }

std::vector<GamePacket> HandTable::RebuildPackets(int seat) const {
    std::array<bool, 4> shown{};
    shown[seat] = true;
    return RebuildPacketsShowing(shown);
}

std::vector<GamePacket> HandTable::WatcherRebuildPackets() const { return RebuildPacketsShowing({true, true, true, true}); }

std::vector<GamePacket> HandTable::RebuildPacketsShowing(const std::array<bool, 4>& shown) const {
    // Every tile out of the wall, the indicator included.
    const int wallTaken = kWallTiles - int(wallBack_ - wallFront_);
    std::vector<GamePacket> packets;
    for (int seat = 0; seat < 4; ++seat) {
        Rules::Hand hand = hands_[seat];
        if (!shown[seat]) std::fill(hand.concealed.begin(), hand.concealed.end(), Tile(0));
        packets.push_back(TableRebuildPacket(BitOf(seat), hand, int(discards_[seat].size()), wallTaken, wild_));
    }
    return packets;
}

void HandTable::Rejoin(int seat, Time now) {
    SetClientSeat(seat, true);
    if (!HandRunning()) return;
    SendTo(seat, SetupPacket(), now);
    for (const GamePacket& packet : RebuildPackets(seat)) SendTo(seat, packet, now);
    if (phase_ == Phase::Turn && seat == turnSeat_) {
        PromptSeat(seat, OpenOffer(seat), now);
        turnDeadline_ = ClientDeadline(seat, now);
    }
}
