#include "window/ExitDialog.h"
#include "shared/Client.h"
#include "window/SideWindows.h"

// Placeholder until the exit dialog is built: the warning line alone.
ExitDialog::ExitDialog(Client&) : Label2(new QLabel(QStringLiteral("游戏正在进行，逃跑会扣分！"), this)) {}

void ToggleExitDialog(Client& c) {
    ExitDialog& dialog = c.FrmExit();
    if (dialog.isVisible()) return dialog.hide();
    CenterOnMainForm(c, dialog);
    dialog.Label2->setVisible(c.table.InGame && !c.table.SpectatorMode);
    dialog.show();
}
