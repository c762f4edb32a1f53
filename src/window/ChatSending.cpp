#include "window/ChatSending.h"
#include "wire/PacketTransport.h"
#include "shared/Client.h"
#include "shared/GameMessage.h"
#include "table/MainForm.h"

namespace {
constexpr int16_t kVoiceLetter = 'a';

// Only blanks count as padding around a line, as the prefix itself ends in one.
QString WithoutOuterBlanks(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.mid(first, last - first);
}
}  // namespace

QString WithoutPrivatePrefix(const QString& text, const QString& prefix) {
    const qsizetype at = prefix.isEmpty() ? -1 : text.indexOf(prefix);
    if (at < 0) return text;
    return text.left(at) + text.mid(at + prefix.size());
}

void SendChatLine(Client& c, const std::optional<ChatPhrase>& phrase) {
    GameMessage message;
    message.MsgType = MessageType::ChatLine;
    message.SeatBit = c.seatInfo[0].SeatBit;
    if (phrase && phrase->voiceNumber > 0) {
        message.Param[0] = 1;
        message.Param[2] = kVoiceLetter;
        message.Param[3] = static_cast<int16_t>(phrase->voiceNumber);
    }
    QLineEdit& box = *c.mainForm->Chat;
    ChatState& chat = c.chat;
    const QString typed = box.text();
    if (!phrase && (typed.isEmpty() || WithoutOuterBlanks(typed) == WithoutOuterBlanks(chat.PrivateChatPrefix)))
        return;

    const QString& nickName = c.playerInfo[0].NickName;
    const bool isPrivate = !chat.PrivateChatPrefix.isEmpty() && typed.contains(chat.PrivateChatPrefix);
    if (isPrivate) {
        message.Param[1] = chat.PrivateChatSeat;
        const QString body = phrase ? phrase->text : WithoutPrivatePrefix(typed, chat.PrivateChatPrefix);
        // "你对<target>说: " read from the sender's side: "<nickname>对<target>说: ".
        c.transport.ChatOutText = nickName + chat.PrivateChatPrefix.mid(1) + body;
    } else {
        c.transport.ChatOutText = nickName + QStringLiteral("说道: ") + (phrase ? phrase->text : typed);
    }
    // A private choice lasts for one line.
    chat.PrivateChatPrefix.clear();
    box.clear();
    SendPacket(c, message);
}
