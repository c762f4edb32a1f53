// The video relay shares the game server's event loop: a crowd of relay
// clients logging in and linking all at once must not keep a player's log-in
// to the game port waiting.
#include "wire/GamePacket.h"
#include "wire/LoginPacket.h"
#include "support/EventLoopWait.h"
#include "support/RelayCrowd.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {
// Large enough that a relay whose work grows with the number of connections
// for every message holds the game port up for half a minute.
constexpr int kCrowd = 1500;
constexpr int kStartMs = 10000;
// Far more than the game port needs even on a loaded machine (well under a
// second on an idle one), far less than such a storm takes.
constexpr int kAnswerMs = 10000;
// The storm itself, on a loaded machine.
constexpr int kStormMs = 120000;

TEST(RelayStorm, TheGamePortAnswersALogInWhileFifteenHundredRelayClientsLink) {
    // Each client is a file here and one at the server, which inherits the limit.
    ASSERT_TRUE(RaiseOpenFileLimit(2 * kCrowd + 256)) << "the hard limit of open files is too low for the crowd";
    QProcess server;
    ServerLog log(server);
    server.start(QStringLiteral(DRAVIK_SERVER_BINARY), {"--port", "0", "--relay-port", "0"});
    ASSERT_TRUE(server.waitForStarted(kStartMs));
    const quint16 port = log.WaitForPort(kStartMs);
    ASSERT_NE(port, 0);
    const QRegularExpression relayListening(QStringLiteral("^relay listening on (\\d+)$"));
    ASSERT_TRUE(log.WaitFor(relayListening, kStartMs));
    const auto relayPort = quint16(relayListening.match(log.Lines().back()).captured(1).toUInt());

    RelayCrowd crowd(relayPort, kCrowd);
    ASSERT_TRUE(crowd.Connect(kStormMs)) << "the crowd could not connect";
    QTcpSocket player;
    player.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(WaitUntil([&] { return player.state() == QAbstractSocket::ConnectedState; }, kStartMs));

    crowd.LogInAndLink();
    player.write(ToByteArray(BuildLoginPacket(QStringLiteral("player1"), "secret")));
    player.flush();
    EXPECT_TRUE(WaitUntil([&] { return player.bytesAvailable() >= kPacketSize; }, kAnswerMs))
        << "no answer to the log-in while the crowd linked";

    // The relay did all the crowd's work meanwhile.
    ASSERT_TRUE(crowd.WaitAllLinked(kStormMs));
    const QRegularExpression link(QStringLiteral("^relay link "));
    EXPECT_TRUE(log.WaitForCount(link, crowd.LinksExpected(), kStartMs));
    EXPECT_EQ(log.Matching(link).size(), crowd.LinksExpected());
    EXPECT_TRUE(log.Matching(QRegularExpression(QStringLiteral("^relay reject "))).isEmpty());
    server.kill();
    server.waitForFinished(kStartMs);
}
}  // namespace
