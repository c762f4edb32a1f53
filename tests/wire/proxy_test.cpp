#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "wire/LoginPacket.h"
#include "wire/Proxy.h"
#include "support/EventLoopWait.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kRequestFailed = QStringLiteral("请求代理失败！");
const QString kAuthFailed = QStringLiteral("代理服务器用户验证失败！");
const QString kConnectFailed = QStringLiteral("通过代理连接主站失败！");

struct ProxyLine {
    QString serverHost = QStringLiteral("127.0.0.1");
    QString proxyHost = QStringLiteral("127.0.0.1");
    QString user;
    QString password;

    QString Text() const {
        return QStringLiteral("abc$pw$%1$8888$北京$5$%2$1080$%3$%4$$$$").arg(serverHost, proxyHost, user, password);
    }
};

QByteArray Bytes(std::initializer_list<int> bytes) {
    QByteArray out;
    for (int byte : bytes) out += static_cast<char>(byte);
    return out;
}

const QByteArray kGreeting = Bytes({5, 2, 0, 2});
// CONNECT to 127.0.0.1, port 8888.
const QByteArray kConnectToServer = Bytes({5, 1, 0, 1, 127, 0, 0, 1, 0x22, 0xB8});
const QByteArray kConnectAccepted = Bytes({5, 0, 0, 1, 10, 0, 0, 7, 0x04, 0x38});

QByteArray LoginBytes(TestClient& t) { return ToByteArray(t->connection.LoginPacket); }

QByteArray SomeServerPacket() {
    GameMessage message;
    message.MsgType = MessageType::LoginReply;
    message.SeatBit = 4;
    return ToByteArray(EncodeGamePacket(message, QByteArray(), {7, 9}));
}

class ProxyHandshake : public ::testing::Test {
protected:
    void Start(const ProxyLine& line = {}) {
        t = std::make_unique<TestClient>(line.Text());
        ASSERT_EQ(t->Load(), std::nullopt);
    }

    // Greeted, the method chosen, and the CONNECT sent.
    void StartUpToConnect() {
        Start();
        t->Deliver(Bytes({5, 0}));
        ASSERT_EQ(t->Sent().size(), 2u);
    }

    void ExpectRefused(const QString& message) {
        ASSERT_EQ(t->dialogs->shown.size(), 1u);
        EXPECT_EQ(t->dialogs->shown[0].text, message);
        EXPECT_EQ(t->dialogs->shown[0].buttons, Dialogs::OkOnly);
        EXPECT_EQ(t->socket->State(), TcpLink::StateClosed);
        EXPECT_FALSE((*t)->transport.LinkReady);
        EXPECT_FALSE((*t)->TimerProxyWait.Enabled());
        EXPECT_FALSE((*t)->TimerBong.Enabled());
        for (const QByteArray& sent : t->Sent()) EXPECT_NE(sent.size(), kPacketSize);
    }

    std::unique_ptr<TestClient> t;
};

TEST_F(ProxyHandshake, ConnectsToTheProxyGreetsItAndHandsTheLinkOverOnceTheServerIsReached) {
    Start();
    EXPECT_EQ(t->socket->RemoteHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(t->socket->RemotePort, 1080);
    EXPECT_EQ(t->Sent(), std::vector<QByteArray>{kGreeting});
    EXPECT_TRUE((*t)->connection.LoginPending);
    EXPECT_TRUE((*t)->scheduler.WatchJobOn);
    EXPECT_FALSE((*t)->scheduler.LoginJobOn);
    EXPECT_FALSE((*t)->TimerBong.Enabled());
    EXPECT_TRUE((*t)->TimerProxyWait.Enabled());

    // Method 0: no user name and password, the CONNECT at once, port 8888 as 0x22 0xB8.
    t->Deliver(Bytes({5, 0}));
    ASSERT_EQ(t->Sent().size(), 2u);
    EXPECT_EQ(t->Sent()[1], kConnectToServer);
    const auto connectedPosts = [&] {
        const auto messages = t->lobby->MessagesTo(kLobby);
        return std::count(messages.begin(), messages.end(), LobbyMessage::Connected);
    };
    EXPECT_EQ(connectedPosts(), 0);

    t->Deliver(kConnectAccepted);
    ASSERT_EQ(t->Sent().size(), 3u);
    EXPECT_EQ(t->Sent()[2], LoginBytes(*t));
    EXPECT_TRUE((*t)->transport.LinkReady);
    EXPECT_EQ(connectedPosts(), 1);
    // "Connecting" leaves the ticker; the lower line holds a start-up text, so the news goes below it.
    EXPECT_NE((*t)->mainForm->Sysmsg[0]->item(0)->text(), QStringLiteral("正在连接服务器..."));
    EXPECT_EQ((*t)->mainForm->Sysmsg[1]->item(0)->text(), QStringLiteral("连接代理服务器成功！"));
    EXPECT_TRUE((*t)->TimerBong.Enabled());
    EXPECT_FALSE((*t)->TimerProxyWait.Enabled());

    // From now on the bytes are the game's.
    t->Deliver(SomeServerPacket());
    EXPECT_EQ((*t)->transport.ReceiveWrite, kPacketSize);
}

TEST_F(ProxyHandshake, MethodTwoSendsTheUserNameAndPasswordOneByteACharacterEvenWhenEmpty) {
    const struct {
        const char* name;
        QString user, password;
        QByteArray message;
    } cases[] = {
        {"both given", QStringLiteral("user"), QStringLiteral("pa55"),
         Bytes({1, 4, 'u', 's', 'e', 'r', 4, 'p', 'a', '5', '5'})},
        {"both empty", QString(), QString(), Bytes({1, 0, 0})},
        {"characters of two code page bytes go as 0", QStringLiteral("张a"), QStringLiteral("密"), Bytes({1, 2, 0, 'a', 1, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProxyLine line;
        line.user = c.user;
        line.password = c.password;
        Start(line);
        t->Deliver(Bytes({5, 2}));
        ASSERT_EQ(t->Sent().size(), 2u);
        EXPECT_EQ(t->Sent()[1], c.message);

        t->Deliver(Bytes({1, 0}));
        ASSERT_EQ(t->Sent().size(), 3u);
        EXPECT_EQ(t->Sent()[2], kConnectToServer);
    }
}

TEST_F(ProxyHandshake, RepliesArrivingInPiecesAreJudgedOnlyWhenComplete) {
    Start();
    t->Deliver(Bytes({5}));
    EXPECT_EQ(t->Sent().size(), 1u);
    t->Deliver(Bytes({0}));
    ASSERT_EQ(t->Sent().size(), 2u);

    // A refusing second byte of the method reply would otherwise still be read here.
    const QByteArray reply = Bytes({5, 0, 0, 3, 4, 'h', 'o', 's', 't', 0x1F, 0x90});
    for (int i = 0; i + 1 < reply.size(); ++i) {
        t->Deliver(reply.mid(i, 1));
        EXPECT_EQ(t->Sent().size(), 2u) << "after byte " << i;
        EXPECT_FALSE((*t)->transport.LinkReady);
    }
    t->Deliver(reply.right(1));
    ASSERT_EQ(t->Sent().size(), 3u);
    EXPECT_EQ(t->Sent()[2], LoginBytes(*t));
    EXPECT_TRUE(t->dialogs->shown.empty());
}

TEST_F(ProxyHandshake, TheWholeConnectReplyIsConsumedForEachAddressTypeAndWhatFollowsIsTheGames) {
    const struct {
        const char* name;
        QByteArray reply;
    } cases[] = {
        {"IPv4", kConnectAccepted},
        {"domain name", Bytes({5, 0, 0, 3, 13}) + QByteArray("proxy.example") + Bytes({0x1F, 0x90})},
        {"IPv6", Bytes({5, 0, 0, 4, 0x20, 1, 0xD, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0x1F, 0x90})},
    };
    const QByteArray packet = SomeServerPacket();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartUpToConnect();
        t->Deliver(c.reply + packet + packet.left(5));
        ASSERT_TRUE((*t)->transport.LinkReady);
        const TransportState& ring = (*t)->transport;
        ASSERT_EQ(ring.ReceiveWrite, kPacketSize + 5);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(ring.ReceiveRing.data()), kPacketSize), packet);
        EXPECT_TRUE((*t)->scheduler.ReceiveJobOn);
        EXPECT_EQ(ring.ProxyReplyWrite, 0);
    }
}

// Its length cannot be told, so the whole delivery is the reply; the game's
// bytes come only after the log-in.
TEST_F(ProxyHandshake, AConnectAcceptedWithAnUnknownAddressTypeHandsTheLinkOver) {
    StartUpToConnect();
    t->Deliver(Bytes({5, 0, 0, 9, 1, 2, 3, 4, 5}));
    ASSERT_TRUE((*t)->transport.LinkReady);
    ASSERT_EQ(t->Sent().size(), 3u);
    EXPECT_EQ(t->Sent()[2], LoginBytes(*t));
    EXPECT_TRUE(t->dialogs->shown.empty());
    EXPECT_EQ((*t)->transport.ReceiveWrite, 0);

    t->Deliver(SomeServerPacket());
    EXPECT_EQ((*t)->transport.ReceiveWrite, kPacketSize);
}

TEST_F(ProxyHandshake, EachRefusalShowsItsMessageAndClosesTheSocket) {
    const QString ip = QStringLiteral("127.0.0.1");
    const QString ipv6Only = QStringLiteral("::1");
    const struct {
        const char* name;
        QString serverHost, proxyHost;
        std::vector<QByteArray> replies;
        QString message;
    } cases[] = {
        {"no acceptable method", ip, ip, {Bytes({5, 0xFF})}, kRequestFailed},
        {"not a SOCKS5 proxy", ip, ip, {Bytes({4, 0})}, kRequestFailed},
        {"wrong password", ip, ip, {Bytes({5, 2}), Bytes({1, 1})}, kAuthFailed},
        {"CONNECT refused", ip, ip, {Bytes({5, 0}), Bytes({5, 5, 0, 1, 0, 0, 0, 0, 0, 0})}, kConnectFailed},
        {"CONNECT refused with an unknown address type", ip, ip, {Bytes({5, 0}), Bytes({5, 1, 0, 9})}, kConnectFailed},
        {"server host without an IPv4 address", ipv6Only, ip, {}, kConnectFailed},
        {"proxy host without an IPv4 address", ip, ipv6Only, {}, kRequestFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProxyLine line;
        line.serverHost = c.serverHost;
        line.proxyHost = c.proxyHost;
        Start(line);
        for (const QByteArray& reply : c.replies) t->Deliver(reply);
        ExpectRefused(c.message);
    }
}

TEST_F(ProxyHandshake, ANewAttemptCancelsTheOneUnderWay) {
    t = std::make_unique<TestClient>(ProxyLine{}.Text());
    t->socket->stateAfterConnect = TcpLink::StateConnecting;
    ASSERT_EQ(t->Load(), std::nullopt);
    ConnectViaProxy(**t);
    EXPECT_EQ(t->socket->connectCalls, 2);
    t->socket->FinishConnecting();
    EXPECT_EQ(t->Sent(), std::vector<QByteArray>{kGreeting});

    // Mid-handshake too: the new connection gets one greeting of its own and
    // a reply meant for the old one is not taken for the new one's.
    t->Deliver(Bytes({5}));
    ConnectViaProxy(**t);
    t->socket->FinishConnecting();
    EXPECT_EQ(t->Sent(), (std::vector<QByteArray>{kGreeting, kGreeting}));
    t->Deliver(Bytes({0}));
    EXPECT_EQ(t->Sent().size(), 2u);
}

TEST_F(ProxyHandshake, AProxyThatDoesNotAnswerInTimeIsAFailedAttemptTheWatchSees) {
    Start();
    EXPECT_TRUE((*t)->TimerProxyWait.Enabled());
    t->lobby->frames.clear();

    TimerProxyWait_Timer(**t);
    EXPECT_FALSE((*t)->TimerProxyWait.Enabled());
    EXPECT_EQ(t->socket->State(), TcpLink::StateClosed);
    EXPECT_TRUE(t->dialogs->shown.empty());
    t->Deliver(Bytes({5, 0}));
    EXPECT_EQ(t->Sent().size(), 1u);

    // Outside a game the watch returns the client to the lobby, as after a
    // direct connection that never came up.
    t->Tick(2);
    ASSERT_FALSE(t->lobby->frames.empty());
    EXPECT_EQ(t->lobby->frames[0].msg, WindowMessage::WM_SYSCOMMAND);
    EXPECT_EQ(t->lobby->frames[0].wParam, WindowMessage::SC_RESTORE);
}

TEST_F(ProxyHandshake, HostNamesAreResolvedToIPv4) {
    ProxyLine line;
    line.serverHost = line.proxyHost = QStringLiteral("localhost");
    Start(line);
    ASSERT_TRUE(WaitUntil([&] { return !t->Sent().empty(); }, 5000));
    EXPECT_EQ(t->socket->RemoteHost, QStringLiteral("127.0.0.1"));
    t->Deliver(Bytes({5, 0}));
    ASSERT_EQ(t->Sent().size(), 2u);
    EXPECT_EQ(t->Sent()[1], kConnectToServer);
}

TEST_F(ProxyHandshake, AReconnectRequestGoesThroughTheProxyAgainWithTheEchoBytes) {
    StartUpToConnect();
    t->Deliver(kConnectAccepted);
    (*t)->transport.EchoBytes = {0x12, 0x34};

    ReconnectToServer(**t, (*t)->connection.LoginPacket);
    EXPECT_FALSE((*t)->transport.LinkReady);
    EXPECT_FALSE((*t)->scheduler.LoginJobOn);
    ASSERT_EQ(t->Sent().size(), 4u);
    EXPECT_EQ(t->Sent()[3], kGreeting);
    t->Deliver(Bytes({5, 0}));
    t->Deliver(kConnectAccepted);
    ASSERT_EQ(t->Sent().size(), 6u);
    const QByteArray request = t->Sent()[5];
    EXPECT_EQ(request.size(), kPacketSize);
    EXPECT_EQ(uint8_t(request[3]), MessageType::Reconnect);
    EXPECT_EQ(uint8_t(request[260]), 0x12);
    EXPECT_EQ(uint8_t(request[261]), 0x34);
}
}  // namespace
