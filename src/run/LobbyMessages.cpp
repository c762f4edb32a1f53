#include "run/LobbyMessages.h"
#include "run/Leaving.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/BarButtons.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include "wire/LobbyWindowLink.h"
#include "wire/ServerConnection.h"

namespace {
bool LobbyExists(Client& c) { return c.platform.lobby->FindWindow(c.connection.LobbyCaption); }

void LeaveIfConnected(Client& c) {
    if (c.Winsock1.State() != TcpLink::StateConnected) return;
    c.scheduler.WatchJobOn = false;
    c.scheduler.WatchJobTicks = 0;
    SendLeaveTable(c);
}

void AnswerLeaveRequest(Client& c) {
    if (!LobbyExists(c)) return;
    if (c.connection.LoginPending) return PostToLobby(c, LobbyMessage::LoginPending);
    if (c.table.InGame) return PostToLobby(c, LobbyMessage::InHand);
    LeaveIfConnected(c);
    ResetTable(c);
    LayoutWall(c);
    PostToLobby(c, LobbyMessage::Idle);
}

void Relogin(Client& c) {
    c.transport.LinkReady = true;
    c.connection.LoginPending = true;
    // The closed table is left behind: a later drop must return to the lobby again.
    c.table.KeepWindowOnDrop = false;
    // A log-in, not a reconnect request, whatever was sent before.
    c.connection.LoginPacket[3] = MessageType::Login;
    ConnectToServer(c);
    c.window.AnNiuUsed[2] = false;
    SetPictureFromResource(c, *c.mainForm->AnNiu[2], c.resourceIds.BarButtonIds[BarPictureEntry(BarButton::Start)]);
    c.mainForm->Time_Img->setVisible(false);
    c.mainForm->Number->setVisible(false);
}

// What a window does with the messages it does not handle itself.
void DefaultWindowProc(Client& c, uint32_t msg, uint32_t wParam) {
    if (msg == WindowMessage::WM_CLOSE) {
        c.mainForm->close();
    } else if (msg == WindowMessage::WM_SYSCOMMAND) {
        if (wParam == WindowMessage::SC_MINIMIZE) c.mainForm->Minimize();
        if (wParam == WindowMessage::SC_RESTORE) c.mainForm->Restore();
    }
}
}  // namespace

void MainFormWndProc(Client& c, uint32_t msg, uint32_t wParam, uint32_t) {
    switch (msg) {
    case LobbyMessage::QueryState:
        if (LobbyExists(c)) PostToLobby(c, c.table.InGame ? LobbyMessage::InHand : LobbyMessage::Idle);
        break;
    case LobbyMessage::LeaveRequest: AnswerLeaveRequest(c); break;
    case LobbyMessage::ForceLeave:
        // The lobby is not answered: it asked for the leave and gets it.
        LeaveIfConnected(c);
        ResetTable(c);
        break;
    case LobbyMessage::Relogin: Relogin(c); break;
    default: DefaultWindowProc(c, msg, wParam);
    }
}
