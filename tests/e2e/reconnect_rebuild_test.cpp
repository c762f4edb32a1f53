// An auto-play client whose connection the network cuts in the middle of a
// hand reconnects to the real server, is given the hand in progress to
// rebuild and plays it to its end; every move it makes after coming back is
// taken.
#include "AutoPlayer.h"
#include "CuttableRelay.h"
#include "connection/LobbyWindowLink.h"
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
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

class ReconnectRebuild : public ::testing::TestWithParam<DropPoint> {
protected:
    void SetUp() override {
        // The server plays the seat while its client is away, slowly enough
        // for the hand to go on until the client is back.
        server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "2", "--move-ms", "1000",
                                            "--timeout-limit", "0", "--seed", "3"});
        ASSERT_TRUE(server.waitForStarted(10000));
        const quint16 port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        relay = std::make_unique<CuttableRelay>(port);
        player = std::make_unique<AutoPlayer>(1, relay->Port());
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }
    std::string Everything() const {
        return (log.Lines().join('\n') + QStringLiteral("\n--- client stderr:\n") + player->table.Stderr()).toStdString();
    }

    QProcess server;
    ServerLog log{server};
    std::unique_ptr<CuttableRelay> relay;
    std::unique_ptr<AutoPlayer> player;
};

TEST_P(ReconnectRebuild, TheClientIsRebuiltAtTheHandInProgressAndPlaysItToTheEnd) {
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 40000)) << Everything();
    if (!GetParam().pattern) {
        ASSERT_TRUE(player->lobby.WaitForMessage(LobbyMessage::WallBuilt, 30000)) << Everything();
    }
    for (int k = 0; k < GetParam().count; ++k)
        ASSERT_TRUE(log.WaitFor(QRegularExpression(GetParam().pattern), 60000)) << Everything();
    ASSERT_FALSE(log.Lines().filter(QRegularExpression("^hand 1 end")).size()) << Everything();
    ASSERT_EQ(relay->Cut(), 1);

    ASSERT_TRUE(log.WaitFor(QRegularExpression("^seat \\d+ account=robot1 bit=1 back$"), 30000)) << Everything();
    const int id = log.Lines().last().section(' ', 1, 1).toInt();
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 200000)) << Everything();
    EXPECT_TRUE(log.Lines().back().startsWith("hand 1 end")) << Everything();
    // The returning client was re-armed, then given the four seats of the table.
    EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^send %1 type=41 ").arg(id))).size(), 1) << Everything();
    EXPECT_EQ(log.Matching(QRegularExpression(QStringLiteral("^send %1 type=40 ").arg(id))).size(), 4) << Everything();
    EXPECT_EQ(log.MovesTaken(1) > 0, true);
    EXPECT_EQ(log.Matching(QRegularExpression("^reject ")), QStringList()) << Everything();
    EXPECT_FALSE(player->table.WaitForExit(100)) << Everything();
}

INSTANTIATE_TEST_SUITE_P(
    DropPoints, ReconnectRebuild,
    ::testing::Values(DropPoint{"DuringTheDeal", nullptr, 0},
                      // A prompt to claim another seat's discard: chow, pung or kong offered.
                      DropPoint{"InAClaimWindow", "^send 1 type=6 seat=1 byte5=0 byte7=0 params=(5|9|13|17|21|25|29),", 1},
                      DropPoint{"LateInTheHand", "^move \\d+ discard ", 14}),
    [](const ::testing::TestParamInfo<DropPoint>& info) { return std::string(info.param.name); });
}  // namespace
