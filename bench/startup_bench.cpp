// The start-up of the whole `dravik-table` process, offscreen: from the
// process start to the shown table, which listens for the lobby's messages
// as the last step of its start-up.
#include "support/FakeGameServer.h"
#include "support/TableProcess.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {
const QString kTable = QStringLiteral("Dravik麻将");

void StartUpToShownTable(benchmark::State& state) {
    QTemporaryDir runtime;
    LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
    FakeGameServer server;
    for (auto _ : state) {
        TableProcess table(QStringLiteral(DRAVIK_TABLE_BINARY), runtime.path());
        QElapsedTimer elapsed;
        elapsed.start();
        table.Start({DirectCommandLine(server.Port())});
        while (!lobby.link.FindWindow(kTable)) {
            if (elapsed.elapsed() > 20000) {
                state.SkipWithError("the table did not start");
                return;
            }
            QCoreApplication::processEvents();
            QThread::usleep(500);
        }
        state.SetIterationTime(elapsed.nsecsElapsed() / 1e9);
        lobby.link.PostMessage(kTable, 0x10, 0, 0);
        table.WaitForExit(5000);
    }
}
BENCHMARK(StartUpToShownTable)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
