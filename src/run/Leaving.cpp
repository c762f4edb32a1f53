#include "run/Leaving.h"
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "table/WallLayout.h"
#include "table/SeatRecords.h"
#include "wire/LobbyWindowLink.h"
#include "messages/PlayerInfoRecord.h"
#include "platform/ProgramPaths.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/SeatLabels.h"
#include "video/VideoPanels.h"
#include "video/VideoWindow.h"
#include "window/TalkWindow.h"
#include "table/Ticker.h"

namespace {
void StopSchedulerJobs(SchedulerState& s) {
    s.SendJobOn = s.ReceiveJobOn = s.LoginJobOn = s.BlinkJobOn = false;
    s.WatchJobOn = false;
    s.WatchJobTicks = 0;
    s.TurnCountdownOn = s.ReadyCountdownOn = false;
    s.BubbleJobOn = false;
}

void HideAll(const std::vector<ImageControl*>& controls) {
    for (auto* control : controls) control->setVisible(false);
}

void BlankResultWindows(Client& c) {
    HeroWindow& hero = c.Hero();
    ScoreWindow& score = c.Score();
    for (int s = 0; s < 4; ++s) {
        hero.Tou[s]->clear();
        hero.ID[s]->clear();
        hero.Num->clear();
        hero.Grade[s]->clear();
        score.Tou[s]->clear();
        score.ID[s]->clear();
        score.State[s]->clear();
        score.State[s + 4]->clear();
        hero.sumScore[s]->clear();
        c.mainForm->OK[s]->setVisible(false);
    }
    hero.hide();
    score.hide();
}
}  // namespace

void SendLeaveTable(Client& c) {
    GameMessage leave;
    leave.MsgType = MessageType::ReadyOrLeave;
    leave.SeatBit = c.seatInfo[0].SeatBit;
    for (int s = 1; s <= 3; ++s) {
        ResetSeatVideo(c, s);
        c.video.FrameSendCounter[s] = 0;
        c.P2PSocket1.ClosePeer(int16_t(s));
        c.seatInfo[s].Account.clear();
        UnloadVideoWindow(c, s);
    }
    if (c.Winsock1.State() == TcpLink::StateConnected) c.Winsock1.SendData(ToByteArray(EncodeGamePacket(leave)));
    StopSchedulerJobs(c.scheduler);
    c.TimerBong.SetEnabled(false);
    c.TimerKeepAlive.SetEnabled(false);
    WaitSeconds(c, c.connection.Reconnected ? 0.8 : 0.4);
}

void ResetTable(Client& c) {
    MainForm& f = *c.mainForm;
    c.table.InGame = false;
    c.window.AnNiuUsed[2] = true;
    StopSchedulerJobs(c.scheduler);
    c.TimerBong.SetEnabled(false);
    c.TimerKeepAlive.SetEnabled(false);
    SetTickerLines(c, QString());

    c.Winsock1.Close();
    c.connection.LoginPending = false;
    // The closed socket may say so with an event, which this wait lets through.
    Clock& clock = *c.platform.clock;
    while (c.Winsock1.State() == TcpLink::StateConnected) clock.Pump(clock.Now() + 1);

    for (int s = 0; s < 4; ++s) {
        ClearSeatLabels(c, s);
        c.seatInfo[s].Account.clear();
        c.seatInfo[s].SeatBit = 0;
        BlankPlayerInfo(c.playerInfo[s]);
    }
    BlankResultWindows(c);
    HideAll(f.Speak);
    HideAll(f.tsSpeak);
    f.Words->setVisible(false);
    if (c.talk) c.talk->Text1->clear();

    TransportState& t = c.transport;
    t.ReceiveRead = t.ReceiveWrite = t.SendRead = t.SendWrite = 0;
    c.table.PlayerCount = 0;
    c.table.InGame = false;
    f.Jokro_Image->setVisible(false);
    HideAll(f.imgKoupai);
    f.Label3->SetCaption(QString());
    c.table.TimeoutStreak = 0;
    c.window.StartButtonOn = true;
    DropHandHistory(c);
    c.table.TableCleared = false;
    c.table.HandNumber = 0;
    f.Minimize();
}

void ClearTableAfterLeaving(Client& c) {
    c.table.TableCleared = false;
    ResetTable(c);
    ResetHandState(c);
    LayoutWall(c);
}

void HandBackToLobby(Client& c, const QString& reasonWhenLobbyGone) {
    if (!c.platform.lobby->FindWindow(c.connection.LobbyCaption)) c.End(reasonWhenLobbyGone);
    c.mainForm->Minimize();
    RestoreLobbyWindow(c);
}
