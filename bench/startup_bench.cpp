// The start-up and the resident memory of the whole `dravik-table` process,
// offscreen, each beside two yardstick programs: the bare Qt 6 window
// (bare_window.cpp) and the floor window (floor_window.cpp), which loads what
// any client of this kind loads:
// - from the process start to the first paint of its window, the same moment
//   on every side; and the client's time to its window listening for the lobby;
// - the resident memory of the client seated and idle at a table of the fake
//   server, against each yardstick's once it has sent its packet.
// The ratios are the counters `*_ratio_bare` and `*_ratio_floor`. Also: the
// look-ups of the sound files beside a program folder that sits in a crowded folder.
#include "TableBuilds.h"
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

// The line Qt's widget painting writes when a window's buffer first goes to
// the screen: the first paint, told the same way by every program measured.
const QString kFirstPaint = QStringLiteral("qt.widgets.painting: Flushing");

const QString kPaintLogging = QStringLiteral("QT_LOGGING_RULES");
const QString kPaintLoggingOn = QStringLiteral("qt.widgets.painting=true");

// One run of a yardstick window program (the bare or the floor window)
// against a loopback server of its own; it reports its paints when asked to.
class YardstickWindow {
public:
    YardstickWindow(const QString& program, bool reportPaints) : painted_(!reportPaints) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* connection = server_.nextPendingConnection()) {
                connection_ = connection;
                QObject::connect(connection, &QTcpSocket::readyRead, [this, connection] { received_ += connection->readAll().size(); });
            }
        });
        QObject::connect(&process_, &QProcess::readyReadStandardError, [this] {
            stderr_ += process_.readAllStandardError();
            painted_ = painted_ || stderr_.contains(kFirstPaint.toUtf8());
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (reportPaints) env.insert(kPaintLogging, kPaintLoggingOn);
        process_.setProcessEnvironment(env);
        process_.setProgram(program);
        process_.setArguments({QString::number(server_.serverPort())});
    }
    ~YardstickWindow() {
        if (connection_) connection_->close();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(5000);
    }
    // Starts the program; the milliseconds to its first paint (when it
    // reports paints), -1 when that or its packet does not come.
    double StartAndWaitForFirstPaint() {
        QElapsedTimer elapsed;
        elapsed.start();
        process_.start();
        if (!WaitUntil([this] { return painted_; }, kWaitMs)) return -1;
        const double ms = Milliseconds(elapsed);
        return WaitUntil([this] { return received_ >= 272; }, kWaitMs) ? ms : -1;
    }
    qint64 Pid() const { return process_.processId(); }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> connection_;
    qint64 received_ = 0;
    bool painted_;
    QByteArray stderr_;
    QProcess process_;
};

const QString kBare = QStringLiteral(DRAVIK_BARE_WINDOW_BINARY);
const QString kFloor = QStringLiteral(DRAVIK_FLOOR_WINDOW_BINARY);

struct TableStartUpTimes {
    double listening = -1, firstPaint = -1;
};

// From the start of the client to its table window listening for the lobby
// and to its first paint, in milliseconds.
TableStartUpTimes TableStartUp(const QString& binary, LobbyRecorder& lobby, const FakeGameServer& server,
                               const QString& runtimeDir) {
    TableProcess table(binary, runtimeDir);
    table.SetEnvironment(kPaintLogging, kPaintLoggingOn);
    TableStartUpTimes times;
    QElapsedTimer elapsed;
    elapsed.start();
    table.Start({DirectCommandLine(server.Port())});
    while (times.listening < 0 || times.firstPaint < 0) {
        if (elapsed.elapsed() > kWaitMs) return {};
        QCoreApplication::processEvents();
        if (times.listening < 0 && lobby.link.FindWindow(kTable)) times.listening = Milliseconds(elapsed);
        if (times.firstPaint < 0 && table.Stderr().contains(kFirstPaint)) times.firstPaint = Milliseconds(elapsed);
        QThread::usleep(200);
    }
    lobby.link.PostMessage(kTable, 0x10, 0, 0);
    table.WaitForExit(5000);
    return times;
}

// Each client build's first paint beside the first paint of the bare and of
// the floor window, measured in turns; the ratios are of the medians. The
// time to the listening window is the client's own yardstick between builds.
void StartUpToFirstPaint(benchmark::State& state) {
    QTemporaryDir runtime;
    LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
    FakeGameServer server;
    const std::vector<TableBuild> builds = TableBuilds();
    std::vector<double> bare, floor;
    std::vector<std::vector<double>> painted(builds.size()), listening(builds.size());
    for (auto _ : state) {
        bare.push_back(YardstickWindow(kBare, true).StartAndWaitForFirstPaint());
        floor.push_back(YardstickWindow(kFloor, true).StartAndWaitForFirstPaint());
        if (bare.back() < 0 || floor.back() < 0) return state.SkipWithError("a yardstick window did not start");
        for (size_t i = 0; i < builds.size(); ++i) {
            const TableStartUpTimes times = TableStartUp(builds[i].binary, lobby, server, runtime.path());
            if (times.listening < 0) return state.SkipWithError("the client did not start");
            painted[i].push_back(times.firstPaint);
            listening[i].push_back(times.listening);
        }
        state.SetIterationTime(painted[0].back() / 1000);
    }
    state.counters["bare_paint_ms"] = Median(bare);
    state.counters["floor_paint_ms"] = Median(floor);
    for (size_t i = 0; i < builds.size(); ++i) {
        const std::string& p = builds[i].prefix;
        state.counters[p + "_paint_ms"] = Median(painted[i]);
        state.counters[p + "_listen_ms"] = Median(listening[i]);
        state.counters[p + "_paint_ratio_bare"] = Median(painted[i]) / Median(bare);
        state.counters[p + "_paint_ratio_floor"] = Median(painted[i]) / Median(floor);
    }
}
BENCHMARK(StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

// The resident memory of the client seated and idle at a table of the fake server.
double SeatedResidentKiB(const QString& binary) {
    QTemporaryDir runtime;
    LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
    FakeGameServer server;
    TableProcess table(binary, runtime.path());
    table.Start({DirectCommandLine(server.Port())});
    if (!server.WaitForPackets(1, kWaitMs)) return 0;
    for (const GamePacket& packet : SeatingPackets("abc")) server.Send(packet);
    const double kiB = IdleResidentKiB(table.Pid(), 2000);
    lobby.link.PostMessage(kTable, 0x10, 0, 0);
    table.WaitForExit(5000);
    return kiB;
}

// The idle resident memory of a yardstick window once its packet has arrived.
double YardstickResidentKiB(const QString& program) {
    YardstickWindow window(program, false);
    return window.StartAndWaitForFirstPaint() < 0 ? 0 : IdleResidentKiB(window.Pid(), 1000);
}

void ResidentMemorySeatedAgainstTheFloor(benchmark::State& state) {
    const std::vector<TableBuild> builds = TableBuilds();
    for (auto _ : state) {
        const double bareKiB = YardstickResidentKiB(kBare), floorKiB = YardstickResidentKiB(kFloor);
        if (bareKiB <= 0 || floorKiB <= 0) return state.SkipWithError("a yardstick window did not settle");
        state.counters["bare_MiB"] = bareKiB / 1024;
        state.counters["floor_MiB"] = floorKiB / 1024;
        for (const TableBuild& build : builds) {
            const double tableKiB = SeatedResidentKiB(build.binary);
            if (tableKiB <= 0) return state.SkipWithError("the client's resident memory did not settle");
            state.counters[build.prefix + "_MiB"] = tableKiB / 1024;
            state.counters[build.prefix + "_ratio_bare"] = tableKiB / bareKiB;
            state.counters[build.prefix + "_ratio_floor"] = tableKiB / floorKiB;
        }
    }
}
BENCHMARK(ResidentMemorySeatedAgainstTheFloor)->Unit(benchmark::kMillisecond)->Iterations(1);

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
