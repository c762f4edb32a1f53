#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include "shared/GameMessage.h"
#include <cstring>

namespace {
constexpr int BannerBytes = 100;
constexpr int AccountBytes = 16;
constexpr int ChatTextBytes = 200;

QByteArray GbkCutAt(const QString& text, int maxBytes) {
    QByteArray bytes;
    for (const QChar c : text) {
        const QByteArray character = AnsiCodec::CharToAnsi(c);
        if (bytes.size() + character.size() > maxBytes) break;
        bytes += character;
    }
    return bytes;
}

// The payload text at `offset`, up to its first zero byte or `maxBytes`.
QString PayloadText(const uint8_t* packet, int offset, int maxBytes) {
    const char* start = reinterpret_cast<const char*>(packet + offset);
    return AnsiCodec::FromAnsi(QByteArray(start, int(strnlen(start, size_t(maxBytes)))));
}

// Client text must not break the one-line-per-packet log.
QString OnOneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = u' ';
    return text;
}

QString DescribeHeader(const uint8_t* packet) {
    const GameMessage header = DecodeGamePacketFull(packet);
    return QStringLiteral("type=%1 seat=%2 byte5=%3 byte7=%4 params=%5,%6,%7,%8")
        .arg(int(uint16_t(header.MsgType)))
        .arg(int(header.SeatBit))
        .arg(int(header.Byte5))
        .arg(int(header.Byte7))
        .arg(int(header.Param[0]))
        .arg(int(header.Param[1]))
        .arg(int(header.Param[2]))
        .arg(int(header.Param[3]));
}

QString DescribeEcho(const uint8_t* packet) {
    return QStringLiteral(" echo=%1,%2").arg(int(packet[PacketOffset::Echo])).arg(int(packet[PacketOffset::Echo + 1]));
}
}  // namespace

GamePacket LoginReplyPacket(int verdict, int turnSeconds, int timeoutLimit, const QByteArray& bannerUrl,
                            std::array<uint8_t, 2> echo) {
    GameMessage reply;
    reply.MsgType = MessageType::LoginReply;
    reply.Param[0] = static_cast<uint8_t>(timeoutLimit);  // its low byte is byte 9
    reply.Param[1] = static_cast<int16_t>(turnSeconds);
    reply.Param[3] = static_cast<int16_t>(verdict);
    return EncodeGamePacket(reply, bannerUrl.left(BannerBytes), echo);
}

GamePacket ReconnectReplyPacket(bool accepted, std::array<uint8_t, 2> echo) {
    GameMessage reply;
    reply.MsgType = MessageType::ReconnectReply;
    reply.Param[3] = accepted ? 1 : 0;
    return EncodeGamePacket(reply, {}, echo);
}

GamePacket ChatLinePacket(uint8_t senderSeatBit, const QString& text, std::array<uint8_t, 2> echo) {
    GameMessage line;
    line.MsgType = MessageType::ChatLine;
    line.SeatBit = senderSeatBit;
    return EncodeGamePacket(line, GbkCutAt(text, ChatTextBytes), echo);
}

QString DescribePacket(const uint8_t* packet) {
    const int type = uint16_t(DecodeGamePacketFull(packet).MsgType);
    QString payload;
    if (type == MessageType::Login || type == MessageType::Reconnect)
        payload = QStringLiteral(" account=") + OnOneLine(PayloadText(packet, PacketOffset::Payload, AccountBytes));
    else if (type == MessageType::ChatLine)
        payload = QStringLiteral(" text=") + OnOneLine(PayloadText(packet, PacketOffset::Payload, ChatTextBytes));
    return DescribeHeader(packet) + payload + DescribeEcho(packet);
}

QString DescribeSentPacket(const uint8_t* packet) { return DescribeHeader(packet) + DescribeEcho(packet); }
