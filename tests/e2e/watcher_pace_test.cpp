// A spectator watches quick computer players for three whole hands. Its
// watch view pauses at every discard and claim while the table goes on;
// what it has not taken yet waits in its socket, and it goes on watching.
#include "QuickPlayer.h"
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int kHands = 3;
// Seat bit 1's player, the one player at the table besides the server's computers.
constexpr int kWatchedUserId = 100001;

// The hands the client has written to its hand history so far.
int HandsInHistory(const QString& programDir) {
    QFile file(programDir + QStringLiteral("/info.Jokro"));
    if (!file.open(QIODevice::ReadOnly)) return 0;
    return int(file.readAll().count("[juNum:"));
}

TEST(SpectatorPace, WatchesThreeWholeHandsOfQuickComputerPlayersWithoutEnding) {
    QProcess server;
    ServerLog log{server};
    server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "1", "--move-ms", "100", "--timeout-limit",
                                        "0", "--seed", "11", "--watchers", "watcher"});
    ASSERT_TRUE(server.waitForStarted(10000));
    const quint16 port = log.WaitForPort(10000);
    ASSERT_NE(port, 0);
    QuickPlayer player(port, QStringLiteral("quick"));
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^seat \\d+ account=quick bit=1$"), 20000));

    QTemporaryDir watcherRuntime;
    LobbyRecorder watcherLobby(watcherRuntime.path(), QStringLiteral("Jokro山庄"));
    TableProcess watcher(QStringLiteral(DRAVIK_TABLE_BINARY), watcherRuntime.path());
    watcher.Start({QStringLiteral("watcher$pw$127.0.0.1$%1$北京$%2").arg(port).arg(kWatchedUserId)});
    const auto everything = [&] {
        return (log.Lines().join('\n') + QStringLiteral("\n--- spectator stderr:\n") + watcher.Stderr()).toStdString();
    };
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^watch \\d+ account=watcher"), 20000)) << everything();
    player.SayReady();

    // When the table ended each hand, and when the spectator had shown its
    // end and written it to its hand history.
    const QRegularExpression handEnd("^hand \\d+ (end|aborted)");
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> tableEnds, spectatorEnds;
    const bool watched = WaitUntil(
        [&] {
            while (log.WaitFor(handEnd, 0)) tableEnds.push_back(clock.elapsed());
            if (HandsInHistory(watcher.ProgramDir()) > int(spectatorEnds.size()))
                spectatorEnds.push_back(clock.elapsed());
            return int(spectatorEnds.size()) >= kHands || watcher.WaitForExit(0);
        },
        540000);
    ASSERT_TRUE(watched) << everything();
    ASSERT_EQ(int(spectatorEnds.size()), kHands) << "the spectator ended\n" << everything();
    EXPECT_FALSE(watcher.WaitForExit(0)) << everything();
    EXPECT_FALSE(watcher.Stderr().contains(QStringLiteral("END\t"))) << everything();
    EXPECT_EQ(log.Matching(QRegularExpression("^(drop|close) ")), QStringList()) << everything();
    EXPECT_EQ(log.Matching(QRegularExpression("^hand \\d+ aborted")), QStringList()) << everything();
    ASSERT_GE(tableEnds.size(), size_t(kHands));
    for (int hand = 0; hand < kHands; ++hand)
        RecordProperty(QStringLiteral("hand%1_behind_ms").arg(hand + 1).toStdString(),
                       int(spectatorEnds[size_t(hand)] - tableEnds[size_t(hand)]));

    server.kill();
    server.waitForFinished(5000);
}
}  // namespace
