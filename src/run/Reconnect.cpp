#include "run/Reconnect.h"
#include "wire/LobbyWindowLink.h"
#include "wire/LoginPacket.h"
#include "shared/Client.h"

ReconnectController::ReconnectController(Client& c)
    : TimerReconnect(1000, c.platform.liveTimers), TimerCount(3000, c.platform.liveTimers) {
    TimerReconnect.OnTick([&c] { frmReconnect_TimerReconnect_Timer(c); });
    TimerCount.OnTick([&c] { frmReconnect_TimerCount_Timer(c); });
    TimerReconnect.SetEnabled(true);
}

void LoadReconnectWindow(Client& c) {
    // A controller that exists is retrying this same outage (an attempt whose
    // connection failed counts as a new drop): it keeps its count. One that
    // has finished is destroyed, so a later drop starts afresh.
    if (!c.frmReconnect) c.frmReconnect = MakeWindow<ReconnectController>(c);
}

void frmReconnect_TimerReconnect_Timer(Client& c) {
    ReconnectController& r = *c.frmReconnect;
    if (--r.ReconnectCountdown >= 1) return;
    r.TimerReconnect.SetEnabled(false);
    r.ReconnectCountdown = 1;
    r.TimerCount.SetEnabled(true);
}

void frmReconnect_TimerCount_Timer(Client& c) {
    ReconnectController& r = *c.frmReconnect;
    // Through a proxy the socket is connected before the game server is
    // reached: only a link handed over to the game counts as back.
    if (c.Winsock1.State() == TcpLink::StateConnected && c.transport.LinkReady) {
        c.frmReconnect.reset();
        return;
    }
    if (r.ReconnectAttempts >= kMaxReconnectAttempts) {
        // Both stop before the box opens: it pumps events, and a tick meanwhile
        // would open a second box.
        r.TimerReconnect.SetEnabled(false);
        r.TimerCount.SetEnabled(false);
        c.platform.dialogs->MsgBox(QStringLiteral("重连失败，请检查您的网络！"), Dialogs::OkOnly, kDefaultDialogTitle);
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("the connection could not be restored"));
    }
    if (!c.table.InGame) {
        // The game is over (the table was left meanwhile): a later drop starts afresh.
        c.frmReconnect.reset();
        return;
    }
    ++r.ReconnectAttempts;
    ReconnectToServer(c, c.connection.LoginPacket);
}
