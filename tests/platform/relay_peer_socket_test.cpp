#include "dravik-server/VideoRelay.h"
#include "platform/RelayPeerSocket.h"
#include "support/EventLoopWait.h"
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {
constexpr int WaitMs = 5000;
using SlotState = std::pair<int16_t, int16_t>;
using SlotFrame = std::pair<int16_t, QByteArray>;

// A peer socket with its events written down. Its retry timer runs only
// when the test ticks it.
struct Peer {
    explicit Peer(quint16 relayPort, int16_t peerCount = 3) {
        socket.RelayHost = QStringLiteral("127.0.0.1");
        socket.RelayPort = relayPort;
        socket.PeerCount = peerCount;
        socket.OnLoginResult = [this](int16_t code) { logins.push_back(code); };
        socket.OnStateChange = [this](int16_t slot, int16_t state) { states.emplace_back(slot, state); };
        socket.OnDataArrival = [this](int16_t slot, const QByteArray& frame) { frames.emplace_back(slot, frame); };
    }

    bool LogIn(const QString& account) {
        socket.PeerLogin(account);
        return WaitUntil([&] { return !logins.empty(); }, WaitMs) &&
               logins == std::vector<int16_t>{PeerLogin::LoggedIn};
    }

    bool WaitState(int16_t slot, int16_t state) {
        return WaitUntil([&] { return socket.PeerState(slot) == state; }, WaitMs);
    }

    RelayPeerSocket socket{false};
    std::vector<int16_t> logins;
    std::vector<SlotState> states;
    std::vector<SlotFrame> frames;
};

// A frame with a picture of its own colour, as a camera sends it.
QByteArray Picture(int n) {
    QImage picture(VideoFrame::Width, VideoFrame::Height, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((n * 47) % 360, 200, 200));
    return EncodeVideoFrame(picture);
}

// The same picture with bytes after its end, which decoders never read.
QByteArray PaddedTo(QByteArray frame, qsizetype size) {
    frame.append(size - frame.size(), '\0');
    return frame;
}

// A port nothing listens on.
quint16 DeadPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

class RelayPeerSocketTest : public testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&relay, &VideoRelay::Event, [this](const QString& line) { log << line; });
        ASSERT_TRUE(relay.Listen(0));
    }

    // alice's slot 1 and bob's slot 2 linked.
    void Link(Peer& alice, Peer& bob) {
        ASSERT_TRUE(alice.LogIn("alice"));
        ASSERT_TRUE(bob.LogIn("bob"));
        alice.socket.RequestVideo(1, "bob");
        ASSERT_TRUE(alice.WaitState(1, PeerLink::Waiting));
        bob.socket.RequestVideo(2, "alice");
        ASSERT_TRUE(alice.WaitState(1, PeerLink::Linked));
        ASSERT_TRUE(bob.WaitState(2, PeerLink::Linked));
    }

    VideoRelay relay;
    QStringList log;
};

TEST_F(RelayPeerSocketTest, TwoSocketsLinkAndExchangeFramesAndCaptureSettings) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    // Asked before the log-in: the link request goes out once it succeeds.
    alice.socket.RequestVideo(1, "bob");
    EXPECT_EQ(alice.socket.PeerState(1), PeerLink::Asked);
    EXPECT_EQ(alice.socket.UserID(1), QStringLiteral("bob"));
    ASSERT_TRUE(alice.LogIn("alice"));
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Waiting));
    ASSERT_TRUE(bob.LogIn("bob"));
    bob.socket.RequestVideo(2, "alice");
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Linked));
    ASSERT_TRUE(bob.WaitState(2, PeerLink::Linked));
    EXPECT_EQ(alice.states, (std::vector<SlotState>{{1, PeerLink::Waiting}, {1, PeerLink::Linked}}));

    alice.socket.SendFormat(1, "yuv");
    alice.socket.SendCaptureMode(1, -3);
    alice.socket.SendToPeer(1, Picture(1));
    alice.socket.SendToPeer(1, Picture(2));
    ASSERT_TRUE(WaitUntil([&] { return bob.frames.size() == 2; }, WaitMs));
    EXPECT_EQ(bob.frames, (std::vector<SlotFrame>{{2, Picture(1)}, {2, Picture(2)}}));
    EXPECT_EQ(bob.socket.PeerState(2), PeerLink::Ready);
    EXPECT_EQ(bob.socket.PeerFormat(2), QByteArray("yuv"));
    EXPECT_EQ(bob.socket.PeerCaptureMode(2), -3);
    EXPECT_EQ(bob.socket.PeerFormat(1), QByteArray()) << "settings belong to the slot they came on";

    bob.socket.SendToPeer(2, Picture(3));
    ASSERT_TRUE(WaitUntil([&] { return !alice.frames.empty(); }, WaitMs));
    EXPECT_EQ(alice.frames, (std::vector<SlotFrame>{{1, Picture(3)}}));
    EXPECT_EQ(alice.socket.PeerState(1), PeerLink::Ready);
}

TEST_F(RelayPeerSocketTest, SendsNothingOnUnlinkedSlotsAndNothingOverTheCaps) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    ASSERT_TRUE(alice.LogIn("alice"));
    ASSERT_TRUE(bob.LogIn("bob"));
    alice.socket.RequestVideo(1, "bob");
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Waiting));
    alice.socket.SendToPeer(1, Picture(1));
    alice.socket.SendToPeer(2, Picture(2));
    bob.socket.RequestVideo(2, "alice");
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Linked));

    alice.socket.SendToPeer(1, PaddedTo(Picture(3), VideoFrame::MaxBytes + 1));
    alice.socket.SendFormat(1, QByteArray(RelayLimits::MaxFormatBytes + 1, 'f'));
    alice.socket.SendToPeer(1, PaddedTo(Picture(4), VideoFrame::MaxBytes));
    alice.socket.SendFormat(1, QByteArray(RelayLimits::MaxFormatBytes, 'g'));
    alice.socket.SendToPeer(1, Picture(5));
    ASSERT_TRUE(WaitUntil([&] { return bob.frames.size() >= 2; }, WaitMs));
    ASSERT_EQ(bob.frames.size(), 2u) << "only the frames within the cap, and only once linked";
    EXPECT_EQ(bob.frames[0].second, PaddedTo(Picture(4), VideoFrame::MaxBytes));
    EXPECT_EQ(bob.frames[1].second, Picture(5));
    EXPECT_EQ(bob.socket.PeerFormat(2), QByteArray(RelayLimits::MaxFormatBytes, 'g'));
    EXPECT_EQ(log.filter(QStringLiteral("relay data")).size(), 3);
}

// A client without a camera greets its links with an empty frame; neither
// that nor any other frame without a picture may open a black panel.
TEST_F(RelayPeerSocketTest, FramesWithoutAPictureNeitherGoOutNorArrive) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    Link(alice, bob);
    const QByteArray pictureless[] = {{}, "not a picture", Picture(1).left(12), QByteArray("\xFF\xD8", 2)};
    for (const QByteArray& frame : pictureless) alice.socket.SendToPeer(1, frame);
    alice.socket.SendToPeer(1, Picture(2));
    ASSERT_TRUE(WaitUntil([&] { return !bob.frames.empty(); }, WaitMs));
    EXPECT_EQ(bob.frames, (std::vector<SlotFrame>{{2, Picture(2)}}));
    EXPECT_EQ(log.filter(QStringLiteral("relay data alice bob frame")).size(), 1) << "nothing else went out";

    // A peer that sends them all the same: they are dropped on arrival.
    QTcpSocket carol;
    carol.connectToHost(QHostAddress::LocalHost, relay.Port());
    carol.write(EncodeRelayMessage(RelayLogin("carol")) + EncodeRelayMessage(RelayLink(1, "bob")));
    bob.socket.RequestVideo(3, "carol");
    ASSERT_TRUE(bob.WaitState(3, PeerLink::Linked));
    for (const QByteArray& frame : pictureless) carol.write(EncodeRelayMessage(RelayData(1, RelayDataKind::Frame, frame)));
    carol.write(EncodeRelayMessage(RelayData(1, RelayDataKind::Frame, Picture(3))));
    ASSERT_TRUE(WaitUntil([&] { return bob.frames.size() >= 2; }, WaitMs));
    EXPECT_EQ(bob.frames, (std::vector<SlotFrame>{{2, Picture(2)}, {3, Picture(3)}}));
    EXPECT_EQ(log.filter(QStringLiteral("relay data carol bob frame")).size(), 5);
}

TEST_F(RelayPeerSocketTest, IgnoresSlotsOutsideOneToPeerCountCappedAtEight) {
    const struct {
        int16_t peerCount;
        int16_t slot;
        bool used;
    } cases[] = {
        {3, 1, true}, {3, 3, true}, {3, 0, false}, {3, -1, false}, {3, 4, false}, {3, 32767, false},
        {8, 8, true}, {20, 8, true}, {20, 9, false}, {0, 1, false}, {-5, 1, false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.peerCount << " slots, slot " << entry.slot);
        Peer peer(relay.Port(), entry.peerCount);
        peer.socket.RequestVideo(entry.slot, "bob");
        EXPECT_EQ(peer.socket.UserID(entry.slot), entry.used ? QStringLiteral("bob") : QString());
        EXPECT_EQ(peer.socket.PeerState(entry.slot), entry.used ? PeerLink::Asked : PeerLink::Free);
        // None of the other calls may touch anything on a slot outside.
        peer.socket.SendToPeer(entry.slot, Picture(1));
        peer.socket.SendFormat(entry.slot, "x");
        peer.socket.SendCaptureMode(entry.slot, 1);
        EXPECT_EQ(peer.socket.PeerFormat(entry.slot), QByteArray());
        peer.socket.ClosePeer(entry.slot);
        EXPECT_EQ(peer.socket.PeerState(entry.slot), PeerLink::Free);
    }
}

TEST_F(RelayPeerSocketTest, ADeadRelayAnswersTheLogInWithUnreachableAndIsTriedAgainLater) {
    Peer peer(DeadPort());
    peer.socket.RequestVideo(2, "bob");
    peer.socket.PeerLogin("alice");
    ASSERT_TRUE(WaitUntil([&] { return !peer.logins.empty(); }, WaitMs));
    EXPECT_EQ(peer.logins, std::vector<int16_t>{PeerLogin::Unreachable});
    EXPECT_EQ(peer.states, std::vector<SlotState>{}) << "the slot asks on";
    EXPECT_EQ(peer.socket.UserID(2), QStringLiteral("bob"));
    EXPECT_TRUE(peer.socket.RetryTimer().Enabled());
    EXPECT_EQ(peer.socket.RetryTimer().IntervalMs(), RelayPeerSocket::FirstRetryMs);
}

TEST_F(RelayPeerSocketTest, ALostConnectionIsReportedOnceAndItsLinksComeBackAfterTheNextLogIn) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    Link(alice, bob);
    alice.socket.RequestVideo(3, "carol");
    ASSERT_TRUE(alice.WaitState(3, PeerLink::Waiting));
    alice.states.clear();

    // alice starts again elsewhere: the relay closes this older connection.
    Peer restarted(relay.Port());
    ASSERT_TRUE(restarted.LogIn("alice"));
    ASSERT_TRUE(WaitUntil([&] { return alice.logins.size() == 2; }, WaitMs));
    EXPECT_EQ(alice.logins, (std::vector<int16_t>{PeerLogin::LoggedIn, PeerLogin::Unreachable}));
    EXPECT_EQ(alice.states, (std::vector<SlotState>{{1, PeerLink::Asked}, {3, PeerLink::Asked}}));
    EXPECT_EQ(alice.socket.UserID(1), QStringLiteral("bob"));
    ASSERT_TRUE(bob.WaitState(2, PeerLink::Waiting));
    alice.socket.SendToPeer(1, Picture(1));
    EXPECT_TRUE(WaitUntil([&] { return log.contains(QStringLiteral("relay close alice")); }, WaitMs));
    EXPECT_EQ(alice.logins.size(), 2u);
    EXPECT_TRUE(log.filter(QStringLiteral("relay data")).isEmpty()) << "nothing goes out on a lost link";

    // Its wait over, the older one logs in again and asks for its links anew.
    ASSERT_TRUE(alice.socket.RetryTimer().Enabled());
    alice.socket.RetryTick();
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Linked));
    EXPECT_TRUE(bob.WaitState(2, PeerLink::Linked));
    EXPECT_EQ(alice.logins, (std::vector<int16_t>{PeerLogin::LoggedIn, PeerLogin::Unreachable, PeerLogin::LoggedIn}));
    EXPECT_EQ(alice.socket.PeerState(3), PeerLink::Waiting);
    alice.socket.SendToPeer(1, Picture(2));
    EXPECT_TRUE(WaitUntil([&] { return bob.frames == std::vector<SlotFrame>{{2, Picture(2)}}; }, WaitMs));
}

TEST_F(RelayPeerSocketTest, ClosingAPeerOrAllOfThemLeavesTheOtherSideWaiting) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    Link(alice, bob);
    alice.socket.ClosePeer(1);
    EXPECT_EQ(alice.socket.PeerState(1), PeerLink::Free);
    EXPECT_EQ(alice.socket.UserID(1), QString());
    ASSERT_TRUE(bob.WaitState(2, PeerLink::Waiting));

    alice.socket.RequestVideo(1, "bob");
    ASSERT_TRUE(bob.WaitState(2, PeerLink::Linked));
    alice.states.clear();
    alice.socket.CloseAll();
    EXPECT_EQ(alice.socket.PeerState(1), PeerLink::Free);
    ASSERT_TRUE(bob.WaitState(2, PeerLink::Waiting));
    EXPECT_TRUE(WaitUntil([&] { return log.contains(QStringLiteral("relay close alice")); }, WaitMs));
    EXPECT_EQ(alice.logins, std::vector<int16_t>{PeerLogin::LoggedIn}) << "closing is not a failure";
    EXPECT_EQ(alice.states, std::vector<SlotState>{}) << "the caller freed the slots itself";
    EXPECT_FALSE(alice.socket.RetryTimer().Enabled()) << "and is not tried again";
}

TEST_F(RelayPeerSocketTest, HandlersMayCloseTheSocketFromInsideAnEvent) {
    Peer alice(relay.Port());
    Peer bob(relay.Port());
    bob.socket.OnDataArrival = [&](int16_t slot, const QByteArray& frame) {
        bob.frames.emplace_back(slot, frame);
        bob.socket.CloseAll();
    };
    Link(alice, bob);
    // Both frames arrive in one delivery; the second comes after the close.
    alice.socket.SendToPeer(1, Picture(1));
    alice.socket.SendToPeer(1, Picture(2));
    ASSERT_TRUE(WaitUntil([&] { return !bob.frames.empty(); }, WaitMs));
    ASSERT_TRUE(alice.WaitState(1, PeerLink::Waiting));
    EXPECT_EQ(bob.frames, (std::vector<SlotFrame>{{2, Picture(1)}}));

    alice.socket.OnStateChange = [&](int16_t slot, int16_t) { alice.socket.ClosePeer(slot); };
    bob.logins.clear();
    ASSERT_TRUE(bob.LogIn("bob"));
    bob.socket.RequestVideo(2, "alice");
    EXPECT_TRUE(WaitUntil([&] { return log.filter(QStringLiteral("relay link")).size() == 2; }, WaitMs));
    EXPECT_TRUE(bob.WaitState(2, PeerLink::Waiting)) << "alice closed the link from inside its state change";
    EXPECT_EQ(alice.socket.PeerState(1), PeerLink::Free);
}

TEST_F(RelayPeerSocketTest, TheDestructorRaisesNoEvents) {
    Peer bob(relay.Port());
    std::vector<SlotState> aliceStates;
    int aliceLogins = 0;
    {
        Peer alice(relay.Port());
        Link(alice, bob);
        alice.socket.OnLoginResult = [&](int16_t) { ++aliceLogins; };
        alice.socket.OnStateChange = [&](int16_t slot, int16_t state) { aliceStates.emplace_back(slot, state); };
    }
    EXPECT_TRUE(bob.WaitState(2, PeerLink::Waiting));
    EXPECT_EQ(aliceLogins, 0);
    EXPECT_EQ(aliceStates, std::vector<SlotState>{});
}

// The environment's port wins over RelayPort when it is a valid one.
TEST_F(RelayPeerSocketTest, TakesTheRelayPortFromTheEnvironmentWhenItIsValid) {
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("DRAVIK_RELAY_PORT") ? std::optional(qgetenv("DRAVIK_RELAY_PORT")) : std::nullopt;
    const quint16 dead = DeadPort();
    const QByteArray live = QByteArray::number(relay.Port());
    const struct {
        QByteArray environment;
        quint16 relayPort;
        int16_t answer;
    } cases[] = {
        {live, dead, PeerLogin::LoggedIn},
        {QByteArray::number(dead), relay.Port(), PeerLogin::Unreachable},
        {"not a port", relay.Port(), PeerLogin::LoggedIn},
        {"0", relay.Port(), PeerLogin::LoggedIn},
        {"65536", relay.Port(), PeerLogin::LoggedIn},
        {"-1", relay.Port(), PeerLogin::LoggedIn},
    };
    int account = 0;
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.environment.toStdString());
        qputenv("DRAVIK_RELAY_PORT", entry.environment);
        Peer peer(entry.relayPort);
        peer.socket.PeerLogin(QStringLiteral("user%1").arg(++account));
        EXPECT_TRUE(WaitUntil([&] { return !peer.logins.empty(); }, WaitMs));
        EXPECT_EQ(peer.logins, std::vector<int16_t>{entry.answer});
    }
    if (saved)
        qputenv("DRAVIK_RELAY_PORT", *saved);
    else
        qunsetenv("DRAVIK_RELAY_PORT");
}

// A relay the test plays by hand: it takes each connection and reads what comes.
class HandRelay {
public:
    HandRelay() { server_.listen(QHostAddress::LocalHost, 0); }
    quint16 Port() const { return server_.serverPort(); }

    // The next connection, or null when none comes.
    std::unique_ptr<QTcpSocket> Accept() {
        if (!WaitUntil([&] { return server_.hasPendingConnections(); }, WaitMs)) return nullptr;
        return std::unique_ptr<QTcpSocket>(server_.nextPendingConnection());
    }
    // The next `count` messages on a connection; fewer when they do not come.
    std::vector<RelayMessage> Read(QTcpSocket& connection, size_t count) {
        RelayReader reader;
        std::vector<RelayMessage> messages;
        WaitUntil(
            [&] {
                reader.Append(connection.readAll());
                while (const auto message = reader.Next()) messages.push_back(*message);
                return messages.size() >= count;
            },
            WaitMs);
        return messages;
    }

private:
    QTcpServer server_;
};

// The waits between tries double from 1 s up to 30 s and start again from
// 1 s once a log-in has held; every log-in asks for the slots in use.
TEST(RelayPeerSocketRetry, TriesAgainAfterLongerAndLongerWaitsAndAsksForItsLinksAfterEachLogIn) {
    HandRelay relay;
    Peer peer(relay.Port());
    peer.socket.RequestVideo(1, "bob");
    peer.socket.RequestVideo(3, "carol");
    peer.socket.PeerLogin("alice");
    const auto dropAtOnce = [&] {
        std::unique_ptr<QTcpSocket> connection = relay.Accept();
        if (!connection) return false;
        const size_t answers = peer.logins.size();
        connection->abort();
        return WaitUntil([&] { return peer.logins.size() == answers + 1; }, WaitMs);
    };
    for (int wait : {1000, 2000, 4000, 8000, 16000, 30000, 30000}) {
        SCOPED_TRACE(wait);
        ASSERT_TRUE(dropAtOnce());
        EXPECT_EQ(peer.logins.back(), PeerLogin::Unreachable);
        EXPECT_TRUE(peer.socket.RetryTimer().Enabled());
        EXPECT_EQ(peer.socket.RetryTimer().IntervalMs(), wait);
        peer.socket.RetryTick();
    }

    // A player who left meanwhile is not asked for.
    peer.socket.ClosePeer(3);
    std::unique_ptr<QTcpSocket> connection = relay.Accept();
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(relay.Read(*connection, 1), std::vector<RelayMessage>{RelayLogin("alice")});
    connection->write(EncodeRelayMessage(RelayLoginResult(uint16_t(PeerLogin::LoggedIn))));
    EXPECT_EQ(relay.Read(*connection, 1), std::vector<RelayMessage>{RelayLink(1, "bob")});
    EXPECT_EQ(peer.logins.back(), PeerLogin::LoggedIn);
    EXPECT_EQ(peer.socket.RetryTimer().IntervalMs(), RelayPeerSocket::HeldLoginMs);
    peer.socket.RetryTick();
    EXPECT_FALSE(peer.socket.RetryTimer().Enabled()) << "the log-in has held";
    connection->abort();
    ASSERT_TRUE(WaitUntil([&] { return peer.logins.back() == PeerLogin::Unreachable; }, WaitMs));
    EXPECT_EQ(peer.socket.RetryTimer().IntervalMs(), RelayPeerSocket::FirstRetryMs) << "the waits start again";

    // Closing everything ends the tries; so does a refusal, even once its connection closes.
    peer.socket.CloseAll();
    EXPECT_FALSE(peer.socket.RetryTimer().Enabled());
    peer.socket.PeerLogin("alice");
    connection = relay.Accept();
    ASSERT_NE(connection, nullptr);
    connection->write(EncodeRelayMessage(RelayLoginResult(uint16_t(PeerLogin::Refused))));
    ASSERT_TRUE(WaitUntil([&] { return peer.logins.back() == PeerLogin::Refused; }, WaitMs));
    EXPECT_FALSE(peer.socket.RetryTimer().Enabled());
    connection->abort();
    ASSERT_TRUE(WaitUntil([&] { return peer.logins.back() == PeerLogin::Unreachable; }, WaitMs));
    EXPECT_FALSE(peer.socket.RetryTimer().Enabled());
}

// A relay that sends what it is told, to feed the socket malformed input:
// the socket closes the connection itself, once.
TEST(RelayPeerSocketInput, MalformedInputFromTheRelayEndsTheConnection) {
    const struct {
        const char* name;
        QByteArray bytes;
        std::vector<int16_t> logins;
        bool relayCloses = false;
    } cases[] = {
        {"length 0", QByteArray::fromHex("00000000"), {PeerLogin::Unreachable}},
        {"length over the cap", QByteArray::fromHex("7fffffff"), {PeerLogin::Unreachable}},
        {"state before the answer", EncodeRelayMessage(RelayState(1, 14)), {PeerLogin::Unreachable}},
        {"a client's message", EncodeRelayMessage(RelayLogin("x")), {PeerLogin::Unreachable}},
        {"second answer", EncodeRelayMessage(RelayLoginResult(2)) + EncodeRelayMessage(RelayLoginResult(2)),
         {PeerLogin::LoggedIn, PeerLogin::Unreachable}},
        {"state after a refusal", EncodeRelayMessage(RelayLoginResult(1)) + EncodeRelayMessage(RelayState(1, 14)),
         {PeerLogin::Refused, PeerLogin::Unreachable}},
        {"bad kind", EncodeRelayMessage(RelayLoginResult(2)) + QByteArray::fromHex("00000004840109aa"),
         {PeerLogin::LoggedIn, PeerLogin::Unreachable}},
        {"cut short by a close", EncodeRelayMessage(RelayLoginResult(2)) + QByteArray::fromHex("000000"),
         {PeerLogin::LoggedIn, PeerLogin::Unreachable}, true},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        QTcpServer fakeRelay;
        ASSERT_TRUE(fakeRelay.listen(QHostAddress::LocalHost, 0));
        Peer peer(fakeRelay.serverPort());
        peer.socket.RequestVideo(1, "bob");
        peer.socket.PeerLogin("alice");
        ASSERT_TRUE(WaitUntil([&] { return fakeRelay.hasPendingConnections(); }, WaitMs));
        std::unique_ptr<QTcpSocket> connection(fakeRelay.nextPendingConnection());
        connection->write(entry.bytes);
        if (entry.relayCloses) connection->disconnectFromHost();
        EXPECT_TRUE(WaitUntil([&] { return connection->state() == QAbstractSocket::UnconnectedState; }, WaitMs));
        EXPECT_TRUE(WaitUntil([&] { return peer.logins.size() >= entry.logins.size(); }, WaitMs));
        EXPECT_EQ(peer.logins, entry.logins);
        EXPECT_EQ(peer.states, std::vector<SlotState>{});
        EXPECT_EQ(peer.socket.UserID(1), QStringLiteral("bob")) << "asked for again after the next log-in";
        // Tried again, unless the relay had refused the account.
        EXPECT_EQ(peer.socket.RetryTimer().Enabled(), entry.logins.front() != PeerLogin::Refused);
    }
}
}  // namespace
