#include "connection/LoginPacket.h"
#include "dravik-server/ServerPackets.h"
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <csignal>

namespace {
constexpr int WaitMs = 10000;

GamePacket HeaderOnlyPacket(int type, uint8_t seatBit = 0) {
    GameMessage message;
    message.MsgType = static_cast<int16_t>(type);
    message.SeatBit = seatBit;
    return EncodeGamePacket(message);
}

QByteArray ReadPacketBytes(QTcpSocket& socket) {
    const QDeadlineTimer deadline(WaitMs);
    while (socket.bytesAvailable() < 272 && socket.waitForReadyRead(int(deadline.remainingTime()))) {}
    return socket.read(272);
}

// The real dravik-server, started on a free port, with its log lines.
class ServerTest : public ::testing::Test {
protected:
    void StartServer(const QStringList& options) {
        server_.start(DRAVIK_SERVER_BINARY, QStringList{"--port", "0"} + options);
        ASSERT_TRUE(server_.waitForStarted(WaitMs)) << server_.errorString().toStdString();
        const QString first = NextLine();
        ASSERT_TRUE(first.startsWith("listening on ")) << first.toStdString();
        port_ = quint16(first.mid(13).toUInt());
        ASSERT_NE(port_, 0);
    }

    void TearDown() override {
        server_.kill();
        server_.waitForFinished(WaitMs);
    }

    void Connect(QTcpSocket& socket) {
        socket.connectToHost(QHostAddress::LocalHost, port_);
        ASSERT_TRUE(socket.waitForConnected(WaitMs)) << socket.errorString().toStdString();
    }

    // The next line the server logs, or an empty one if none comes in time.
    QString NextLine() {
        const QDeadlineTimer deadline(WaitMs);
        while (!server_.canReadLine() && server_.waitForReadyRead(int(deadline.remainingTime()))) {}
        return QString::fromUtf8(server_.readLine()).trimmed();
    }

    // Reads log lines up to and including the first one that starts with
    // `prefix`; all lines read are kept in lines_.
    QString WaitForLine(const QString& prefix) {
        for (QString line = NextLine(); !line.isEmpty(); line = NextLine()) {
            lines_ << line;
            if (line.startsWith(prefix)) return line;
        }
        ADD_FAILURE() << "the server logged no line starting with " << prefix.toStdString();
        return {};
    }

    QProcess server_;
    quint16 port_ = 0;
    QStringList lines_;
};

TEST_F(ServerTest, AnswersALoginFramedFromSplitWritesAndLogsEveryPacket) {
    ASSERT_NO_FATAL_FAILURE(
        StartServer({"--turn-seconds", "5", "--timeout-limit", "2", "--banner", "http://127.0.0.1/banner"}));
    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    EXPECT_EQ(WaitForLine("connect "), "connect 1");

    const QByteArray login = ToByteArray(BuildLoginPacket(QStringLiteral("玩家一"), "hunter2"));
    client.write(login.left(150));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    // Once the server logs a second client, it has been through its event
    // loop since the first part arrived, so the rest comes in separately.
    QTcpSocket secondClient;
    ASSERT_NO_FATAL_FAILURE(Connect(secondClient));
    EXPECT_EQ(WaitForLine("connect "), "connect 2");
    client.write(login.mid(150));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    client.write(ToByteArray(HeaderOnlyPacket(MessageType::KeepAlive, 2)) + ToByteArray(HeaderOnlyPacket(99)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));

    EXPECT_EQ(ReadPacketBytes(client), ToByteArray(LoginReplyPacket(1, 5, 2, "http://127.0.0.1/banner", {0, 1})));

    WaitForLine("recv 1 type=99 ");
    const QStringList recvLines = lines_.filter(QRegularExpression("^recv "));
    ASSERT_EQ(recvLines.size(), 3) << lines_.join('\n').toStdString();
    EXPECT_EQ(recvLines[0],
              QStringLiteral("recv 1 type=18 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=玩家一 echo=0,0"));
    EXPECT_TRUE(recvLines[1].startsWith("recv 1 type=24 seat=2 ")) << recvLines[1].toStdString();
    EXPECT_TRUE(recvLines[2].startsWith("recv 1 type=99 ")) << recvLines[2].toStdString();
    EXPECT_TRUE(lines_.contains("send 1 type=18 seat=0 byte5=0 byte7=0 params=2,5,0,1 echo=0,1"))
        << lines_.join('\n').toStdString();
    EXPECT_FALSE(lines_.join('\n').contains("hunter2"));

    // The connection stays open: a later packet is still read and logged.
    client.write(ToByteArray(HeaderOnlyPacket(MessageType::KeepAlive, 2)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("recv ").startsWith("recv 1 type=24 "));
    EXPECT_FALSE(lines_.join('\n').contains("close 1"));
    EXPECT_EQ(client.state(), QAbstractSocket::ConnectedState);
}

TEST_F(ServerTest, GarbageAndAnAbruptCloseLeaveItServingOthers) {
    ASSERT_NO_FATAL_FAILURE(StartServer({}));
    QTcpSocket garbage;
    ASSERT_NO_FATAL_FAILURE(Connect(garbage));
    garbage.write(QByteArray(272, char(0xFF)) + QByteArray(100, char(0x5A)));
    ASSERT_TRUE(garbage.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("recv ").startsWith("recv 1 type=65535 seat=255 ")) << lines_.join('\n').toStdString();
    garbage.abort();
    EXPECT_EQ(WaitForLine("close "), "close 1");

    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    GamePacket reconnect = BuildLoginPacket("player1", "secret");
    reconnect[3] = MessageType::Reconnect;
    reconnect[261] = 7;
    client.write(ToByteArray(reconnect));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    EXPECT_EQ(ReadPacketBytes(client), ToByteArray(ReconnectReplyPacket(true, {0, 1})));
    EXPECT_EQ(WaitForLine("recv "), "recv 2 type=28 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=player1 echo=0,7");
}

TEST_F(ServerTest, SigintAndSigtermEndItCleanlyEvenWhenStartedIgnoringThem) {
    // As a shell starts a background job: with the stop signals ignored.
    server_.setChildProcessModifier([] {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGTERM, SIG_IGN);
    });
    for (const int stopSignal : {SIGINT, SIGTERM}) {
        ASSERT_NO_FATAL_FAILURE(StartServer({}));
        ::kill(pid_t(server_.processId()), stopSignal);
        ASSERT_TRUE(server_.waitForFinished(WaitMs)) << "signal " << stopSignal;
        EXPECT_EQ(server_.exitStatus(), QProcess::NormalExit) << "signal " << stopSignal;
        EXPECT_EQ(server_.exitCode(), 0) << "signal " << stopSignal;
    }
}
}  // namespace
