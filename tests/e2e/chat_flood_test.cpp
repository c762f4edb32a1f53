// A seated peer floods the chat at the real server while two real clients
// sit at the table with it, before their first hand: the server passes on
// one of its lines per 800 ms, and a client that is sent every line holds
// what it cannot take yet in its socket. Either way the clients then play
// the hand.
#include "AutoPlayTable.h"
#include "QuickPlayer.h"
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
// 50 lines a second for 8 s: a client takes at most 20 packets a second, so
// more than its 128-packet receive ring piles up when every line reaches it.
constexpr int kFloodLines = 400;
constexpr int kFloodIntervalMs = 20;

class ChatFlood : public ::testing::Test, protected AutoPlayTable {
protected:
    // Floods the chat at a server started with `options` and checks that the
    // two clients play on; gives the number of flood lines the server relayed.
    qsizetype FloodAndPlay(const QStringList& options) {
        // Turns of 15 s: the server waits for a client that is still working
        // through the flood when the hand starts.
        server.start(DRAVIK_SERVER_BINARY, QStringList{"--port", "0", "--turn-seconds", "15", "--move-ms", "100",
                                                       "--timeout-limit", "0", "--seed", "5"} + options);
        EXPECT_TRUE(server.waitForStarted(10000));
        const quint16 port = log.WaitForPort(10000);
        EXPECT_NE(port, 0);
        QuickPlayer flooder(port, QStringLiteral("flooder"));
        EXPECT_TRUE(log.WaitFor(QRegularExpression("^seat 1 account=flooder bit=1$"), 20000)) << Everything();
        for (int number = 1; number <= 2; ++number) players.push_back(std::make_unique<AutoPlayer>(number, port));
        EXPECT_TRUE(log.WaitForCount(QRegularExpression("^seat [23] account=robot"), 2, 20000)) << Everything();

        flooder.Flood(kFloodLines, kFloodIntervalMs);
        EXPECT_TRUE(WaitUntil([&] { return flooder.FloodDone() || !flooder.Open(); }, 60000)) << Everything();
        EXPECT_TRUE(flooder.Open()) << Everything();
        EXPECT_EQ(flooder.LinesSent(), kFloodLines);
        flooder.SayReady();

        // Each client then plays its own seat: a move from each, sent after
        // the server had the flood's last line, is taken.
        EXPECT_TRUE(log.WaitFor(
            QRegularExpression(QStringLiteral("^recv 1 type=19 .* text=刷屏%1 ").arg(kFloodLines)), 20000))
            << Everything();
        for (const int id : {2, 3}) {
            const QRegularExpression move(QStringLiteral("^recv %1 type=(2|7) ").arg(id));
            EXPECT_TRUE(log.WaitForCount(move, log.Matching(move).size() + 1, 90000))
                << "connection " << id << " moved after the flood\n" << Everything();
        }
        for (const auto& player : players) {
            EXPECT_FALSE(player->table.WaitForExit(0)) << Everything();
            EXPECT_FALSE(player->table.Stderr().contains(QStringLiteral("END\t"))) << Everything();
        }
        EXPECT_EQ(log.Matching(QRegularExpression("^(close|timeout|computer|drop) ")), QStringList()) << Everything();

        // Each relayed line goes to its sender and the two clients.
        const qsizetype relayed = log.Matching(QRegularExpression("^send \\d+ type=19 ")).size() / 3;
        const qsizetype dropped = log.Matching(QRegularExpression("^reject 1 chat within 800 ms ")).size();
        EXPECT_EQ(relayed + dropped, kFloodLines);
        return relayed;
    }
};

TEST_F(ChatFlood, TheServerPassesOnOneLineOfAFloodingSeatPer800MsAndTheClientsPlayOn) {
    const qsizetype relayed = FloodAndPlay({});
    // 8 s of flood: about ten lines, however the server's reads bunch them.
    EXPECT_GT(relayed, 0);
    EXPECT_LT(relayed, kFloodLines / 8);
}

TEST_F(ChatFlood, ClientsSentEveryLineOfAFloodHoldWhatTheyCannotTakeYetAndPlayOn) {
    EXPECT_EQ(FloodAndPlay({"--chat-ms", "0"}), kFloodLines);
}
}  // namespace
