#include "dravik-server/GameServer.h"
#include "dravik-server/PacketFraming.h"
#include "dravik-server/ServerPackets.h"
#include "dravik-server/TableSeating.h"
#include "shared/GameMessage.h"
#include <QTcpSocket>

std::array<uint8_t, 2> GameServer::Connection::NextEcho() {
    ++sentPackets;
    return {uint8_t(sentPackets >> 8), uint8_t(sentPackets & 0xFF)};
}

GameServer::GameServer(const GameServerSettings& settings) : settings_(settings) {
    connect(&server_, &QTcpServer::newConnection, this, &GameServer::Accept);
}

GameServer::~GameServer() {
    // The listening server deletes the sockets still open; none of them may
    // report its close to a server that is half gone.
    for (const auto& entry : connections_) entry.first->disconnect(this);
}

bool GameServer::Listen(quint16 port) { return server_.listen(QHostAddress::LocalHost, port); }

quint16 GameServer::Port() const { return server_.serverPort(); }

QString GameServer::ErrorText() const { return server_.errorString(); }

void GameServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const int id = ++lastId_;
        connections_[socket].id = id;
        emit Event(QStringLiteral("connect %1").arg(id));
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Close(socket); });
    }
}

void GameServer::ReadFrom(QTcpSocket* socket) {
    Connection& connection = connections_.at(socket);
    connection.pending += socket->readAll();
    for (const GamePacket& packet : TakeWholePackets(connection.pending)) {
        emit Event(QStringLiteral("recv %1 ").arg(connection.id) + DescribePacket(packet.data()));
        Answer(socket, packet);
    }
}

void GameServer::Answer(QTcpSocket* socket, const GamePacket& packet) {
    const GameMessage header = DecodeGamePacketFull(packet.data());
    const int type = uint16_t(header.MsgType);
    if (type == MessageType::Login) {
        Send(socket, LoginReplyPacket(1, settings_.turnSeconds, settings_.timeoutLimit, settings_.bannerUrl, {}));
        Seat(socket, AccountOf(packet.data()));
    } else if (type == MessageType::Reconnect) {
        // The client comes back to the table it had.
        connections_.at(socket).seatedAccount = AccountOf(packet.data());
        Send(socket, ReconnectReplyPacket(true, {}));
    } else if (type == MessageType::ReadyOrLeave && header.Param == std::array<int16_t, 4>{}) {
        Leave(socket);
    }
}

// A log-in always seats, a repeated one on the same connection too: the
// client starts a new seating with the first seat name.
void GameServer::Seat(QTcpSocket* socket, const QByteArray& account) {
    Connection& connection = connections_.at(socket);
    connection.seatedAccount = account;
    emit Event(QStringLiteral("seat %1 account=%2").arg(connection.id).arg(AccountText(account)));
    for (const GamePacket& packet : SeatingPackets(account)) Send(socket, packet);
}

void GameServer::Leave(QTcpSocket* socket) {
    Connection& connection = connections_.at(socket);
    emit Event(QStringLiteral("leave %1 account=%2").arg(connection.id).arg(AccountText(connection.seatedAccount)));
    connection.seatedAccount.clear();
}

void GameServer::Send(QTcpSocket* socket, GamePacket packet) {
    Connection& connection = connections_.at(socket);
    const std::array<uint8_t, 2> echo = connection.NextEcho();
    std::copy(echo.begin(), echo.end(), packet.begin() + PacketOffset::Echo);
    socket->write(ToByteArray(packet));
    emit Event(QStringLiteral("send %1 ").arg(connection.id) + DescribeSentPacket(packet.data()));
}

void GameServer::Close(QTcpSocket* socket) {
    emit Event(QStringLiteral("close %1").arg(connections_.at(socket).id));
    socket->disconnect(this);
    connections_.erase(socket);
    socket->deleteLater();
}
