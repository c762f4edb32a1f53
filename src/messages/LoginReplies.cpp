#include "messages/LoginReplies.h"
#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/BannerView.h"
#include "window/TalkWindow.h"
#include "table/Ticker.h"
#include <algorithm>

namespace {
constexpr int kTimeoutLimitByte = 9;
constexpr int kBannerLength = 100;
constexpr int kVerdictByte = 15;

QString BannerAddress(const std::array<uint8_t, kPacketSize>& packet) {
    const auto* first = packet.data() + PacketOffset::Payload;
    const auto* end = std::find(first, first + kBannerLength, uint8_t{0});
    return QString::fromLatin1(reinterpret_cast<const char*>(first), int(end - first));
}

[[noreturn]] void Refuse(Client& c, const QString& reason) {
    PostToLobby(c, LobbyMessage::NotConnected);
    SetTickerLines(c, reason);
    RestoreLobbyWindow(c);
    c.End(reason);
}
}  // namespace

void HandleLoginReply(Client& c, GameMessage& msg) {
    c.TimerKeepAlive.SetEnabled(true);
    c.frmOtherExit.reset();
    c.table.HandNumber = 0;
    c.window.StartButtonOn = true;
    c.connection.LoginPending = false;
    if (msg.Param[3] == 2) Refuse(c, QStringLiteral("启动游戏失败，请重新在大厅就座后进入游戏！"));
    if (msg.Param[3] != 1) Refuse(c, QStringLiteral("验证错误，请重新登陆游戏！"));

    c.connection.LoggedIn = true;
    const QString welcome = QStringLiteral("欢迎进入Dravik麻将 ") + kGameCentreHost;
    SetTickerLines(c, QStringLiteral("连接服务器成功！"), welcome);
    c.Talk().Text1->addItem(welcome);
    if (c.table.HandStarted != 0) return;

    PostToLobby(c, LobbyMessage::Connected);
    c.table.TurnSeconds = static_cast<int16_t>(msg.Param[1] & 15);
    if (c.table.AutoPlay) c.table.TurnSeconds = 1;
    c.table.TimeoutLimit = c.transport.PacketIn[kTimeoutLimitByte];
    c.window.BannerUrl = BannerAddress(c.transport.PacketIn);
    if (!c.window.BannerUrl.isEmpty()) {
        c.mainForm->WebBrowser1->Navigate(c.window.BannerUrl);
        c.mainForm->WebBrowser1->show();
    }
}

void HandleReconnectReply(Client& c, GameMessage&) {
    if (c.transport.PacketIn[kVerdictByte] == 1) {
        SetTickerLines(c, QStringLiteral("正在重连服务器，请等待...！"));
        c.connection.LoggedIn = true;
        c.connection.Reconnected = true;
        return;
    }
    c.platform.dialogs->MsgBox(QStringLiteral("重连服务器失败，退出后请重新入座！"), Dialogs::OkOnly, kDefaultDialogTitle);
    RestoreLobbyWindow(c);
    c.End(QStringLiteral("the server refused the reconnect"));
}
