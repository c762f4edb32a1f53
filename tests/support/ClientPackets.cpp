#include "support/ClientPackets.h"
#include "platform/AnsiCodec.h"

GamePacket LoginPacket(int type, const QString& account, const QString& password, std::array<uint8_t, 2> echo) {
    GameMessage login;
    login.MsgType = static_cast<int16_t>(type);
    const QByteArray accountField = AnsiCodec::ToAnsi(account).leftJustified(16, '\0', true);
    return EncodeGamePacket(login, accountField + AnsiCodec::ToAnsi(password), echo);
}
