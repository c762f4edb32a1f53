#include "messages/PlayerInfoRecord.h"
#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include "shared/PlayerInfo.h"

namespace {
using Packet = std::array<uint8_t, kPacketSize>;

QString CharOf(AnsiCodec::Decoder& decode, const uint8_t* bytes, int count) {
    return decode(QByteArray(reinterpret_cast<const char*>(bytes), count));
}

// Single-byte lead bytes, each followed by one trail byte; a lead byte in the
// field's last place stands alone.
QString MixedText(const Packet& packet, int offset, int length) {
    AnsiCodec::Decoder decode;
    QString text;
    const int end = offset + length;
    for (int i = offset; i < end && packet[i] != 0;) {
        const int count = packet[i] >= 128 && i + 1 < end ? 2 : 1;
        text += CharOf(decode, &packet[i], count);
        i += count;
    }
    return text;
}

// Byte pairs, each one double-byte character; a pair whose first byte is
// zero ends the text. A pair with a zero second byte is its first byte alone.
QString PairText(const Packet& packet, int offset, int length) {
    AnsiCodec::Decoder decode;
    QString text;
    for (int i = offset; i + 1 < offset + length && packet[i] != 0; i += 2)
        text += CharOf(decode, &packet[i], packet[i + 1] == 0 ? 1 : 2);
    return text;
}

// Each byte up to the first zero byte or `length` bytes is one character.
QString SingleByteText(const Packet& packet, int offset, int length) {
    AnsiCodec::Decoder decode;
    QString text;
    for (int i = offset; i < offset + length && packet[i] != 0; ++i) text += CharOf(decode, &packet[i], 1);
    return text;
}

double Unsigned64(const Packet& packet, int offset) {
    double value = 0;
    for (int k = 7; k >= 0; --k) value = value * 256 + packet[offset + k];
    return value;
}

int32_t Counter32(const Packet& packet, int offset) {
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k) value = value * 256 + packet[offset + k];
    return static_cast<int32_t>(value);
}
}  // namespace

QString RecordAccount(const Packet& packet) { return AccountField::Decode(&packet[PlayerRecordOffset::Account]); }

void ParsePlayerInfo(PlayerInfo& info, const Packet& packet) {
    info.Account = RecordAccount(packet);
    info.NickName = MixedText(packet, 16, 32);
    info.Avatar = SingleByteText(packet, 48, 16);
    if (info.Avatar.isEmpty()) info.Avatar = QStringLiteral("m1");
    info.Sex = packet[64];
    info.Area = PairText(packet, 72, 8);
    info.Points = Unsigned64(packet, 80);
    info.Credit = Unsigned64(packet, 88);
    info.Money = Unsigned64(packet, 96);
    info.Extra1 = Unsigned64(packet, 104);
    info.Extra2 = Unsigned64(packet, 128);
    info.Extra3 = Unsigned64(packet, 136);
    info.Extra4 = Unsigned64(packet, 144);
    info.LevelTitle = PairText(packet, 112, 16);
    info.LoginCount = Counter32(packet, 152);
    info.DropCount = Counter32(packet, 156);
    info.WinCount = Counter32(packet, 160);
    info.LossCount = Counter32(packet, 164);
    info.NameTag = PairText(packet, 184, 24);
    info.VoiceCode = SingleByteText(packet, 210, 8);
    info.VoiceSet = SingleByteText(packet, 218, 8);
    info.UserId = Unsigned64(packet, 226);
}

void BlankPlayerInfo(PlayerInfo& p) {
    p.NickName.clear();
    p.Avatar.clear();
    p.Area.clear();
    p.LevelTitle.clear();
    p.Sex = 0;
    p.Points = p.Credit = p.Money = p.Extra1 = p.Extra2 = p.Extra3 = p.Extra4 = 0;
    p.LoginCount = p.DropCount = p.WinCount = p.LossCount = 0;
}
