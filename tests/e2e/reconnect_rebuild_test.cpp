// An auto-play client that loses the hand in the middle reconnects to the
// real server, is given the hand in progress to rebuild and plays it to its
// end; every move it makes after coming back is taken, which it could not be
// if the hand it rebuilt were not the one the server holds for it. Its link
// is cut by the network, or by the server when the client's process stands
// still past its time.
#include "AutoPlayer.h"
#include "CuttableRelay.h"
#include "wire/LobbyWindowLink.h"
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <memory>
#include <ostream>

namespace {
struct DropPoint {
    const char* name;
    // The server's log line after whose `count`th match the link is cut;
    // none: once the client has told its lobby that the hand's wall is built.
    const char* pattern;
    int count;
};

void PrintTo(const DropPoint& point, std::ostream* out) { *out << point.name; }

// The real server and one auto-play client at seat bit 1.
class ReturningClient : public ::testing::Test {
protected:
    // The server plays the seat while its client is away, slowly enough for
    // the hand to go on until the client is back. The client connects
    // through a relay the test can cut, or straight to the server.
    void Start(bool throughRelay) {
        server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "2", "--move-ms", "1000",
                                            "--timeout-limit", "0", "--seed", "3"});
        ASSERT_TRUE(server.waitForStarted(10000));
        const quint16 port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        if (throughRelay) relay = std::make_unique<CuttableRelay>(port);
        player = std::make_unique<AutoPlayer>(1, relay ? relay->Port() : port);
    }
    void TearDown() override {
        if (player) player->table.Signal(SIGCONT);
        server.kill();
        server.waitForFinished(5000);
    }
    std::string Everything() const {
        return (log.Lines().join('\n') + QStringLiteral("\n--- client stderr:\n") + player->table.Stderr()).toStdString();
    }
    // The log's lines from the first that matches on.
    QStringList From(const QRegularExpression& first) const {
        const QStringList& lines = log.Lines();
        for (qsizetype k = 0; k < lines.size(); ++k)
            if (first.match(lines[k]).hasMatch()) return lines.mid(k);
        return {};
    }
    // Once the client is back (on connection `backId`): the hand ends, the
    // client having been re-armed and given the four seats of the table, and
    // from then on the seat's moves are the client's own, each one taken.
    void ExpectTheHandPlayedToItsEnd() {
        const QRegularExpression back("^seat (\\d+) account=robot1 bit=1 back$");
        ASSERT_TRUE(log.WaitFor(back, 30000)) << Everything();
        backId = back.match(log.Lines().last()).captured(1).toInt();
        ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 200000)) << Everything();
        EXPECT_TRUE(log.Lines().back().startsWith("hand 1 end")) << Everything();
        EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^send %1 type=41 ").arg(backId))).size(), 1) << Everything();
        EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^send %1 type=40 ").arg(backId))).size(), 4) << Everything();
        EXPECT_EQ(From(back).filter(QRegularExpression("^move 1 ")).size(), log.MovesSent(backId)) << Everything();
        EXPECT_EQ(log.Matching(QRegularExpression("^reject ")), QStringList()) << Everything();
        EXPECT_FALSE(player->table.WaitForExit(100)) << Everything();
    }

    QProcess server;
    ServerLog log{server};
    int backId = 0;
    std::unique_ptr<CuttableRelay> relay;
    std::unique_ptr<AutoPlayer> player;
};

class ReconnectRebuild : public ReturningClient, public ::testing::WithParamInterface<DropPoint> {};

TEST_P(ReconnectRebuild, TheClientIsRebuiltAtTheHandInProgressAndPlaysItToTheEnd) {
    ASSERT_NO_FATAL_FAILURE(Start(true));
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 40000)) << Everything();
    if (!GetParam().pattern) {
        ASSERT_TRUE(player->lobby.WaitForMessage(LobbyMessage::WallBuilt, 30000)) << Everything();
    }
    for (int k = 0; k < GetParam().count; ++k)
        ASSERT_TRUE(log.WaitFor(QRegularExpression(GetParam().pattern), 60000)) << Everything();
    ASSERT_FALSE(log.Lines().filter(QRegularExpression("^hand 1 end")).size()) << Everything();
    ASSERT_EQ(relay->Cut(), 1);
    ExpectTheHandPlayedToItsEnd();
    EXPECT_EQ(log.MovesTaken(1) > 0, true);
}

INSTANTIATE_TEST_SUITE_P(
    DropPoints, ReconnectRebuild,
    ::testing::Values(DropPoint{"DuringTheDeal", nullptr, 0},
                      // A prompt to claim another seat's discard: chow, pung or kong offered.
                      DropPoint{"InAClaimWindow", "^send 1 type=6 seat=1 byte5=0 byte7=0 params=(5|9|13|17|21|25|29),", 1},
                      DropPoint{"LateInTheHand", "^move \\d+ discard ", 14}),
    [](const ::testing::TestParamInfo<DropPoint>& info) { return std::string(info.param.name); });

class FrozenClient : public ReturningClient {};

// The client's process stops (as the system stops it) after its first move
// and is continued once the server has cut it off; meanwhile the server
// played its seat and sent it nothing, least of all a discard made for it.
TEST_F(FrozenClient, IsCutOffPastItsTimeAndComesBackToPlayTheHandToItsEnd) {
    ASSERT_NO_FATAL_FAILURE(Start(false));
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 40000)) << Everything();
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^move 1 "), 60000)) << Everything();
    const int id = log.ClientSeats().begin()->first;
    player->table.Signal(SIGSTOP);

    ASSERT_TRUE(log.WaitFor(QRegularExpression("^timeout 1$"), 60000)) << Everything();
    ASSERT_TRUE(log.WaitFor(QRegularExpression(QStringLiteral("^close %1$").arg(id)), 10000)) << Everything();
    EXPECT_EQ(From(QRegularExpression("^timeout 1$")).filter(QRegularExpression(QStringLiteral("^send %1 ").arg(id))),
              QStringList())
        << Everything();
    ASSERT_FALSE(log.Lines().filter(QRegularExpression("^hand 1 end")).size()) << Everything();

    player->table.Signal(SIGCONT);
    ExpectTheHandPlayedToItsEnd();
    EXPECT_GT(log.MovesSent(backId), 0) << Everything();
    EXPECT_EQ(log.Matching(QRegularExpression("^timeout ")), QStringList{"timeout 1"}) << Everything();
}
}  // namespace
