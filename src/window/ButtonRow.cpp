#include "window/ButtonRow.h"
#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "table/ReadyForNextHand.h"
#include "shared/GameCentre.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/StackingOrder.h"
#include "table/WallLayout.h"
#include "window/ButtonHover.h"
#include "window/ChatSending.h"
#include "window/ExitDialog.h"
#include "window/PlayerCard.h"
#include "table/SideWindows.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"

namespace {

// The server has closed the table: the button leads back to the lobby and
// tells the server nothing.
void BackToLobby(Client& c) {
    c.upward.clearTableAfterLeaving(c);
    c.mainForm->Label3->setVisible(false);
    c.upward.handBackToLobby(c, QStringLiteral("the lobby window \"%1\" is gone").arg(c.connection.LobbyCaption));
}

void StartNextHand(Client& c) {
    c.Hero().hide();
    c.Score().hide();
    if (c.table.MustLeaveTable) return BackToLobby(c);
    if (c.window.AnNiuUsed[BarButton::Start]) return;
    MainForm& f = *c.mainForm;
    c.window.StartButtonOn = false;
    SetPictureFromResource(c, *f.AnNiu[BarButton::Start], c.resourceIds.BarButtonIds[kContinuePictureEntry]);
    f.OK[0]->setVisible(true);
    BringToFront(*f.OK[0]);
    f.Label3->setVisible(false);
    c.scheduler.ReadyCountdownOn = false;
    f.Time_Img->setVisible(false);
    f.Number->setVisible(false);
    c.window.AnNiuUsed[BarButton::Start] = true;
    ClearTableForNextHand(c);
    SendReadyMessage(c);
}

// While a hand is under way the last finished hand is the one before it.
void ToggleScoreBoard(Client& c) {
    ScoreWindow& score = c.Score();
    CenterOnMainForm(c, score);
    if (score.isVisible()) return score.hide();
    const int16_t hand = c.window.ResultPending ? c.table.HandNumber - 1 : c.table.HandNumber;
    LoadHandHistory(c, hand);
    score.show();
}

void ToggleHandList(Client& c) {
    HeroWindow& hero = c.Hero();
    CenterOnMainForm(c, hero);
    hero.setVisible(!hero.isVisible());
}

// The settings come up near the table's lower right corner, not on top.
void ToggleSoundSettings(Client& c) {
    SoundSettingsDialog& dialog = c.VosSet();
    if (dialog.isVisible()) return dialog.hide();
    const MainForm& f = *c.mainForm;
    const QPointF table = f.frameGeometry().topLeft() + f.Pic1->geometry().topLeft();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(RoundHalfEven(table.x() + f.Pic1->width() - 1.1 * size.width()),
                RoundHalfEven(table.y() + f.Pic1->height() - 1.35 * size.height()));
    dialog.show();
}

// Unlike the boss key, the lobby's window and the dialogs stay as they are.
void HideTable(Client& c) {
    c.mainForm->Minimize();
    c.Hero().hide();
    c.Score().hide();
    c.Talk().hide();
    c.VosSet().hide();
}

// The rules page lies on the game centre's web site.
void OpenRulesPage(Client& c) {
    c.platform.shell->Open(QStringLiteral("http://") + kGameCentreHost + QStringLiteral("/gameinfo/qervol/index.php"));
}

// The event procedures trap no errors of their own: a bad value ends the client.
template <typename Procedure>
void EndOnError(Client& c, const char* what, Procedure procedure) {
    try {
        procedure();
    } catch (const RuntimeError& error) {
        c.End(QStringLiteral("error in %1: %2").arg(QLatin1String(what), QString::fromStdString(error.what())));
    }
}
}  // namespace

void EnableHandButtons(Client& c) {
    MainForm& f = *c.mainForm;
    // Normal pictures: send, chat, and continue for the start button.
    constexpr int kPictures[] = {0, 2, kContinuePictureEntry};
    for (int k = 0; k <= BarButton::Start; ++k) {
        f.AnNiu[k]->setEnabled(true);
        SetPictureFromResource(c, *f.AnNiu[k], c.resourceIds.BarButtonIds[kPictures[k]]);
    }
}

void MainForm_AnNiu_Click(Client& c, int index) {
    switch (index) {
    case BarButton::Send: SendChatLine(c); break;
    case BarButton::ChatLog: MainForm_Lbchat_Click(c); break;
    case BarButton::Start: StartNextHand(c); break;
    case BarButton::SoundSettings: ToggleSoundSettings(c); break;
    case BarButton::Hide: HideTable(c); break;
    case BarButton::ScoreBoard: ToggleScoreBoard(c); break;
    case BarButton::HandList: ToggleHandList(c); break;
    case BarButton::Rules: OpenRulesPage(c); break;
    case BarButton::Exit: ToggleExitDialog(c); break;
    default: break;
    }
}

void ConnectButtonRowEvents(Client& c) {
    Client* client = &c;
    MainForm& f = *c.mainForm;
    for (int i = 0; i < static_cast<int>(f.AnNiu.size()); ++i) {
        ImageControl& button = *f.AnNiu[i];
        button.OnClick = [client, i] { EndOnError(*client, "a button command", [&] { MainForm_AnNiu_Click(*client, i); }); };
        button.setAcceptHoverEvents(true);
        button.OnMouseMove = [client, i] { EndOnError(*client, "a button hover", [&] { MainForm_AnNiu_MouseMove(*client, i); }); };
    }
    for (int k = 0; k < static_cast<int>(f.Tou.size()); ++k) {
        f.Tou[k]->setAcceptHoverEvents(true);
        f.Tou[k]->OnMouseMove = [client, k] { EndOnError(*client, "a portrait hover", [&] { MainForm_Tou_MouseMove(*client, k); }); };
    }
}
