#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include <algorithm>

namespace {
int16_t SignedWord(uint8_t high, uint8_t low) { return static_cast<int16_t>(uint16_t(high) << 8 | low); }
}  // namespace

GamePacket EncodeGamePacket(const GameMessage& message, const QByteArray& payload,
                            std::array<uint8_t, 2> echoBytes) {
    GamePacket packet{};
    const auto type = static_cast<uint16_t>(message.MsgType);
    packet[PacketOffset::Type] = static_cast<uint8_t>(type >> 8);
    packet[PacketOffset::Type + 1] = static_cast<uint8_t>(type & 0xFF);
    packet[PacketOffset::Byte5] = message.Byte5;
    packet[PacketOffset::SeatBit] = message.SeatBit;
    packet[PacketOffset::Byte7] = message.Byte7;
    for (int k = 0; k < 4; ++k) {
        const auto word = static_cast<uint16_t>(message.Param[k]);  // two's complement
        packet[PacketOffset::Params + 2 * k] = static_cast<uint8_t>(word >> 8);
        packet[PacketOffset::Params + 2 * k + 1] = static_cast<uint8_t>(word & 0xFF);
    }
    const int payloadBytes = std::min<int>(int(payload.size()), PacketOffset::Echo - PacketOffset::Payload);
    std::copy_n(reinterpret_cast<const uint8_t*>(payload.constData()), payloadBytes,
                packet.begin() + PacketOffset::Payload);
    packet[PacketOffset::Echo] = echoBytes[0];
    packet[PacketOffset::Echo + 1] = echoBytes[1];
    return packet;
}

GameMessage DecodeGamePacket(const uint8_t* packet) {
    GameMessage message;
    message.MsgType = packet[PacketOffset::Type + 1];
    message.Byte5 = packet[PacketOffset::Byte5];
    message.SeatBit = packet[PacketOffset::SeatBit] & 15;
    message.Byte7 = packet[PacketOffset::Byte7];
    const bool fullWords = message.MsgType == MessageType::HandRevealed || message.MsgType == MessageType::ResultDetail;
    for (int k = 0; k < 4; ++k) {
        const uint8_t high = packet[PacketOffset::Params + 2 * k];
        const uint8_t low = packet[PacketOffset::Params + 2 * k + 1];
        message.Param[k] = fullWords ? SignedWord(high, low) : low;
    }
    return message;
}

GameMessage DecodeGamePacketFull(const uint8_t* packet) {
    GameMessage message;
    message.MsgType = SignedWord(packet[PacketOffset::Type], packet[PacketOffset::Type + 1]);
    message.Byte5 = packet[PacketOffset::Byte5];
    message.SeatBit = packet[PacketOffset::SeatBit];
    message.Byte7 = packet[PacketOffset::Byte7];
    for (int k = 0; k < 4; ++k)
        message.Param[k] = SignedWord(packet[PacketOffset::Params + 2 * k], packet[PacketOffset::Params + 2 * k + 1]);
    return message;
}

QByteArray ToByteArray(const GamePacket& packet) {
    return QByteArray(reinterpret_cast<const char*>(packet.data()), int(packet.size()));
}

namespace AccountField {
QByteArray Encode(const QString& account) { return AnsiCodec::ToAnsi(account).left(Bytes); }

QString Decode(const uint8_t* field) {
    const auto* end = std::find(field, field + Bytes, uint8_t{0});
    return AnsiCodec::FromAnsi(QByteArray(reinterpret_cast<const char*>(field), int(end - field)));
}
}  // namespace AccountField
