#include "window/ButtonRow.h"
#include "connection/General.h"
#include "connection/Leaving.h"
#include "connection/LobbyWindowLink.h"
#include "connection/ReadyForNextHand.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/StackingOrder.h"
#include "table/WallLayout.h"
#include "window/SideWindows.h"

namespace {
constexpr int kContinuePicture = 6;

// The server has closed the table: the button leads back to the lobby and
// tells the server nothing.
void BackToLobby(Client& c) {
    c.table.TableCleared = false;
    ResetTable(c);
    ResetHandState(c);
    LayoutWall(c);
    c.mainForm->Label3->setVisible(false);
    if (!c.platform.lobby->FindWindow(c.connection.LobbyCaption))
        c.End(QStringLiteral("the lobby window \"%1\" is gone").arg(c.connection.LobbyCaption));
    c.mainForm->Minimize();
    RestoreLobbyWindow(c);
}

void StartNextHand(Client& c) {
    c.Hero().hide();
    c.Score().hide();
    if (c.table.MustLeaveTable) return BackToLobby(c);
    if (c.window.AnNiuUsed[BarButton::Start]) return;
    MainForm& f = *c.mainForm;
    c.window.StartButtonOn = false;
    SetPictureFromResource(c, *f.AnNiu[BarButton::Start], c.resourceIds.BarButtonIds[kContinuePicture]);
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
}  // namespace

void EnableHandButtons(Client& c) {
    MainForm& f = *c.mainForm;
    // Normal pictures: send, chat, and continue for the start button.
    constexpr int kPictures[] = {0, 2, kContinuePicture};
    for (int k = 0; k <= BarButton::Start; ++k) {
        f.AnNiu[k]->setEnabled(true);
        SetPictureFromResource(c, *f.AnNiu[k], c.resourceIds.BarButtonIds[kPictures[k]]);
    }
}

void MainForm_AnNiu_Click(Client& c, int index) {
    switch (index) {
    case BarButton::Start: StartNextHand(c); break;
    case BarButton::ScoreBoard: ToggleScoreBoard(c); break;
    case BarButton::HandList: ToggleHandList(c); break;
    default: break;  // the other commands come with the rest of the window
    }
}

void ConnectButtonRowEvents(Client& c) {
    Client* client = &c;
    std::vector<ImageControl*>& buttons = c.mainForm->AnNiu;
    for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
        buttons[i]->OnMouseDown = [client, i](Qt::MouseButton, QPointF) {
            // The commands trap no errors of their own: a bad value ends the client.
            try {
                MainForm_AnNiu_Click(*client, i);
            } catch (const RuntimeError& error) {
                client->End(QStringLiteral("error in a button command: %1").arg(QString::fromStdString(error.what())));
            }
        };
    }
}
