#pragma once
#include "window/DialogSurface.h"
class Client;

// The exit dialog frmExit ("退出"): asks whether to leave the table and, during
// a game at a seat, warns that running away costs points. Created on first
// use; its openers and a click on the table only hide it, its own two buttons
// unload it.
class ExitDialog : public DialogSurface {
    Q_OBJECT
public:
    // The load: pictures, and the warning line by the game's state.
    explicit ExitDialog(Client& c);

    // "您真的要退出吗？"
    LabelControl* Label1;
    // "游戏正在进行，逃跑会扣分！": shown during a game at a seat.
    LabelControl* Label2;
    // Confirm and cancel.
    ImageControl* pbCloseMe;
    ImageControl* pbCancel;
};

// The exit dialog's openers (the exit button, the frame's close button and
// Esc): hides the dialog when it shows, else centres it on the table window
// and shows it.
void ToggleExitDialog(Client& c);
// Unloads the dialog.
void frmExit_pbCancel_Click(Client& c);
// Leaves the table: the leave message when connected, the table reset, and
// back to the lobby (the client ends when the lobby window is gone). Does
// nothing while an earlier confirmation is still leaving.
void frmExit_pbCloseMe_Click(Client& c);
