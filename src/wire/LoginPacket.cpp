#include "wire/LoginPacket.h"
#include "wire/GamePacket.h"
#include "wire/PacketTransport.h"
#include "wire/Proxy.h"
#include "platform/AnsiCodec.h"
#include "shared/Client.h"
#include <algorithm>

namespace {
constexpr int kNameOffset = 16;
constexpr int kPasswordOffset = 32;
constexpr int kPasswordEnd = 260;
}  // namespace

std::array<uint8_t, kPacketSize> BuildLoginPacket(const QString& userName, const QString& password) {
    std::array<uint8_t, kPacketSize> packet{};
    packet[3] = MessageType::Login;
    // The command line is checked first, so both fit their fields.
    const QByteArray name = AccountField::Encode(userName);
    const QByteArray secret = AnsiCodec::ToAnsi(password).left(kPasswordEnd - kPasswordOffset);
    std::copy(name.begin(), name.end(), packet.begin() + kNameOffset);
    std::copy(secret.begin(), secret.end(), packet.begin() + kPasswordOffset);
    return packet;
}

void ReconnectToServer(Client& c, std::array<uint8_t, kPacketSize>& packet) {
    c.upward.setTickerLines(c, QStringLiteral("正在重新连接服务器..."), QString());
    packet[3] = MessageType::Reconnect;
    packet[260] = c.transport.EchoBytes[0];
    packet[261] = c.transport.EchoBytes[1];
    c.transport.LinkReady = true;
    c.Winsock1.Close();
    DropPartialPacket(c.transport);
    if (c.connection.ProxyType == 0) {
        c.Winsock1.Connect();
        c.scheduler.LoginJobOn = true;
        c.scheduler.LoginJobTicks = 0;
    } else if (c.connection.ProxyType == 5) {
        c.scheduler.LoginJobOn = false;
        ConnectViaProxy(c);
    }
}
