#include "play/WallDraws.h"
#include "shared/TableState.h"

namespace {
constexpr int kWallTiles = 136;
}

int16_t StepWallBack(int16_t wallBack) {
    return static_cast<int16_t>(wallBack % 2 == 0 ? wallBack + 1 : (wallBack + kWallTiles - 3) % kWallTiles);
}

int16_t DrawFromWallFront(TableState& t) {
    if (t.WallBack == t.WallFront) t.WallBack = StepWallBack(t.WallBack);
    const int16_t taken = t.WallFront;
    t.WallFront = static_cast<int16_t>((t.WallFront + 1) % kWallTiles);
    if (t.WallFront + 1 == t.WallBack && t.WallBack % 2 == 1) t.WallFront = t.WallBack;
    return taken;
}

int16_t DrawFromWallBack(TableState& t) {
    if (t.WallBack == t.WallFront) t.WallFront = static_cast<int16_t>((t.WallFront + 1) % kWallTiles);
    const int16_t taken = t.WallBack;
    t.WallBack = StepWallBack(t.WallBack);
    if (t.WallBack + 1 == t.WallFront) t.WallBack = t.WallFront;
    return taken;
}
