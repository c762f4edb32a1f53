#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include "shared/GameMessage.h"
#include <algorithm>
#include <cstring>
#include <utility>

namespace {
constexpr int BannerBytes = 100;
constexpr int ChatTextBytes = 200;

// Byte places of a PlayerJoined record: (offset, length).
namespace Record {
constexpr std::pair<int, int> NickName{16, 32};
constexpr std::pair<int, int> Avatar{48, 16};
constexpr int Sex = 64;
constexpr std::pair<int, int> Area{72, 8};
constexpr int Points = 80;
constexpr int Credit = 88;
constexpr int Money = 96;
constexpr std::pair<int, int> LevelTitle{112, 16};
constexpr int Logins = 152;
constexpr int Drops = 156;
constexpr int Wins = 160;
constexpr int Losses = 164;
constexpr std::pair<int, int> Account{168, 16};
constexpr std::pair<int, int> NameTag{184, 24};
constexpr int Ready = 208;
constexpr std::pair<int, int> VoiceCode{210, 8};
constexpr std::pair<int, int> VoiceSet{218, 8};
constexpr int UserId = 226;
}  // namespace Record

QByteArray GbkCutAt(const QString& text, int maxBytes) {
    QByteArray bytes;
    for (const QChar c : text) {
        const QByteArray character = AnsiCodec::CharToAnsi(c);
        if (bytes.size() + character.size() > maxBytes) break;
        bytes += character;
    }
    return bytes;
}

void PutBytes(GamePacket& packet, std::pair<int, int> field, const QByteArray& bytes) {
    const auto [offset, length] = field;
    std::memcpy(packet.data() + offset, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), length)));
}

void PutText(GamePacket& packet, std::pair<int, int> field, const QString& text) {
    PutBytes(packet, field, GbkCutAt(text, field.second));
}

template <typename Number>
void PutLittleEndian(GamePacket& packet, int offset, Number value) {
    for (size_t k = 0; k < sizeof(Number); ++k) packet[size_t(offset) + k] = uint8_t(value >> (8 * k));
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

GamePacket ChatLinePacket(uint8_t senderSeatBit, const QString& text, std::array<uint8_t, 2> echo,
                          std::array<int16_t, 4> params) {
    GameMessage line;
    line.MsgType = MessageType::ChatLine;
    line.SeatBit = senderSeatBit;
    line.Param = params;
    return EncodeGamePacket(line, GbkCutAt(text, ChatTextBytes), echo);
}

QByteArray AccountOf(const uint8_t* packet) {
    const char* start = reinterpret_cast<const char*>(packet + PacketOffset::Payload);
    return QByteArray(start, int(strnlen(start, AccountField::Bytes)));
}

QString AccountText(const QByteArray& account) { return OnOneLine(AnsiCodec::FromAnsi(account)); }

GamePacket SeatNamePacket(uint8_t seatBit, const QByteArray& account, std::array<uint8_t, 2> echo) {
    GameMessage name;
    name.MsgType = MessageType::SeatName;
    name.SeatBit = seatBit;
    return EncodeGamePacket(name, account.left(AccountField::Bytes), echo);
}

GamePacket PlayerJoinedPacket(uint8_t seatBit, const PlayerRecord& record, std::array<uint8_t, 2> echo) {
    GameMessage joined;
    joined.MsgType = MessageType::PlayerJoined;
    joined.SeatBit = seatBit;
    GamePacket packet = EncodeGamePacket(joined, {}, echo);
    PutText(packet, Record::NickName, record.nickName);
    PutBytes(packet, Record::Avatar, record.avatar);
    packet[Record::Sex] = record.sex;
    PutText(packet, Record::Area, record.area);
    PutLittleEndian(packet, Record::Points, record.points);
    PutLittleEndian(packet, Record::Credit, record.credit);
    PutLittleEndian(packet, Record::Money, record.money);
    PutText(packet, Record::LevelTitle, record.levelTitle);
    PutLittleEndian(packet, Record::Logins, record.logins);
    PutLittleEndian(packet, Record::Drops, record.drops);
    PutLittleEndian(packet, Record::Wins, record.wins);
    PutLittleEndian(packet, Record::Losses, record.losses);
    PutBytes(packet, Record::Account, record.account);
    PutText(packet, Record::NameTag, record.nameTag);
    packet[Record::Ready] = record.ready ? 1 : 0;
    PutBytes(packet, Record::VoiceCode, record.voiceCode);
    PutBytes(packet, Record::VoiceSet, record.voiceSet);
    PutLittleEndian(packet, Record::UserId, record.userId);
    return packet;
}

GamePacket PlayerReadyPacket(uint8_t seatBit, const QByteArray& account, std::array<uint8_t, 2> echo) {
    GameMessage ready;
    ready.MsgType = MessageType::PlayerReady;
    ready.SeatBit = seatBit;
    ready.Param[3] = 1;
    return EncodeGamePacket(ready, account.left(AccountField::Bytes), echo);
}

QString DescribePacket(const uint8_t* packet) {
    const int type = uint16_t(DecodeGamePacketFull(packet).MsgType);
    QString payload;
    if (type == MessageType::Login || type == MessageType::Reconnect)
        payload = QStringLiteral(" account=") + AccountText(AccountOf(packet));
    else if (type == MessageType::ChatLine)
        payload = QStringLiteral(" text=") + OnOneLine(PayloadText(packet, PacketOffset::Payload, ChatTextBytes));
    return DescribeHeader(packet) + payload + DescribeEcho(packet);
}

QString DescribeSentPacket(const uint8_t* packet) { return DescribeHeader(packet) + DescribeEcho(packet); }
