// The video relay runs beside the game server: a crowd of relay clients
// connecting, logging in and linking all at once must not keep a player's
// log-in to the game port waiting.
#include "support/GamePortProbe.h"
#include "support/RelayCrowd.h"
#include "support/ServerLog.h"
#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
// Large enough that a relay whose work grows with the number of connections
// for every message holds the game port up for half a minute.
constexpr int kCrowd = 1500;
constexpr int kStartMs = 10000;
// Far more than the game port needs even on a loaded machine (well under a
// second on an idle one), far less than such a storm takes. How fast it
// answers is measured by dravik-bench-relay.
constexpr double kAnswerMs = 10000;
// The storm itself, on a loaded machine.
constexpr int kStormMs = 120000;

TEST(RelayStorm, TheGamePortAnswersEveryLogInWhileFifteenHundredRelayClientsConnectAndLink) {
    // Each client is a file here and one at the server, which inherits the limit.
    ASSERT_TRUE(RaiseOpenFileLimit(2 * kCrowd + 256)) << "the hard limit of open files is too low for the crowd";
    QProcess server;
    ServerLog log(server);
    server.start(QStringLiteral(DRAVIK_SERVER_BINARY), {"--port", "0", "--relay-port", "0"});
    ASSERT_TRUE(server.waitForStarted(kStartMs));
    const quint16 port = log.WaitForPort(kStartMs);
    ASSERT_NE(port, 0);
    const quint16 relayPort = log.WaitForRelayPort(kStartMs);
    ASSERT_NE(relayPort, 0);

    std::vector<double> answers;
    RelayCrowd crowd(relayPort, kCrowd);
    {
        GamePortProbe probe(port);
        const bool connected = crowd.Connect(kStormMs);
        if (connected) crowd.LogInAndLink();
        const bool linked = connected && crowd.WaitAllLinked(kStormMs);
        answers = probe.Stop();
        ASSERT_TRUE(connected) << "the crowd could not connect";
        ASSERT_TRUE(linked) << "the crowd did not link";
    }
    ASSERT_FALSE(answers.empty());
    EXPECT_LT(*std::max_element(answers.begin(), answers.end()), kAnswerMs) << "a log-in waited through the storm";

    // The relay did all the crowd's work meanwhile.
    const QRegularExpression link(QStringLiteral("^relay link "));
    EXPECT_TRUE(log.WaitForCount(link, crowd.LinksExpected(), kStartMs));
    EXPECT_EQ(log.Matching(link).size(), crowd.LinksExpected());
    EXPECT_TRUE(log.Matching(QRegularExpression(QStringLiteral("^relay reject "))).isEmpty());
    server.kill();
    server.waitForFinished(kStartMs);
}
}  // namespace
