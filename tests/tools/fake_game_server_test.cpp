#include "wire/LoginPacket.h"
#include "dravik-server/ServerPackets.h"
#include "support/FakeGameServer.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {
constexpr int WaitMs = 5000;

GamePacket KeepAlivePacket() {
    GameMessage keepAlive;
    keepAlive.MsgType = MessageType::KeepAlive;
    keepAlive.SeatBit = 1;
    return EncodeGamePacket(keepAlive);
}

QByteArray ReadPacketBytes(QTcpSocket& socket) {
    const QDeadlineTimer deadline(WaitMs);
    while (socket.bytesAvailable() < 272 && socket.waitForReadyRead(int(deadline.remainingTime()))) {}
    return socket.read(272);
}

TEST(FakeGameServer, FramesSplitAndMergedDeliveriesAndAnswersALogin) {
    FakeGameServer server;
    server.SetLoginAnswer({true, 5, 2, "http://127.0.0.1/b", {0, 42}});
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.Port());
    ASSERT_TRUE(server.WaitForConnection(WaitMs));

    const GamePacket login = BuildLoginPacket("player1", "secret");
    client.write(ToByteArray(login).left(100));
    client.flush();
    QCoreApplication::processEvents();  // lets the server take in the first part alone
    client.write(ToByteArray(login).mid(100) + ToByteArray(KeepAlivePacket()) + "partial");
    client.flush();

    ASSERT_TRUE(server.WaitForPackets(2, WaitMs));
    EXPECT_EQ(server.Received(), (std::vector<GamePacket>{login, KeepAlivePacket()}));
    EXPECT_EQ(ReadPacketBytes(client), ToByteArray(LoginReplyPacket(1, 5, 2, "http://127.0.0.1/b", {0, 42})));
}

TEST(FakeGameServer, AfterCloseConnectionTheNextClientIsServed) {
    FakeGameServer server;
    FakeLoginAnswer noAnswer;
    noAnswer.enabled = false;
    server.SetLoginAnswer(noAnswer);
    QTcpSocket first;
    first.connectToHost(QHostAddress::LocalHost, server.Port());
    ASSERT_TRUE(server.WaitForConnection(WaitMs));
    first.write(ToByteArray(BuildLoginPacket("player1", "secret")));
    ASSERT_TRUE(server.WaitForPackets(1, WaitMs));

    server.CloseConnection();
    EXPECT_TRUE(first.state() == QAbstractSocket::UnconnectedState || first.waitForDisconnected(WaitMs));
    EXPECT_FALSE(first.bytesAvailable()) << "a login must not be answered while the answer is off";

    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, server.Port());
    ASSERT_TRUE(server.WaitForConnection(WaitMs));
    second.write(ToByteArray(KeepAlivePacket()));
    ASSERT_TRUE(server.WaitForPackets(2, WaitMs));
    EXPECT_EQ(server.Received().back(), KeepAlivePacket());

    server.Send(ReconnectReplyPacket(true, {0, 1}));
    EXPECT_EQ(ReadPacketBytes(second), ToByteArray(ReconnectReplyPacket(true, {0, 1})));
}
}  // namespace
