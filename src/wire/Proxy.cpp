#include "wire/Proxy.h"
#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "wire/PacketTransport.h"
#include "platform/AnsiCodec.h"
#include "shared/Client.h"
#include <QHostAddress>
#include <QHostInfo>
#include <QtEndian>
#include <optional>

namespace {
const QString kRequestFailed = QStringLiteral("请求代理失败！");
const QString kAuthFailed = QStringLiteral("代理服务器用户验证失败！");
const QString kConnectFailed = QStringLiteral("通过代理连接主站失败！");

constexpr uint8_t kSocksVersion = 5;
constexpr uint8_t kAuthVersion = 1;
constexpr uint8_t kNoAuthentication = 0;
constexpr uint8_t kUserPassword = 2;
constexpr uint8_t kConnectCommand = 1;
constexpr uint8_t kAddressIPv4 = 1;
constexpr uint8_t kAddressDomainName = 3;
constexpr uint8_t kAddressIPv6 = 4;

using Resolved = void (*)(Client&, std::optional<uint32_t>);

void CancelLookup(TransportState& t) {
    if (t.ProxyLookupId < 0) return;
    QHostInfo::abortHostLookup(t.ProxyLookupId);
    t.ProxyLookupId = -1;
}

// Hands `then` the host's IPv4 address: at once for an address, after a
// look-up for a name; nothing when the host has no IPv4 address.
void ResolveIPv4(Client& c, const QString& host, Resolved then) {
    if (QHostAddress address; address.setAddress(host)) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) return then(c, address.toIPv4Address());
        return then(c, std::nullopt);
    }
    c.transport.ProxyLookupId = QHostInfo::lookupHost(host, &c.Winsock1, [&c, then](const QHostInfo& info) {
        c.transport.ProxyLookupId = -1;
        for (const QHostAddress& address : info.addresses())
            if (address.protocol() == QAbstractSocket::IPv4Protocol) return then(c, address.toIPv4Address());
        then(c, std::nullopt);
    });
}

void FailAttempt(Client& c, const QString& message) {
    c.TimerProxyWait.SetEnabled(false);
    c.transport.ProxyStep = 0;
    // Closed before the box, which runs other events while it is open: none
    // of them may take the proxy's connection for a game link.
    c.Winsock1.Close();
    c.platform.dialogs->MsgBox(message, Dialogs::OkOnly, kDefaultDialogTitle);
}

void ConnectToResolvedProxy(Client& c, std::optional<uint32_t> proxy) {
    if (!proxy) return FailAttempt(c, kRequestFailed);
    c.Winsock1.RemoteHost = QHostAddress(*proxy).toString();
    c.Winsock1.RemotePort = c.connection.ProxyAddr.Port;
    c.Winsock1.Connect();
}

void KeepServerAddressAndResolveProxy(Client& c, std::optional<uint32_t> server) {
    if (!server) return FailAttempt(c, kConnectFailed);
    c.transport.ProxyServerIPv4 = *server;
    ResolveIPv4(c, c.connection.ProxyAddr.HostName, ConnectToResolvedProxy);
}

// One byte per character, its code page byte; a character that needs two is sent as 0.
QByteArray OneBytePerChar(const QString& text) {
    QByteArray bytes;
    for (QChar ch : text) {
        const QByteArray ansi = AnsiCodec::CharToAnsi(ch);
        bytes += ansi.size() == 1 ? ansi[0] : '\0';
    }
    return bytes;
}

QByteArray Bytes(std::initializer_list<uint8_t> bytes) {
    QByteArray message;
    for (uint8_t byte : bytes) message += static_cast<char>(byte);
    return message;
}

void AppendWithLength(QByteArray& message, const QByteArray& field) {
    message += static_cast<char>(field.size());
    message += field;
}

template <typename Number>
void AppendBigEndian(QByteArray& message, Number value) {
    char bytes[sizeof(Number)];
    qToBigEndian(value, bytes);
    message.append(bytes, sizeof(Number));
}

// The CONNECT reply's whole length (4 bytes, the bound address by its type,
// the port), or nothing while too few bytes are in to tell. The length of a
// reply of an unknown address type cannot be told: everything in by then is
// taken as the reply, since the game server says nothing before the log-in,
// which goes out only once the link is handed over.
std::optional<int> ConnectReplyLength(const TransportState& t) {
    const int received = t.ProxyReplyWrite;
    if (received < 4) return std::nullopt;
    int length = 4;
    switch (t.ProxyReplyBuffer[3]) {
    case kAddressIPv4: length += 4 + 2; break;
    case kAddressIPv6: length += 16 + 2; break;
    case kAddressDomainName:
        if (received < 5) return std::nullopt;
        length += 1 + t.ProxyReplyBuffer[4] + 2;
        break;
    default: length = received;
    }
    if (received < length) return std::nullopt;
    return length;
}

// Whatever address the proxy reports it bound: only the version and the reply code count.
bool ConnectAccepted(const TransportState& t) {
    const auto& reply = t.ProxyReplyBuffer;
    return reply[0] == kSocksVersion && reply[1] == 0;
}

void HandOverLink(Client& c, int replyLength) {
    TransportState& t = c.transport;
    c.TimerProxyWait.SetEnabled(false);
    t.LinkReady = true;
    PostToLobby(c, LobbyMessage::Connected);
    c.upward.restartTicker(c, QStringLiteral("连接代理服务器成功！"));
    c.Winsock1.SendData(ToByteArray(c.connection.LoginPacket));
    c.TimerBong.SetEnabled(true);
    // Bytes that came behind the reply are the game server's.
    const QByteArray rest(reinterpret_cast<const char*>(t.ProxyReplyBuffer.data()) + replyLength,
                          t.ProxyReplyWrite - replyLength);
    ResetProxyBuffer(t);
    if (!rest.isEmpty()) AppendToReceiveRing(c, rest);
}
}  // namespace

void ConnectViaProxy(Client& c) {
    TransportState& t = c.transport;
    CancelLookup(t);
    t.LinkReady = false;
    t.ProxyStep = 0;
    ResetProxyBuffer(t);
    c.Winsock1.Close();
    c.TimerProxyWait.SetEnabled(false);
    c.TimerProxyWait.SetEnabled(true);
    ResolveIPv4(c, c.connection.ServerAddr.HostName, KeepServerAddressAndResolveProxy);
}

void MainForm_Winsock1_Connect(Client& c) {
    TransportState& t = c.transport;
    // Only a proxy connection that has not been greeted yet.
    if (t.LinkReady || t.ProxyStep != 0) return;
    c.connection.LoginPending = true;
    t.ProxyStep = 1;
    SendProxyRequest(c);
    c.scheduler.WatchJobOn = true;
    c.scheduler.WatchJobTicks = 0;
}

void SendProxyRequest(Client& c) {
    TransportState& t = c.transport;
    QByteArray message;
    switch (t.ProxyStep) {
    case 1:
        message = Bytes({kSocksVersion, 2, kNoAuthentication, kUserPassword});
        break;
    case 3: {
        const ProxyCredentials& auth = c.connection.ProxyAuth;
        message += static_cast<char>(kAuthVersion);
        AppendWithLength(message, OneBytePerChar(auth.User.left(auth.UserLen)));
        AppendWithLength(message, OneBytePerChar(auth.Password.left(auth.PasswordLen)));
        break;
    }
    case 5:
        message = Bytes({kSocksVersion, kConnectCommand, 0, kAddressIPv4});
        AppendBigEndian(message, t.ProxyServerIPv4);
        AppendBigEndian(message, c.connection.ServerAddr.Port);
        break;
    default: return;
    }
    ++t.ProxyStep;
    ResetProxyBuffer(t);
    c.Winsock1.SendData(message);
}

void HandleProxyReply(Client& c) {
    TransportState& t = c.transport;
    const auto& reply = t.ProxyReplyBuffer;
    const bool twoBytesIn = t.ProxyReplyWrite >= 2;
    switch (t.ProxyStep) {
    case 2:
        if (!twoBytesIn) return;
        if (reply[0] != kSocksVersion || (reply[1] != kNoAuthentication && reply[1] != kUserPassword))
            return FailAttempt(c, kRequestFailed);
        t.ProxyStep = reply[1] == kUserPassword ? 3 : 5;
        return SendProxyRequest(c);
    case 4:
        if (!twoBytesIn) return;
        if (reply[0] != kAuthVersion || reply[1] != 0) return FailAttempt(c, kAuthFailed);
        t.ProxyStep = 5;
        return SendProxyRequest(c);
    case 6:
        if (const auto length = ConnectReplyLength(t)) {
            if (!ConnectAccepted(t)) return FailAttempt(c, kConnectFailed);
            HandOverLink(c, *length);
        }
        return;
    default: return;
    }
}

void ResetProxyBuffer(TransportState& t) {
    t.ProxyReplyWrite = 0;
    t.ProxyReplyRead = 0;
}

void TimerProxyWait_Timer(Client& c) {
    c.TimerProxyWait.SetEnabled(false);
    CancelLookup(c.transport);
    c.transport.ProxyStep = 0;
    c.Winsock1.Close();
    // Taken like a direct connection that never came up: the scheduler's
    // watch finds the link down and reconnects or returns to the lobby.
    c.scheduler.WatchJobOn = true;
    c.scheduler.WatchJobTicks = 0;
    c.TimerBong.SetEnabled(true);
}

void MainForm_Winsock1_DataArrival(Client& c) {
    TransportState& t = c.transport;
    if (t.LinkReady) return PullReceivedBytes(c);
    const QByteArray bytes = c.Winsock1.GetData(c.Winsock1.BytesWaiting());
    for (char byte : bytes) {
        t.ProxyReplyBuffer[t.ProxyReplyWrite] = static_cast<uint8_t>(byte);
        t.ProxyReplyWrite = (t.ProxyReplyWrite + 1) % kProxyBufferSize;
        if (t.ProxyReplyWrite == t.ProxyReplyRead) RingOverflow(c, "proxy reply buffer");
    }
    HandleProxyReply(c);
}
