// A spectator's client watches a hand that auto-play clients play at the
// real server, and ends with its message when a player leaves.
#include "AutoPlayer.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
constexpr uint32_t kClose = 0x10;
const QString kSpectatorEnds = QStringLiteral("有用户退出，旁观结束！");

class Spectator : public ::testing::Test {
protected:
    void SetUp() override {
        server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "1", "--move-ms", "100",
                                            "--timeout-limit", "0", "--seed", "5", "--watchers", "watcher"});
        ASSERT_TRUE(server.waitForStarted(10000));
        port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        for (int number = 1; number <= 2; ++number) players.push_back(std::make_unique<AutoPlayer>(number, port));
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }

    // A command line without the final "$" watches the player with this user id.
    void StartWatching(uint64_t userId) {
        watcher.Start({QStringLiteral("watcher$pw$127.0.0.1$%1$北京$%2").arg(port).arg(userId)});
    }

    std::string Everything() const {
        QString text = log.Lines().join('\n');
        text += QStringLiteral("\n--- spectator stderr:\n") + watcher.Stderr();
        for (const auto& player : players) text += QStringLiteral("\n--- client stderr:\n") + player->table.Stderr();
        return text.toStdString();
    }

    QProcess server;
    ServerLog log{server};
    quint16 port = 0;
    std::vector<std::unique_ptr<AutoPlayer>> players;
    QTemporaryDir watcherRuntime;
    LobbyRecorder watcherLobby{watcherRuntime.path(), QStringLiteral("Jokro山庄")};
    TableProcess watcher{QStringLiteral(DRAVIK_TABLE_BINARY), watcherRuntime.path()};
};

TEST_F(Spectator, WatchesAHandJoinedMidwayAndEndsWithItsMessageWhenAPlayerLeaves) {
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 40000)) << Everything();
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^move "), 20000)) << Everything();
    // Seat bit b's player has user id 100001 + the index of b; robot1 is watched.
    const QRegularExpression robot1Seat(QStringLiteral("^seat \\d+ account=robot1 bit=(\\d+)$"));
    const QStringList seated = log.Matching(robot1Seat);
    ASSERT_EQ(seated.size(), 1) << Everything();
    const int bit = robot1Seat.match(seated.first()).captured(1).toInt();
    StartWatching(100001 + (bit == 1 ? 0 : bit == 2 ? 1 : bit == 4 ? 2 : 3));
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^watch \\d+ account=watcher"), 20000)) << Everything();
    const int id = log.Matching(QRegularExpression("^watch ")).first().section(' ', 1, 1).toInt();
    // Joined in the middle of the hand, it is given the table to rebuild.
    ASSERT_TRUE(log.WaitFor(QRegularExpression(QStringLiteral("^send %1 type=40 ").arg(id)), 20000)) << Everything();

    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 200000)) << Everything();
    EXPECT_FALSE(watcher.WaitForExit(100)) << "the spectator watched the whole hand\n" << Everything();

    // The second player's lobby closes its table: the player is gone.
    ASSERT_TRUE(players[1]->lobby.link.PostMessage(AutoPlayer::WindowCaption(2), kClose, 0, 0));
    ASSERT_TRUE(players[1]->table.WaitForExit(20000)) << Everything();
    // A spectator that fell behind works through what it was sent first.
    ASSERT_TRUE(watcher.WaitForExit(240000)) << Everything();
    EXPECT_TRUE(watcher.Stderr().contains(kSpectatorEnds)) << Everything();

    // It never made a move, never got ready, and sent nothing the server refused.
    EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^recv %1 type=(2|7|19) ").arg(id))), QStringList())
        << Everything();
    EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^recv %1 type=16 .*params=0,0,0,1 ").arg(id))),
              QStringList())
        << Everything();
    EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^reject %1 ").arg(id))), QStringList()) << Everything();
}
}  // namespace
