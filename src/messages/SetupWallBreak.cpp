#include "messages/SetupWallBreak.h"
#include "shared/Client.h"

namespace {
constexpr int kWallTiles = 136;
constexpr int kStacksPerWall = 17;
}  // namespace

void MarkSetupDealer(Client& c) {
    TableState& t = c.table;
    if (t.DealerBit == 0) return;
    for (int seat = 0; seat < 4; ++seat) {
        if (c.seatInfo[seat].SeatBit != t.DealerBit) continue;
        c.seatInfo[seat].DealerFlag = -1;
        // The hand start's rule, with the first throw's total and the second's.
        const int wall = ((seat + 13 - t.Dice[0]) % 4 + 4) % 4;
        const int stacks = wall * kStacksPerWall + t.Dice[0] + t.Dice[1];
        t.WallFront = static_cast<int16_t>((stacks * 2 % kWallTiles + kWallTiles) % kWallTiles);
        t.WallBack = static_cast<int16_t>((t.WallFront + kWallTiles - 2) % kWallTiles);
        return;
    }
}
