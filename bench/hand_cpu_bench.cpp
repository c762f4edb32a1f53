// The processor time a whole hand costs the client, on the real clock: the
// real dravik-server with quick computer players and two auto-play clients of
// each build measured (TableBuilds.h) at its table, so that every build plays
// the same hand. From the hand's start to its end in the server's
// log, a client's user and system time (the mean of its build's) beside the
// hand's length. Also the share of
// the processor a quiet wait on the real clock takes.
#include "TableBuilds.h"
#include "platform/RealClock.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <unistd.h>

namespace {
constexpr int kHandMs = 300000;

// User and system time of a process in seconds; -1 when it cannot be read.
double ProcessorSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    // The fields after the program's name, which may hold blanks: state first,
    // user time 12th and system time 13th, in clock ticks.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
}

double OwnProcessorSeconds() { return ProcessorSeconds(QCoreApplication::applicationPid()); }

struct Player {
    Player(const TableBuild& build, int number, quint16 port)
        : lobby(runtime.path(), QStringLiteral("托管大厅%1").arg(number)), table(build.binary, runtime.path()) {
        table.Start({AutoPlayCommandLine(port, QStringLiteral("robot%1").arg(number),
                                         QStringLiteral("托管大厅%1").arg(number), QStringLiteral("托管牌桌%1").arg(number))});
    }
    QTemporaryDir runtime;
    LobbyRecorder lobby;
    TableProcess table;
};

void ProcessorTimeOfAnAutoPlayedHand(benchmark::State& state) {
    const std::vector<TableBuild> builds = TableBuilds();
    for (auto _ : state) {
        QProcess server;
        ServerLog log{server};
        server.start(QStringLiteral(DRAVIK_SERVER_BINARY), {"--port", "0", "--turn-seconds", "1", "--move-ms", "100",
                                                           "--timeout-limit", "0", "--seed", "7"});
        const quint16 port = log.WaitForPort(10000);
        if (port == 0) return state.SkipWithError("the server did not start");
        std::vector<std::unique_ptr<Player>> players;
        for (size_t seat = 0; seat < 2 * builds.size(); ++seat)
            players.push_back(std::make_unique<Player>(builds[seat % builds.size()], int(seat) + 1, port));
        if (!log.WaitFor(QRegularExpression("^hand 1 start "), 60000)) return state.SkipWithError("no hand started");
        std::vector<double> atStart;
        for (const auto& player : players) atStart.push_back(ProcessorSeconds(player->table.Pid()));
        QElapsedTimer hand;
        hand.start();
        if (!log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), kHandMs))
            return state.SkipWithError("the hand did not end");
        const double handSeconds = hand.nsecsElapsed() / 1e9;
        state.SetIterationTime(handSeconds);
        state.counters["hand_s"] = handSeconds;
        std::vector<double> used(builds.size());
        for (size_t seat = 0; seat < players.size(); ++seat) {
            const double end = ProcessorSeconds(players[seat]->table.Pid());
            if (atStart[seat] < 0 || end < 0) return state.SkipWithError("a client ended during the hand");
            used[seat % builds.size()] += (end - atStart[seat]) / 2;
        }
        for (size_t i = 0; i < builds.size(); ++i) {
            state.counters[builds[i].prefix + "_cpu_s"] = used[i];
            state.counters[builds[i].prefix + "_cpu_share"] = used[i] / handSeconds;
        }
        server.kill();
        server.waitForFinished(5000);
    }
}
BENCHMARK(ProcessorTimeOfAnAutoPlayedHand)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

// A wait of the client's on the real clock with nothing to handle: the share
// of the waited time the process spends on the processor.
void QuietWaitOnTheRealClock(benchmark::State& state) {
    RealClock clock;
    for (auto _ : state) {
        const double processorBefore = OwnProcessorSeconds(), start = clock.Now();
        while (clock.Now() - start <= 0.2) clock.Pump(start + 0.2);
        state.counters["cpu_share"] = (OwnProcessorSeconds() - processorBefore) / (clock.Now() - start);
    }
}
BENCHMARK(QuietWaitOnTheRealClock)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
