#include "dravik-server/RelayThread.h"
#include "dravik-server/VideoRelay.h"
#include "platform/P2PSocket.h"
#include "support/EventLoopWait.h"
#include "support/RelayMessagePrint.h"
#include "support/WarningLog.h"
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <optional>

namespace {
constexpr int kWaitMs = 5000;

// Reads what comes without running this thread's event loop: only a relay
// with an event loop of its own can answer meanwhile.
std::optional<RelayMessage> NextBlocking(QTcpSocket& socket, RelayReader& reader) {
    for (;;) {
        if (std::optional<RelayMessage> message = reader.Next()) return message;
        if (!socket.waitForReadyRead(kWaitMs)) return std::nullopt;
        reader.Append(socket.readAll());
    }
}

TEST(RelayThread, AnswersWhileTheGameThreadIsBusyAndEndsWithItsClientsStillConnected) {
    const WarningLog warnings;
    std::optional<RelayThread> relay(std::in_place);
    QObject receiver;
    QStringList log;
    QObject::connect(&relay->Relay(), &VideoRelay::Event, &receiver, [&](const QString& line) { log << line; });
    ASSERT_TRUE(relay->Listen(0)) << relay->ErrorText().toStdString();
    ASSERT_NE(relay->Port(), 0);

    QTcpSocket alice, bob;
    RelayReader aliceReader, bobReader;
    for (QTcpSocket* client : {&alice, &bob}) {
        client->connectToHost(QHostAddress::LocalHost, relay->Port());
        ASSERT_TRUE(client->waitForConnected(kWaitMs));
    }
    const RelayMessage loggedIn = RelayLoginResult(uint16_t(PeerLogin::LoggedIn));
    alice.write(EncodeRelayMessage(RelayLogin("alice")) + EncodeRelayMessage(RelayLink(1, "bob")));
    EXPECT_EQ(NextBlocking(alice, aliceReader), loggedIn);
    EXPECT_EQ(NextBlocking(alice, aliceReader), RelayState(1, uint16_t(PeerLink::Waiting)));
    bob.write(EncodeRelayMessage(RelayLogin("bob")) + EncodeRelayMessage(RelayLink(2, "alice")));
    EXPECT_EQ(NextBlocking(bob, bobReader), loggedIn);
    EXPECT_EQ(NextBlocking(bob, bobReader), RelayState(2, uint16_t(PeerLink::Linked)));
    EXPECT_EQ(NextBlocking(alice, aliceReader), RelayState(1, uint16_t(PeerLink::Linked)));

    // The lines come over to this thread once its event loop runs again.
    const QStringList expected = {QStringLiteral("relay listening on %1").arg(relay->Port()),
                                  QStringLiteral("relay login alice"), QStringLiteral("relay login bob"),
                                  QStringLiteral("relay link bob alice")};
    EXPECT_TRUE(WaitUntil([&] { return log.size() >= expected.size(); }, kWaitMs));
    EXPECT_EQ(log, expected);

    // Its connections end with the relay, on its thread, and tell nobody.
    relay.reset();
    for (QTcpSocket* client : {&alice, &bob})
        EXPECT_TRUE(client->state() == QAbstractSocket::UnconnectedState || client->waitForDisconnected(kWaitMs));
    EXPECT_TRUE(warnings.Lines().isEmpty()) << warnings.Lines().join(u'\n').toStdString();
}

TEST(RelayThread, SaysWhyItCannotListen) {
    RelayThread first;
    ASSERT_TRUE(first.Listen(0));
    RelayThread second;
    EXPECT_FALSE(second.Listen(first.Port()));
    EXPECT_FALSE(second.ErrorText().isEmpty());
}
}  // namespace
