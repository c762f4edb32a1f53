#include "QuickPlayer.h"
#include "wire/GamePacket.h"
#include "wire/LoginPacket.h"
#include "dravik-server/PacketFraming.h"
#include "dravik-server/ServerPackets.h"
#include "shared/GameMessage.h"

namespace {
constexpr int kPass = 1;
constexpr int kAccountOffset = 16;
}  // namespace

QuickPlayer::QuickPlayer(quint16 port, const QString& account) : account_(account) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { Read(); });
    QObject::connect(&socket_, &QTcpSocket::connected,
                     [this] { socket_.write(ToByteArray(BuildLoginPacket(account_, QStringLiteral("pw")))); });
    QObject::connect(&flood_, &QTimer::timeout, [this] { SendLine(); });
    socket_.connectToHost(QHostAddress::LocalHost, port);
}

void QuickPlayer::Flood(int lines, int intervalMs) {
    lines_ = lines;
    flood_.start(intervalMs);
}

void QuickPlayer::SendLine() {
    if (FloodDone() || seatBit_ == 0) return flood_.stop();
    ++sent_;
    socket_.write(ToByteArray(ChatLinePacket(seatBit_, QStringLiteral("刷屏%1").arg(sent_), {})));
}

void QuickPlayer::SayReady() {
    GameMessage ready;
    ready.MsgType = MessageType::ReadyOrLeave;
    ready.Param[3] = 1;
    Send(ready);
}

void QuickPlayer::Read() {
    pending_ += socket_.readAll();
    for (const GamePacket& packet : TakeWholePackets(pending_)) {
        const GameMessage message = DecodeGamePacket(packet.data());
        // Of the seating's four names, the own one gives the seat.
        if (message.MsgType == MessageType::SeatName && seatBit_ == 0 &&
            AccountField::Decode(packet.data() + kAccountOffset) == account_)
            seatBit_ = message.SeatBit;
        else if (message.SeatBit == seatBit_ && seatBit_ != 0)
            Answer(message);
    }
}

void QuickPlayer::Answer(const GameMessage& message) {
    if (message.MsgType == MessageType::TileDrawn) drawn_ = message.Param[3];
    if (message.MsgType == MessageType::SeatResult) return SayReady();
    if (message.MsgType != MessageType::ActionPrompt) return;
    GameMessage move;
    if (drawn_ != 0) {
        move.MsgType = MessageType::Discard;
        move.Param[3] = int16_t(TileMarker::Discard | drawn_);
        drawn_ = 0;
    } else {
        move.MsgType = MessageType::ClaimAnswer;
        move.Param[0] = kPass;
    }
    Send(move);
}

void QuickPlayer::Send(const GameMessage& message) {
    GameMessage sent = message;
    sent.SeatBit = seatBit_;
    socket_.write(ToByteArray(EncodeGamePacket(sent)));
}
