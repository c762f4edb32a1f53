#include "wire/LobbyWindowLink.h"
#include "shared/Client.h"

namespace {
void SendSysCommand(Client& c, uint32_t command) {
    const QString& caption = c.connection.LobbyCaption;
    if (!c.platform.lobby->SendMessage(caption, WindowMessage::WM_SYSCOMMAND, command, 0))
        c.End(QStringLiteral("the lobby window \"%1\" is gone").arg(caption));
}
}  // namespace

void RestoreLobbyWindow(Client& c) { SendSysCommand(c, WindowMessage::SC_RESTORE); }

void MinimizeLobbyWindow(Client& c) { SendSysCommand(c, WindowMessage::SC_MINIMIZE); }

void PostToLobby(Client& c, uint32_t msg) { c.platform.lobby->PostMessage(c.connection.LobbyCaption, msg, 0, 0); }
