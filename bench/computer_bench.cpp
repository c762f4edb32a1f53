// The computer player's two decisions on a full hand of 14 concealed tiles:
// each must fit many times over into one 50 ms scheduler tick.
#include "computer/MoveChoice.h"
#include "shared/Client.h"
#include "support/TestClient.h"
#include <benchmark/benchmark.h>

namespace {
// A hand of all four suits with runs, pairs and lone tiles, as a hand in
// play looks.
void LayHand(Client& c) {
    const int tiles[] = {0x81, 0x82, 0x83, 0x85, 0x85, 0x89, 0x44, 0x46, 0x47, 0x23, 0x24, 0x28, 0x11, 0x15};
    SeatInfo& own = c.seatInfo[0];
    own.FirstConcealed = 4;
    own.ConcealedCount = std::size(tiles);
    for (size_t k = 0; k < std::size(tiles); ++k)
        own.Slots[own.FirstConcealed + k] = {1, static_cast<int16_t>(tiles[k]), static_cast<int16_t>(k), 0};
    c.computer.WeakSuit = 1;
    c.computer.SuitsPresent = 3;
}

void ChooseDiscardOnFourteenTiles(benchmark::State& state) {
    TestClient t;
    LayHand(*t);
    for (auto _ : state) benchmark::DoNotOptimize(ChooseDiscard(*t));
}
BENCHMARK(ChooseDiscardOnFourteenTiles)->Unit(benchmark::kMicrosecond);

void ShouldClaimOnFourteenTiles(benchmark::State& state) {
    TestClient t;
    LayHand(*t);
    // A chow with two shapes to weigh and a pung of a held pair.
    const int kind = static_cast<int>(state.range(0));
    const int tile = kind == 1 ? 0x45 : 0x85;
    for (auto _ : state) benchmark::DoNotOptimize(ShouldClaim(*t, kind, tile));
}
BENCHMARK(ShouldClaimOnFourteenTiles)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
}  // namespace
