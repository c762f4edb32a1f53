#include "messages/SetupWallBreak.h"
#include "shared/Client.h"

namespace {
constexpr int kWallTiles = 136;
constexpr int kStacksPerWall = 17;
}  // namespace

int16_t WallBreak(int dealerSeat, int firstThrow, int secondThrow) {
    const int wall = ((dealerSeat + 13 - firstThrow) % 4 + 4) % 4;
    const int stacks = wall * kStacksPerWall + firstThrow + secondThrow;
    return static_cast<int16_t>((stacks * 2 % kWallTiles + kWallTiles) % kWallTiles);
}

void MarkSetupDealer(Client& c) {
    TableState& t = c.table;
    if (t.DealerBit == 0) return;
    for (int seat = 0; seat < 4; ++seat) {
        if (c.seatInfo[seat].SeatBit != t.DealerBit) continue;
        c.seatInfo[seat].DealerFlag = -1;
        t.WallFront = WallBreak(seat, t.Dice[0], t.Dice[1]);
        t.WallBack = static_cast<int16_t>((t.WallFront + kWallTiles - 2) % kWallTiles);
        return;
    }
}
