#include "support/FakeGameServer.h"
#include "support/EventLoopWait.h"
#include "dravik-server/PacketFraming.h"
#include "dravik-server/ServerPackets.h"
#include "shared/GameMessage.h"
#include <QCoreApplication>
#include <gtest/gtest.h>

FakeGameServer::FakeGameServer() {
    connect(&server_, &QTcpServer::newConnection, this, &FakeGameServer::Accept);
    if (!server_.listen(QHostAddress::LocalHost, 0))
        ADD_FAILURE() << "fake game server cannot listen: " << server_.errorString().toStdString();
}

quint16 FakeGameServer::Port() const { return server_.serverPort(); }

void FakeGameServer::SetLoginAnswer(const FakeLoginAnswer& answer) { loginAnswer_ = answer; }

bool FakeGameServer::WaitForConnection(int timeoutMs) {
    return WaitUntil([this] { return client_ && client_->state() == QAbstractSocket::ConnectedState; }, timeoutMs);
}

bool FakeGameServer::WaitForClose(int timeoutMs) {
    return WaitUntil([this] { return !client_ || client_->state() != QAbstractSocket::ConnectedState; }, timeoutMs);
}

bool FakeGameServer::WaitForPackets(int count, int timeoutMs) {
    return WaitUntil([this, count] { return received_.size() >= size_t(count); }, timeoutMs);
}

std::vector<GamePacket> FakeGameServer::Received() const { return received_; }

void FakeGameServer::Send(const GamePacket& packet) { SendRaw(ToByteArray(packet)); }

void FakeGameServer::SendRaw(const QByteArray& bytes) {
    if (!client_) {
        ADD_FAILURE() << "fake game server: nothing to send to, no client is connected";
        return;
    }
    client_->write(bytes);
    client_->flush();
}

void FakeGameServer::CloseConnection() {
    if (!client_) return;
    client_->disconnect(this);
    client_->disconnectFromHost();
    client_->deleteLater();
    client_ = nullptr;
}

void FakeGameServer::StopListening() { server_.close(); }

void FakeGameServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        CloseConnection();
        client_ = socket;
        pending_.clear();
        connect(socket, &QTcpSocket::readyRead, this, &FakeGameServer::Read);
    }
}

void FakeGameServer::Read() {
    pending_ += client_->readAll();
    for (const GamePacket& packet : TakeWholePackets(pending_)) {
        received_.push_back(packet);
        if (loginAnswer_.enabled && DecodeGamePacketFull(packet.data()).MsgType == MessageType::Login)
            Send(LoginReplyPacket(1, loginAnswer_.turnSeconds, loginAnswer_.timeoutLimit, loginAnswer_.bannerUrl,
                                  loginAnswer_.echo));
    }
}

