#include "dravik-server/VideoRelay.h"
#include "platform/P2PSocket.h"
#include "support/EventLoopWait.h"
#include "support/RelayMessagePrint.h"
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {
constexpr int WaitMs = 5000;
// A slot no test links: asking on it for an account nobody has is answered
// with Waiting, which marks the end of everything the relay sent before.
constexpr uint8_t BarrierSlot = 8;

RelayMessage Linked(uint8_t slot) { return RelayState(slot, uint16_t(PeerLink::Linked)); }
RelayMessage Waiting(uint8_t slot) { return RelayState(slot, uint16_t(PeerLink::Waiting)); }
RelayMessage Ready(uint8_t slot) { return RelayState(slot, uint16_t(PeerLink::Ready)); }
RelayMessage Throttled(uint8_t slot) { return RelayState(slot, uint16_t(PeerLink::Throttled)); }

// A relay client speaking raw messages.
class RawClient {
public:
    explicit RawClient(quint16 port, const QHostAddress& from = QHostAddress(QHostAddress::LocalHost)) {
        socket.bind(from, 0);
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    void Send(const RelayMessage& message) { socket.write(EncodeRelayMessage(message)); }
    void SendBytes(const QByteArray& bytes) { socket.write(bytes); }

    // The next `count` messages from the relay; fewer when they do not come.
    std::vector<RelayMessage> Take(size_t count) {
        WaitUntil([&] { return Pump() >= count; }, WaitMs);
        const size_t taken = std::min(count, received_.size());
        std::vector<RelayMessage> messages(received_.begin(), received_.begin() + qsizetype(taken));
        received_.erase(received_.begin(), received_.begin() + qsizetype(taken));
        return messages;
    }

    // Everything the relay sent before a round trip made now.
    std::vector<RelayMessage> Rest() {
        Send(RelayLink(BarrierSlot, "~nobody"));
        std::vector<RelayMessage> messages;
        for (;;) {
            const std::vector<RelayMessage> next = Take(1);
            if (next.empty() || next[0] == Waiting(BarrierSlot)) break;
            messages.push_back(next[0]);
        }
        Send(RelayUnlink(BarrierSlot));
        return messages;
    }

    bool WaitClosed() {
        return WaitUntil([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, WaitMs);
    }

    // Takes in what has come; the count of messages not taken yet.
    size_t Pump() {
        reader_.Append(socket.readAll());
        while (const auto message = reader_.Next()) received_.push_back(*message);
        return received_.size();
    }

    QTcpSocket socket;

private:
    RelayReader reader_;
    std::vector<RelayMessage> received_;
};

class VideoRelayTest : public testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&relay, &VideoRelay::Event, [this](const QString& line) { log << line; });
        ASSERT_TRUE(relay.Listen(0));
    }

    std::unique_ptr<RawClient> Client(const QHostAddress& from = QHostAddress(QHostAddress::LocalHost)) {
        return std::make_unique<RawClient>(relay.Port(), from);
    }

    std::unique_ptr<RawClient> LoggedIn(const QByteArray& account,
                                        const QHostAddress& from = QHostAddress(QHostAddress::LocalHost)) {
        auto client = Client(from);
        client->Send(RelayLogin(account));
        EXPECT_EQ(client->Take(1), std::vector<RelayMessage>{RelayLoginResult(uint16_t(PeerLogin::LoggedIn))});
        return client;
    }

    // alice's slot 1 and bob's slot 3 linked.
    void LinkAliceAndBob(RawClient& alice, RawClient& bob) {
        alice.Send(RelayLink(1, "bob"));
        EXPECT_EQ(alice.Take(1), std::vector<RelayMessage>{Waiting(1)});
        bob.Send(RelayLink(3, "alice"));
        EXPECT_EQ(bob.Take(1), std::vector<RelayMessage>{Linked(3)});
        EXPECT_EQ(alice.Take(1), std::vector<RelayMessage>{Linked(1)});
    }

    bool Logged(const QString& line) {
        return WaitUntil([&] { return log.contains(line); }, WaitMs);
    }

    VideoRelay relay;
    QStringList log;
};

TEST_F(VideoRelayTest, LogsInAndOutAndRefusesAccountsThatWouldBreakTheLog) {
    EXPECT_EQ(log.value(0), QStringLiteral("relay listening on %1").arg(relay.Port()));
    auto alice = LoggedIn("alice");
    auto chinese = LoggedIn("\xe5\xb0\x8f\xe7\xbe\x8e");
    EXPECT_TRUE(log.contains(QStringLiteral("relay login alice")));
    EXPECT_TRUE(log.contains(QStringLiteral("relay login 小美")));

    const QByteArray refusedAccounts[] = {"a\nb", "\x01", "\xff\xfe", "a\x7f", "\xc2\x85"};
    for (const QByteArray& bad : refusedAccounts) {
        SCOPED_TRACE(bad.toHex().toStdString());
        auto refused = Client();
        refused->Send(RelayLogin(bad));
        EXPECT_EQ(refused->Take(1), std::vector<RelayMessage>{RelayLoginResult(uint16_t(PeerLogin::Refused))});
        refused->Send(RelayLink(1, "alice"));
        EXPECT_TRUE(refused->WaitClosed()) << "a refused connection may not link";
        EXPECT_TRUE(Logged("relay reject - LINK after a refused LOGIN"));
    }
    EXPECT_EQ(log.filter(QStringLiteral("relay login")).size(), 2);

    alice->socket.disconnectFromHost();
    EXPECT_TRUE(Logged("relay close alice"));
}

TEST_F(VideoRelayTest, LinksOnlyWhenBothAskForEachOther) {
    auto alice = LoggedIn("alice");
    alice->Send(RelayLink(1, "bob"));
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Waiting(1)}) << "bob is not logged in";

    auto bob = LoggedIn("bob");
    bob->Send(RelayLink(2, "carol"));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(2)}) << "carol never asked for bob";
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{}) << "bob's log-in alone links nothing";

    bob->Send(RelayLink(3, "alice"));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(3)});
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Linked(1)});
    EXPECT_TRUE(log.contains(QStringLiteral("relay link bob alice")));
    EXPECT_EQ(log.filter(QStringLiteral("relay link")).size(), 1);
}

TEST_F(VideoRelayTest, ForwardsDataToTheReceiversOwnSlotAndTellsItOfTheFirst) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);

    alice->Send(RelayData(1, RelayDataKind::Format, "fmt"));
    alice->Send(RelayData(1, RelayDataKind::Mode, ModePayload(2)));
    alice->Send(RelayData(1, RelayDataKind::Frame, "jpeg1"));
    alice->Send(RelayData(1, RelayDataKind::Frame, {}));
    EXPECT_EQ(bob->Take(5), (std::vector<RelayMessage>{Ready(3), RelayPeerData(3, RelayDataKind::Format, "fmt"),
                                                       RelayPeerData(3, RelayDataKind::Mode, ModePayload(2)),
                                                       RelayPeerData(3, RelayDataKind::Frame, "jpeg1"),
                                                       RelayPeerData(3, RelayDataKind::Frame, {})}));
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{}) << "the sender hears nothing of its own data";

    bob->Send(RelayData(3, RelayDataKind::Frame, "jpeg2"));
    EXPECT_EQ(alice->Take(2),
              (std::vector<RelayMessage>{Ready(1), RelayPeerData(1, RelayDataKind::Frame, "jpeg2")}));

    // Slots that link nobody: dropped, and the connection stays.
    bob->Send(RelayData(2, RelayDataKind::Frame, "lost"));
    bob->Send(RelayData(0, RelayDataKind::Frame, "lost"));
    bob->Send(RelayData(200, RelayDataKind::Frame, "lost"));
    EXPECT_EQ(bob->Rest(), std::vector<RelayMessage>{});
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{});

    const QStringList data = log.filter(QStringLiteral("relay data"));
    EXPECT_EQ(data, (QStringList{"relay data alice bob format 3", "relay data alice bob mode 2",
                                 "relay data alice bob frame 5", "relay data alice bob frame 0",
                                 "relay data bob alice frame 5"}));
}

TEST_F(VideoRelayTest, AnEndedRequestLeavesThePeerWaitingUntilItIsAskedAgain) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);
    alice->Send(RelayData(1, RelayDataKind::Frame, "a"));
    EXPECT_EQ(bob->Take(2).front(), Ready(3));

    alice->Send(RelayUnlink(1));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(3)});
    alice->Send(RelayData(1, RelayDataKind::Frame, "after unlink"));
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{}) << "an unlink is answered with nothing";

    alice->Send(RelayLink(4, "bob"));
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Linked(4)});
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(3)});
    alice->Send(RelayData(4, RelayDataKind::Frame, "b"));
    EXPECT_EQ(bob->Take(2), (std::vector<RelayMessage>{Ready(3), RelayPeerData(3, RelayDataKind::Frame, "b")}))
        << "a link formed anew waits for its first data again";

    // A LINK on a slot in use replaces its request.
    alice->Send(RelayLink(4, "carol"));
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Waiting(4)});
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(3)});
    alice->Send(RelayLink(4, "bob"));
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Linked(4)});
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(3)});

    alice->socket.abort();
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(3)});
    EXPECT_TRUE(Logged("relay close alice"));
    auto again = LoggedIn("alice");
    again->Send(RelayLink(2, "bob"));
    EXPECT_EQ(again->Take(1), std::vector<RelayMessage>{Linked(2)});
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(3)});
    EXPECT_EQ(log.filter(QStringLiteral("relay link")).size(), 4);
}

// A slot that a change leaves unlinked links at once with another slot that
// asks for it, named after the account whose change made the pair.
TEST_F(VideoRelayTest, ASlotLeftUnlinkedLinksWithAnotherSlotAskingForItsPeer) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    alice->Send(RelayLink(1, "bob"));
    alice->Send(RelayLink(3, "bob"));
    EXPECT_EQ(alice->Take(2), (std::vector<RelayMessage>{Waiting(1), Waiting(3)}));
    bob->Send(RelayLink(2, "alice"));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(2)});
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Linked(1)}) << "the lowest slot asking links";

    alice->Send(RelayLink(1, "carol"));
    EXPECT_EQ(alice->Take(2), (std::vector<RelayMessage>{Waiting(1), Linked(3)}));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(2)}) << "never told to wait in between";
    EXPECT_EQ(log.filter(QStringLiteral("relay link")), (QStringList{"relay link bob alice", "relay link alice bob"}));

    // Closing frees every peer slot, each of which is told to wait.
    auto carol = LoggedIn("carol");
    carol->Send(RelayLink(4, "alice"));
    EXPECT_EQ(carol->Take(1), std::vector<RelayMessage>{Linked(4)});
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Linked(1)});
    alice->socket.abort();
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(2)});
    EXPECT_EQ(carol->Take(1), std::vector<RelayMessage>{Waiting(4)});
}

// A table's clients share an address many times over below the cap; one
// address cannot hold more, while others still come in.
TEST_F(VideoRelayTest, RefusesConnectionsOverTheCapOfOneAddress) {
    const QHostAddress crowded(QStringLiteral("127.0.0.2"));
    std::vector<std::unique_ptr<RawClient>> clients;
    for (int i = 0; i < VideoRelay::MaxConnectionsPerAddress; ++i)
        clients.push_back(LoggedIn("user" + QByteArray::number(i), crowded));

    auto over = Client(crowded);
    EXPECT_TRUE(over->WaitClosed());
    EXPECT_TRUE(Logged(QStringLiteral("relay reject - over %1 connections from 127.0.0.2")
                           .arg(VideoRelay::MaxConnectionsPerAddress)));
    auto elsewhere = LoggedIn("elsewhere");
    EXPECT_EQ(elsewhere->socket.state(), QAbstractSocket::ConnectedState);

    // A connection that ends makes room for the next.
    clients.front()->socket.disconnectFromHost();
    EXPECT_TRUE(Logged(QStringLiteral("relay close user0")));
    auto next = LoggedIn("next", crowded);
    EXPECT_EQ(next->socket.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(log.filter(QStringLiteral("relay reject")).size(), 1);
}

TEST_F(VideoRelayTest, TheSameAccountLoggingInAgainReplacesItsOlderConnection) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);

    auto restarted = LoggedIn("alice");
    EXPECT_TRUE(alice->WaitClosed());
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Waiting(3)});
    const qsizetype closed = log.indexOf(QStringLiteral("relay close alice"));
    ASSERT_GE(closed, 0);
    EXPECT_EQ(log.lastIndexOf(QStringLiteral("relay login alice")), closed + 1);

    restarted->Send(RelayLink(1, "bob"));
    EXPECT_EQ(restarted->Take(1), std::vector<RelayMessage>{Linked(1)});
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{Linked(3)});
}

TEST_F(VideoRelayTest, AProtocolErrorClosesOnlyThatConnection) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);

    const struct {
        const char* name;
        bool logIn;
        QByteArray bytes;
        const char* line;
    } cases[] = {
        {"link first", false, EncodeRelayMessage(RelayLink(1, "alice")), "relay reject - LINK before LOGIN"},
        {"data first", false, EncodeRelayMessage(RelayData(1, RelayDataKind::Frame, "x")),
         "relay reject - DATA before LOGIN"},
        {"empty account", false, QByteArray::fromHex("0000000101"), "relay reject - account of 0 bytes"},
        {"second login", true, EncodeRelayMessage(RelayLogin("carl")), "relay reject carl second LOGIN"},
        {"length 0", true, QByteArray::fromHex("00000000"), "relay reject carl empty message"},
        {"length over the cap", true, QByteArray::fromHex("00040004"), "relay reject carl message of 262148 bytes"},
        {"relay's message", true, EncodeRelayMessage(RelayState(1, 14)), "relay reject carl STATE from a client"},
        {"unknown type", true, QByteArray::fromHex("0000000105"), "relay reject carl unknown type 0x05"},
        {"slot 9", true, QByteArray::fromHex("00000003020961"), "relay reject carl slot 9"},
        {"long mode", true, QByteArray::fromHex("00000006" "04" "01" "03" "000000"),
         "relay reject carl mode of 3 bytes"},
        {"unknown kind", true, QByteArray::fromHex("00000004040107aa"), "relay reject carl unknown kind 7"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        auto carl = entry.logIn ? LoggedIn("carl") : Client();
        if (entry.logIn) {
            carl->Send(RelayLink(2, "alice"));
            EXPECT_EQ(carl->Take(1), std::vector<RelayMessage>{Waiting(2)});
        }
        carl->SendBytes(entry.bytes);
        EXPECT_TRUE(carl->WaitClosed());
        EXPECT_TRUE(Logged(entry.line));
        if (entry.logIn) {
            EXPECT_TRUE(Logged("relay close carl"));
        }
        log.clear();
    }
    alice->Send(RelayData(1, RelayDataKind::Frame, "still here"));
    EXPECT_EQ(bob->Take(2),
              (std::vector<RelayMessage>{Ready(3), RelayPeerData(3, RelayDataKind::Frame, "still here")}));
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{});
}

TEST_F(VideoRelayTest, ThrottlesTheSenderOfFramesToAClientThatFellBehind) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);
    // bob stops reading: its socket takes no more from the system than this.
    bob->socket.setReadBufferSize(4096);

    const QByteArray frame(VideoFrame::MaxBytes, 'f');
    std::vector<RelayMessage> toAlice;
    int sent = 0;
    for (; sent < 400 && toAlice.empty(); ++sent) {
        alice->Send(RelayData(1, RelayDataKind::Frame, frame));
        toAlice = alice->Rest();
    }
    ASSERT_EQ(toAlice, std::vector<RelayMessage>{Throttled(1)}) << sent << " frames sent";
    const qsizetype forwarded = log.filter(QStringLiteral("relay data alice bob frame")).size();
    EXPECT_LT(forwarded, sent);

    // Further frames are dropped without a word more; format and mode still go.
    alice->Send(RelayData(1, RelayDataKind::Frame, frame));
    alice->Send(RelayData(1, RelayDataKind::Mode, ModePayload(7)));
    EXPECT_EQ(alice->Rest(), std::vector<RelayMessage>{});
    EXPECT_EQ(log.filter(QStringLiteral("relay data alice bob frame")).size(), forwarded);
    EXPECT_TRUE(log.contains(QStringLiteral("relay data alice bob mode 2")));

    // bob reads again: once it has caught up, alice may send every frame.
    bob->socket.setReadBufferSize(0);
    EXPECT_TRUE(WaitUntil([&] { bob->Pump(); return alice->Pump() > 0; }, WaitMs));
    EXPECT_EQ(alice->Take(1), std::vector<RelayMessage>{Ready(1)});
    const std::vector<RelayMessage> atBob = bob->Rest();
    ASSERT_EQ(atBob.size(), size_t(forwarded) + 2);
    EXPECT_EQ(atBob.front(), Ready(3));
    EXPECT_EQ(atBob.back(), RelayPeerData(3, RelayDataKind::Mode, ModePayload(7)));
    alice->Send(RelayData(1, RelayDataKind::Frame, "small"));
    EXPECT_EQ(bob->Take(1), std::vector<RelayMessage>{RelayPeerData(3, RelayDataKind::Frame, "small")});
}

TEST_F(VideoRelayTest, ClosesAClientThatStoppedReadingWhileItsPeerKeepsSendingSettings) {
    auto alice = LoggedIn("alice");
    auto bob = LoggedIn("bob");
    LinkAliceAndBob(*alice, *bob);
    bob->socket.setReadBufferSize(4096);

    // Formats are never dropped like frames: they pile up until bob is let go.
    QByteArray batch;
    for (int i = 0; i < 1000; ++i)
        batch += EncodeRelayMessage(RelayData(1, RelayDataKind::Format, QByteArray(RelayLimits::MaxFormatBytes, 'f')));
    const QString rejected = QStringLiteral("relay reject bob ");
    const auto bobRejected = [&] { return !log.filter(rejected).isEmpty(); };
    for (int batches = 0; batches < 1000 && !bobRejected(); ++batches) {
        alice->SendBytes(batch);
        WaitUntil([&] { return alice->socket.bytesToWrite() == 0; }, WaitMs);
    }
    ASSERT_TRUE(bobRejected());
    EXPECT_TRUE(log.filter(rejected).front().endsWith(QStringLiteral(" bytes unsent")));
    EXPECT_TRUE(Logged("relay close bob"));
    bob->socket.setReadBufferSize(0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            bob->Pump();
            return bob->socket.state() == QAbstractSocket::UnconnectedState;
        },
        WaitMs));
    EXPECT_EQ(alice->Rest().back(), Waiting(1)) << "alice waits for bob to come back";
}
}  // namespace
