// How many hands the server's rules and computer players play per second
// with all four seats computer and no pause between moves.
#include "dravik-server/HandTable.h"
#include <benchmark/benchmark.h>

namespace {
void PlayComputerHands(benchmark::State& state) {
    HandTableSettings settings;
    settings.computerMoveDelay = HandTable::Time(0);
    HandTable table(settings, 7, [](int, const GamePacket&) {}, [](const QString&) {});
    const HandTable::Time now(0);
    int64_t hands = 0;
    for (auto _ : state) {
        table.StartHand(now);
        while (!table.HandEnded()) table.Advance(now);
        ++hands;
    }
    state.SetItemsProcessed(hands);
    state.counters["hands_per_second"] = benchmark::Counter(double(hands), benchmark::Counter::kIsRate);
}
BENCHMARK(PlayComputerHands)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
