#include "window/KeyHandler.h"
#include "connection/LobbyWindowLink.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"

namespace {
constexpr int16_t kKeyF1 = 0x70;
}

// The boss key hides the table and the lobby at once. Placeholder for the
// other keys and the side windows, which come with the table window's own input.
void MainForm_Pic1_KeyDown(Client& c, int16_t& keyCode, int16_t&) {
    if (keyCode != kKeyF1) return;
    c.window.BossKey = true;
    if (c.talk) c.talk->hide();
    c.table.TurnSeconds = 0;
    c.mainForm->Minimize();
    MinimizeLobbyWindow(c);
}

// Placeholders until the table window's own keys are built.
void MainForm_Chat_KeyDown(Client&, int16_t&, int16_t&) {}
void MainForm_Pic1_Click(Client&) {}
void ConnectKeyEvents(Client&) {}
