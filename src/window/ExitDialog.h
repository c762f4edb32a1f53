#pragma once
#include <QLabel>
#include <QWidget>
class Client;

// The exit dialog frmExit. Created on first use; its own buttons unload it.
class ExitDialog : public QWidget {
    Q_OBJECT
public:
    explicit ExitDialog(Client& c);
    // "游戏正在进行，逃跑会扣分！": shown during a game at a seat.
    QLabel* Label2;
};

// The exit dialog's openers (the exit button, the frame's close button and
// Esc): hides the dialog when it shows, else centres it on the table window
// and shows it.
void ToggleExitDialog(Client& c);
