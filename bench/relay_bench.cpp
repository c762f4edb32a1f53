// The video relay under a storm of clients that log in and ask for their
// links all at once:
// - the relay alone: its work per client stays the same however large the
//   crowd, as each message costs in proportion to what it changes;
// - the real dravik-server: how long a log-in to its game port waits for its
//   answer meanwhile, against the goal of 100 ms.
#include "dravik-server/VideoRelay.h"
#include "support/EventLoopWait.h"
#include "support/GamePortProbe.h"
#include "support/RelayCrowd.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
constexpr int kWaitMs = 120000;
constexpr int kStartMs = 10000;
constexpr double kGoalMs = 100;

// The server measured: DRAVIK_BENCH_SERVER names another build of it to compare with.
QString ServerBinary() { return qEnvironmentVariable("DRAVIK_BENCH_SERVER", QStringLiteral(DRAVIK_SERVER_BINARY)); }

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

// From the moment the crowd starts to connect until every client has its
// links, the game port is asked for a log-in again and again (GamePortProbe);
// the counters are the worst and the median wait for the answer.
void GamePortDuringLinkStorm(benchmark::State& state) {
    const int size = int(state.range(0));
    if (!RaiseOpenFileLimit(2 * size + 256)) return state.SkipWithError("too few open files allowed");
    std::vector<double> answers;
    for (auto _ : state) {
        QProcess server;
        ServerLog log(server);
        server.start(ServerBinary(), {"--port", "0", "--relay-port", "0"});
        const quint16 port = log.WaitForPort(kStartMs);
        const quint16 relayPort = log.WaitForRelayPort(kStartMs);
        if (!port || !relayPort) return state.SkipWithError("the server did not start");
        RelayCrowd crowd(relayPort, size);
        GamePortProbe probe(port);
        bool linked = crowd.Connect(kWaitMs);
        if (linked) {
            crowd.LogInAndLink();
            linked = crowd.WaitAllLinked(kWaitMs);
        }
        const std::vector<double> storm = probe.Stop();
        server.kill();
        server.waitForFinished(kStartMs);
        if (!linked) return state.SkipWithError("the crowd did not link");
        answers.insert(answers.end(), storm.begin(), storm.end());
    }
    if (answers.empty()) return state.SkipWithError("no log-in was tried");
    std::sort(answers.begin(), answers.end());
    state.counters["worst_ms"] = answers.back();
    state.counters["median_ms"] = answers[answers.size() / 2];
    state.counters["goal_ms"] = kGoalMs;
    state.counters["log_ins"] = double(answers.size());
}
BENCHMARK(GamePortDuringLinkStorm)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
