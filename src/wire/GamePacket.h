#pragma once
#include "shared/GameMessage.h"
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The 272-byte wire form of a message, the same in both directions:
//   0-1 reserved, 2-3 type (big-endian), 4 reserved, 5 Byte5, 6 SeatBit,
//   7 Byte7, 8-15 four big-endian 16-bit parameters, 16-259 payload,
//   260-261 echo bytes, 262-271 reserved.
using GamePacket = std::array<uint8_t, 272>;

namespace PacketOffset {
constexpr int Type = 2;
constexpr int Byte5 = 5;
constexpr int SeatBit = 6;
constexpr int Byte7 = 7;
constexpr int Params = 8;
constexpr int Payload = 16;
constexpr int Echo = 260;
}  // namespace PacketOffset

// Encodes the header and the echo bytes; the payload is copied from
// `payload` (at most 244 bytes, the rest stays 0).
GamePacket EncodeGamePacket(const GameMessage& message, const QByteArray& payload = {},
                            std::array<uint8_t, 2> echoBytes = {});

// Decodes a header as the client reads it: the type from byte 3 alone,
// SeatBit's low four bits, and each parameter as its low byte, except for
// types 15 and 17, whose parameters are full signed 16-bit values.
GameMessage DecodeGamePacket(const uint8_t* packet);

// Decodes a header as a server reads it: the full 16-bit type, the whole
// SeatBit byte and full signed 16-bit parameters.
GameMessage DecodeGamePacketFull(const uint8_t* packet);

QByteArray ToByteArray(const GamePacket& packet);

// Accounts travel as their GBK bytes in fields of 16, ended by the first
// zero byte when shorter: the log-in packet writes the own account so, and
// every message that names a player carries an account the same way. Read
// back, the same bytes give the same name wherever they come from.
namespace AccountField {
constexpr int Bytes = 16;
// The account's GBK bytes, at most 16 of them.
QByteArray Encode(const QString& account);
// The 16-byte field at `field`, up to its first zero byte.
QString Decode(const uint8_t* field);
}  // namespace AccountField
