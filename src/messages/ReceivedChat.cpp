#include "messages/ReceivedChat.h"
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "platform/AnsiCodec.h"
#include "shared/Client.h"
#include "table/Sound.h"
#include "window/ChatFilter.h"
#include "window/TalkWindow.h"
#include "table/Ticker.h"

namespace {
constexpr int kChatTextEnd = PacketOffset::Payload + 200;
constexpr int kChatWrapWidth = 46;
constexpr int kTickerChars = 45;

// Bytes 16 to 215, a byte of 0x80 or more taking the next byte as its trail.
// Zero bytes stay zero characters here; the text ends at the first of them.
QString DecodeChatText(const std::array<uint8_t, kPacketSize>& packet) {
    AnsiCodec::Decoder decode;
    QString text;
    for (int i = PacketOffset::Payload; i < kChatTextEnd;) {
        const int length = packet[i] < 0x80 ? 1 : 2;
        text += decode(QByteArray(reinterpret_cast<const char*>(packet.data() + i), length));
        i += length;
    }
    return text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0)));
}

// The sender's spoken phrase: its letter, then its number.
void PlayVoicePhrase(Client& c, int localSeat, const GameMessage& message) {
    const QString suffix = QChar(uchar(message.Param[2])) + QString::number(message.Param[3]);
    const QString name = VoiceFileName(c, c.playerInfo[localSeat], suffix);
    if (name.isEmpty()) return;
    StopSound(c);
    PlaySoundFile(c, name, false);
    SetSoundVolume(c, 3000);
}

QString ShowOwnNameAsYou(const Client& c, QString text) {
    const PlayerInfo& own = c.playerInfo[0];
    if (own.NickName.isEmpty()) return text;
    text.replace(QLatin1Char('[') + own.NameTag + QLatin1Char(']') + own.NickName, QStringLiteral("你"));
    if (!text.startsWith(QStringLiteral("系统提示"))) {
        const qsizetype at = text.indexOf(own.NickName);
        if (at >= 0) text.replace(at, own.NickName.size(), QStringLiteral("你"));
    }
    return text;
}
}  // namespace

void ShowReceivedChat(Client& c) {
    GameMessage& message = c.transport.CurrentMessage;
    QString text = DecodeChatText(c.transport.PacketIn);
    const int localSeat = (BitToIndex(c.seatInfo[0].SeatBit) + 4 - BitToIndex(message.SeatBit)) & 3;
    message.SeatBit = static_cast<uint8_t>(localSeat);
    if (message.Param[0] == 1 && localSeat != 0) PlayVoicePhrase(c, localSeat, message);
    text = FilterChatText(ShowOwnNameAsYou(c, text));

    QListWidget& log = *c.Talk().Text1;
    AddWrappedText(log, text, kChatWrapWidth);
    ShowLastLine(log);
    AddSystemMessage(c, text.left(kTickerChars));
    if (localSeat != 0) c.table.ChatBlinkCount = 8;
}
