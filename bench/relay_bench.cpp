// The video relay under a storm of clients that log in and ask for their
// links all at once. Its work per client stays the same however large the
// crowd, as each message costs in proportion to what it changes: the game
// server, whose event loop the relay shares, is never held up for long.
#include "dravik-server/VideoRelay.h"
#include "support/EventLoopWait.h"
#include "support/RelayCrowd.h"
#include <benchmark/benchmark.h>

namespace {
constexpr int kWaitMs = 120000;

void LinkStorm(benchmark::State& state) {
    const int size = int(state.range(0));
    if (!RaiseOpenFileLimit(2 * size + 256)) return state.SkipWithError("too few open files allowed");
    VideoRelay relay;
    int logins = 0, closes = 0;
    QObject::connect(&relay, &VideoRelay::Event, [&](const QString& line) {
        logins += line.startsWith(QLatin1String("relay login "));
        closes += line.startsWith(QLatin1String("relay close "));
    });
    if (!relay.Listen(0)) return state.SkipWithError("the relay cannot listen");
    for (auto _ : state) {
        state.PauseTiming();
        {
            RelayCrowd crowd(relay.Port(), size);
            if (!crowd.Connect(kWaitMs)) return state.SkipWithError("the crowd cannot connect");
            state.ResumeTiming();
            crowd.LogInAndLink();
            if (!crowd.WaitAllLinked(kWaitMs)) return state.SkipWithError("the crowd did not link");
            state.PauseTiming();
        }
        // The crowd has gone; the relay lets go of it before the next storm.
        if (!WaitUntil([&] { return closes == logins; }, kWaitMs)) return state.SkipWithError("the relay kept the crowd");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * size);
}
BENCHMARK(LinkStorm)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
