#include "window/ExitDialog.h"
#include "wire/LobbyWindowLink.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include "table/pictures/DialogPictures.h"
#include "table/SideWindows.h"
#include <QPointer>

namespace {
constexpr int kOkPicture = 0;
constexpr int kCancelPicture = 2;

void ShowWarningByGameState(Client& c, ExitDialog& dialog) {
    dialog.Label2->setVisible(c.table.InGame && !c.table.SpectatorMode);
}

LabelControl* StyleLabel(LabelControl* label) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSizeF(14.25);
    font.setBold(true);
    label->SetFont(font);
    label->SetForeColor(QColor(255, 255, 192));
    label->SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QWidget* ShownExitDialog(Client& c) { return c.frmExit.get(); }

// Marks the leave sequence as running for as long as it runs, whichever way it ends.
class LeaveRunning {
public:
    explicit LeaveRunning(bool& flag) : flag_(flag) { flag_ = true; }
    ~LeaveRunning() { flag_ = false; }
    LeaveRunning(const LeaveRunning&) = delete;
    LeaveRunning& operator=(const LeaveRunning&) = delete;

private:
    bool& flag_;
};
}  // namespace

ExitDialog::ExitDialog(Client& c) : DialogSurface(QStringLiteral("退出"), DrawExitDialogBackground()) {
    MakeTranslucent(*this);
    Label1 = StyleLabel(AddLabel({48, 64, 233, 22}, QStringLiteral("您真的要退出吗？")));
    Label2 = StyleLabel(AddLabel({32, 32, 265, 22}, QStringLiteral("游戏正在进行，逃跑会扣分！")));
    pbCloseMe = AddButton(60, 110, 65, 30);
    SetPictureFromResource(c, *pbCloseMe, c.resourceIds.DialogButtonIds[kOkPicture]);
    pbCancel = AddButton(184, 112, 65, 30);
    SetPictureFromResource(c, *pbCancel, c.resourceIds.DialogButtonIds[kCancelPicture]);
    ShowWarningByGameState(c, *this);

    pbCloseMe->OnClick = [this, &c] { RunAfterClick(c, this, ShownExitDialog, frmExit_pbCloseMe_Click); };
    pbCancel->OnClick = [this, &c] { RunAfterClick(c, this, ShownExitDialog, frmExit_pbCancel_Click); };
}

void ToggleExitDialog(Client& c) {
    ExitDialog& dialog = c.FrmExit();
    if (dialog.isVisible()) return dialog.hide();
    CenterOnMainForm(c, dialog);
    ShowWarningByGameState(c, dialog);
    dialog.show();
}

void frmExit_pbCancel_Click(Client& c) { c.frmExit.reset(); }

void frmExit_pbCloseMe_Click(Client& c) {
    // The waits below handle clicks: a confirmation arriving meanwhile, from
    // this dialog or from one opened again, must not leave a second time.
    if (c.window.ExitLeaveRunning) return;
    LeaveRunning running(c.window.ExitLeaveRunning);
    if (c.Winsock1.State() == TcpLink::StateConnected) {
        c.scheduler.WatchJobOn = false;
        c.scheduler.WatchJobTicks = 0;
        c.upward.sendLeaveTable(c);
    }
    c.upward.clearTableAfterLeaving(c);
    // Whatever happened to the dialog during the waits, only the pointer is touched.
    c.frmExit.reset();
    c.upward.handBackToLobby(c, QStringLiteral("the table was left and the lobby window is gone"));
}

ExitDialog& Client::FrmExit() {
    if (!frmExit) frmExit = MakeWindow<ExitDialog>(*this);
    return *frmExit;
}
