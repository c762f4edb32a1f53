// The start-up and the resident memory of the whole `dravik-table` process,
// offscreen, each beside a bare Qt 6 window program (bare_window.cpp):
// - from the process start to the shown table, which listens for the lobby's
//   messages as the last step of its start-up, against the bare window's
//   start to its one packet arriving at a loopback server;
// - the resident memory of the client seated and idle at a table of the fake
//   server, against the bare window's when it has sent its packet.
// The ratios are the counters `ratio`. Also: the look-ups of the sound files
// beside a program folder that sits in a crowded folder.
#include "dravik-server/TableSeating.h"
#include "platform/ProgramPaths.h"
#include "support/EventLoopWait.h"
#include "support/FakeGameServer.h"
#include "support/TableProcess.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {
const QString kTable = QStringLiteral("Dravik麻将");
constexpr int kWaitMs = 20000;

// The client measured: DRAVIK_BENCH_TABLE names another build of it to compare with.
QString TableBinary() { return qEnvironmentVariable("DRAVIK_BENCH_TABLE", QStringLiteral(DRAVIK_TABLE_BINARY)); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& since) { return since.nsecsElapsed() / 1e6; }

// VmRSS of a process in KiB; 0 when it cannot be read.
double ResidentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// The resident memory once it has stayed the same for a second, after at
// least `settleMs`; 0 when it does not settle in time.
double IdleResidentKiB(qint64 pid, int settleMs) {
    QElapsedTimer since;
    since.start();
    double last = 0;
    qint64 sameSince = 0;
    while (since.elapsed() < kWaitMs) {
        WaitUntil([] { return false; }, 100);
        const double now = ResidentKiB(pid);
        if (now != last) {
            last = now;
            sameSince = since.elapsed();
        } else if (since.elapsed() >= settleMs && since.elapsed() - sameSince >= 1000) {
            return now;
        }
    }
    return 0;
}

// One run of the bare window program against a loopback server of its own.
class BareWindow {
public:
    BareWindow() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* connection = server_.nextPendingConnection()) {
                connection_ = connection;
                QObject::connect(connection, &QTcpSocket::readyRead, [this, connection] { received_ += connection->readAll().size(); });
            }
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProgram(QStringLiteral(DRAVIK_BARE_WINDOW_BINARY));
        process_.setArguments({QString::number(server_.serverPort())});
    }
    ~BareWindow() {
        if (connection_) connection_->close();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(5000);
    }
    // Starts the program; true once its packet has arrived.
    bool StartAndWaitForPacket() {
        process_.start();
        return WaitUntil([this] { return received_ >= 272; }, kWaitMs);
    }
    qint64 Pid() const { return process_.processId(); }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> connection_;
    qint64 received_ = 0;
    QProcess process_;
};

// Milliseconds from the start of the bare window to its packet's arrival.
double BareWindowStartUp() {
    BareWindow bare;
    QElapsedTimer elapsed;
    elapsed.start();
    return bare.StartAndWaitForPacket() ? Milliseconds(elapsed) : -1;
}

// Milliseconds from the start of the client to its table window listening.
double TableStartUp(LobbyRecorder& lobby, const FakeGameServer& server, const QString& runtimeDir) {
    TableProcess table(TableBinary(), runtimeDir);
    QElapsedTimer elapsed;
    elapsed.start();
    table.Start({DirectCommandLine(server.Port())});
    while (!lobby.link.FindWindow(kTable)) {
        if (elapsed.elapsed() > kWaitMs) return -1;
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
    const double ms = Milliseconds(elapsed);
    lobby.link.PostMessage(kTable, 0x10, 0, 0);
    table.WaitForExit(5000);
    return ms;
}

void StartUpAgainstBareWindow(benchmark::State& state) {
    QTemporaryDir runtime;
    LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
    FakeGameServer server;
    std::vector<double> table, bare;
    for (auto _ : state) {
        bare.push_back(BareWindowStartUp());
        table.push_back(TableStartUp(lobby, server, runtime.path()));
        if (bare.back() < 0 || table.back() < 0) return state.SkipWithError("a program did not start");
        state.SetIterationTime(table.back() / 1000);
    }
    state.counters["table_ms"] = Median(table);
    state.counters["bare_ms"] = Median(bare);
    state.counters["ratio"] = Median(table) / Median(bare);
}
BENCHMARK(StartUpAgainstBareWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void ResidentMemorySeatedAgainstBareWindow(benchmark::State& state) {
    for (auto _ : state) {
        BareWindow bare;
        if (!bare.StartAndWaitForPacket()) return state.SkipWithError("the bare window did not start");
        const double bareKiB = IdleResidentKiB(bare.Pid(), 1000);

        QTemporaryDir runtime;
        LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
        FakeGameServer server;
        TableProcess table(TableBinary(), runtime.path());
        table.Start({DirectCommandLine(server.Port())});
        if (!server.WaitForPackets(1, kWaitMs)) return state.SkipWithError("the client did not log in");
        for (const GamePacket& packet : SeatingPackets("abc")) server.Send(packet);
        const double tableKiB = IdleResidentKiB(table.Pid(), 2000);
        if (bareKiB <= 0 || tableKiB <= 0) return state.SkipWithError("the resident memory did not settle");
        state.counters["table_MiB"] = tableKiB / 1024;
        state.counters["bare_MiB"] = bareKiB / 1024;
        state.counters["ratio"] = tableKiB / bareKiB;
        lobby.link.PostMessage(kTable, 0x10, 0, 0);
        table.WaitForExit(5000);
    }
}
BENCHMARK(ResidentMemorySeatedAgainstBareWindow)->Unit(benchmark::kMillisecond)->Iterations(1);

// The sound files' look-ups of the start-up, with the program folder beside
// 1,200 other entries and no sound folder there to be found.
void ResolveSoundPathsBesideACrowdedFolder(benchmark::State& state) {
    QTemporaryDir root;
    for (int i = 0; i < 1200; ++i) QFile(root.filePath(QStringLiteral("entry%1").arg(i))).open(QIODevice::WriteOnly);
    QDir(root.path()).mkdir(QStringLiteral("table"));
    const char* const music[] = {"majiang.wav", "dapai.wav", "qupai.wav", "xipai.wav", "zhise.wav", "tishi.wav"};
    for (auto _ : state) {
        const ProgramPaths paths(root.filePath(QStringLiteral("table")));
        for (const char* file : music)
            benchmark::DoNotOptimize(paths.Resolve(QStringLiteral("\\..\\common\\music\\") + QLatin1String(file)));
        benchmark::DoNotOptimize(paths.Resolve(QStringLiteral("\\..\\common\\mj")));
    }
}
BENCHMARK(ResolveSoundPathsBesideACrowdedFolder)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
