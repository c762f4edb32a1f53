#include "window/KeyHandler.h"
#include "wire/LobbyWindowLink.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "window/ChatWindowPlace.h"
#include "window/ExitDialog.h"
#include "window/KeyCodes.h"
#include "window/PhraseWindow.h"
#include "table/SideWindows.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"
#include <QKeyEvent>

namespace {
// The game hides and plays on by itself: every prompt's countdown runs out at
// once and the computer player answers it. Restoring the window ends it.
void BossKey(Client& c) {
    c.window.BossKey = true;
    c.Information().hide();
    c.Talk().hide();
    c.VosSet().hide();
    c.FrmExit().hide();
    c.Hero().hide();
    c.Score().hide();
    c.table.TurnSeconds = 0;
    c.mainForm->Minimize();
    MinimizeLobbyWindow(c);
}

// Alt and C in either order with no other key between them show the chat log.
void FollowChord(Client& c, int16_t keyCode) {
    std::array<int16_t, 2>& seen = c.window.HotkeyState;
    if (keyCode == KeyCode::Alt)
        seen[0] = 1;
    else if (keyCode == KeyCode::C)
        seen[1] = 1;
    else
        seen = {0, 0};
    if (seen[0] != 1 || seen[1] != 1) return;
    seen = {0, 0};
    ShowOverTable(c, c.Talk());
}

}  // namespace

void ConnectSurfaceKeys(TableSurface& surface, std::function<void(int16_t keyCode, int16_t shift)> keyDown) {
    surface.OnKeyDown = [keyDown = std::move(keyDown)](const QKeyEvent& event) {
        keyDown(KeyCodeOf(event), ShiftOf(event));
    };
}

bool TableKeyDown(Client& c, int16_t keyCode) {
    if (keyCode == KeyCode::F1) BossKey(c);
    if (keyCode == KeyCode::Escape) {
        ToggleExitDialog(c);
        return false;
    }
    FollowChord(c, keyCode);
    return true;
}

void MainForm_Pic1_KeyDown(Client& c, int16_t& keyCode, int16_t&) { TableKeyDown(c, keyCode); }

void MainForm_Chat_KeyDown(Client& c, int16_t& keyCode, int16_t&) {
    if (keyCode == KeyCode::F1) BossKey(c);
}

void HideTableSideWindows(Client& c) {
    c.Talk().hide();
    c.Huifu().hide();
    c.Score().hide();
    c.Hero().hide();
    c.VosSet().hide();
}

void MainForm_Pic1_Click(Client& c) {
    HideTableSideWindows(c);
    c.FrmExit().hide();
}

void ConnectKeyEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    ConnectSurfaceKeys(*f.Pic1, [client](int16_t keyCode, int16_t shift) { MainForm_Pic1_KeyDown(*client, keyCode, shift); });
    f.Pic1->OnClick = [client] { MainForm_Pic1_Click(*client); };
}
