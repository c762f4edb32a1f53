#include "run/Scheduler.h"
#include "computer/TurnMoves.h"
#include "wire/GamePacket.h"
#include "run/Leaving.h"
#include "wire/LobbyWindowLink.h"
#include "wire/PacketTransport.h"
#include "table/ReadyForNextHand.h"
#include "run/Reconnect.h"
#include "messages/ServerMessageDispatch.h"
#include "play/ClaimAnswers.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/SeatRecords.h"
#include "table/StackingOrder.h"
#include "table/Sound.h"
#include "table/WallLayout.h"
#include "window/KeyHandler.h"
#include <QScopedValueRollback>
#include "table/BarButtons.h"
#include "window/KeyCodes.h"

namespace {
constexpr int kSilenceLimit = 3000;

// A counter that reached its period is set back even when its job did not run.
void Settle(int& ticks, int period) {
    if (ticks >= period) ticks = 0;
}

bool IsConnected(Client& c) { return c.Winsock1.State() == TcpLink::StateConnected; }

void ReturnToLobby(Client& c) {
    c.mainForm->Minimize();
    RestoreLobbyWindow(c);
    c.table.TableCleared = false;
    ResetTable(c);
    ResetHandState(c);
    LayoutWall(c);
}

void SendJob(Client& c) {
    TransportState& t = c.transport;
    if (WaitingBytes(t.SendRead, t.SendWrite) < kPacketSize) {
        c.scheduler.SendJobOn = false;
    } else if (IsConnected(c)) {
        QByteArray packet(kPacketSize, Qt::Uninitialized);
        for (int i = 0; i < kPacketSize; ++i) {
            packet[i] = static_cast<char>(t.SendRing[t.SendRead]);
            t.SendRead = (t.SendRead + 1) % kRingSize;
        }
        c.Winsock1.SendData(packet);
    }
    c.scheduler.SendJobTicks = 0;
}

void ReceiveJob(Client& c) {
    SchedulerState& s = c.scheduler;
    TransportState& t = c.transport;
    if (c.table.InGame && ++s.SilenceTicks >= kSilenceLimit) {
        if (!c.platform.lobby->FindWindow(c.connection.LobbyCaption))
            c.End(QStringLiteral("the server fell silent and the lobby window is gone"));
        ReturnToLobby(c);
        // After the reset, which empties the ticker, so that the user sees why.
        c.mainForm->Sysmsg[0]->clear();
        c.mainForm->Sysmsg[0]->addItem(QStringLiteral("已经与服务器断开连接，请重新入座！"));
        s.SilenceTicks = 0;
    }
    // Bytes that did not fit the ring wait in the socket for the room the
    // last packet freed.
    if (t.LinkReady) PullReceivedBytes(c);
    if (WaitingBytes(t.ReceiveRead, t.ReceiveWrite) >= kPacketSize) {
        ReadPacket(c);
        // Filled again before the handler, which may wait: bytes that come
        // meanwhile find the ring full and do not put the next run off.
        if (t.LinkReady) PullReceivedBytes(c);
        if (c.table.InGame) s.SilenceTicks = 0;
        ProcessServerMessage(c, t.CurrentMessage);
    }
    s.ReceiveJobTicks = WaitingBytes(t.ReceiveRead, t.ReceiveWrite) >= kPacketSize ? 1 : 0;
}

void LoginJob(Client& c) {
    SchedulerState& s = c.scheduler;
    PostToLobby(c, LobbyMessage::NotConnected);
    Clock& clock = *c.platform.clock;
    const double start = clock.Now();
    while (!IsConnected(c) && s.LoginJobOn && clock.Now() - start < kConnectWaitSeconds)
        clock.Pump(start + kConnectWaitSeconds);
    // The table was left while it waited (leaving stops every job): the
    // attempt is over, and its drop must not bring the lobby back.
    if (!s.LoginJobOn) return;
    s.LoginJobOn = false;
    s.LoginJobTicks = 0;
    s.WatchJobOn = true;
    s.WatchJobTicks = 0;
    if (!IsConnected(c)) {
        // The server never answered: the watch job treats it as a dropped connection.
        c.Winsock1.Close();
        return;
    }
    c.connection.LoginPending = true;
    c.Winsock1.SendData(ToByteArray(c.connection.LoginPacket));
}

void BlinkJob(Client& c) {
    TableState& t = c.table;
    if (t.DiscardBlinkCount > 0) {
        --t.DiscardBlinkCount;
        if (t.PrevBlinkImage >= 0 && t.PrevBlinkImage != t.LastDiscardImage)
            TileImage(c, t.PrevBlinkImage).setVisible(true);
        if (t.LastDiscardImage >= 0) {
            ImageControl& last = TileImage(c, t.LastDiscardImage);
            last.setVisible(!last.isVisible());
        }
        t.PrevBlinkImage = t.LastDiscardImage;
    }
    if (t.DiscardBlinkCount <= 0 && t.LastDiscardImage >= 0) TileImage(c, t.LastDiscardImage).setVisible(true);

    int picture = 2;
    if (t.ChatBlinkCount >= 1) {
        --t.ChatBlinkCount;
        picture = t.ChatBlinkCount % 2 == 0 ? 3 : 2;
    }
    SetPictureFromResource(c, *c.mainForm->AnNiu[1], c.resourceIds.BarButtonIds[picture]);
    c.scheduler.BlinkJobTicks = 0;
}

void ShowCountdown(Client& c) {
    LabelControl& number = *c.mainForm->Number;
    number.SetCaption(QString::number(c.table.ActionCountdown));
    number.SetForeColor(c.table.ActionCountdown > 5 ? QColor(0, 255, 0) : QColor(255, 0, 0));
}

void TurnCountdown(Client& c) {
    TableState& t = c.table;
    c.scheduler.TurnTickTime = c.platform.clock->Now();
    if (t.ActionCountdown > 0) {
        --t.ActionCountdown;
        ShowCountdown(c);
        if (t.ActionCountdown <= 5 && c.sound.EffectSoundOn) {
            PlaySoundFile(c, c.sound.WavePath[6], false);
            SetSoundVolume(c, 3000);
        }
        return;
    }
    if (t.PromptState >= 2) return;
    t.PromptState = 3;
    if (!c.window.BossKey) {
        ++t.TimeoutStreak;
        if (t.TimeoutLimit > 0 && t.TimeoutStreak >= t.TimeoutLimit) {
            int16_t key = KeyCode::F1, shift = 0;
            MainForm_Pic1_KeyDown(c, key, shift);
        }
    }
    c.mainForm->Time_Img->setVisible(false);
    c.mainForm->Number->setVisible(false);
    t.ActionCountdown = t.TurnSeconds;
    c.scheduler.TurnCountdownOn = false;
    if (c.seatInfo[0].ConcealedCount > 0) {
        // A spectator watches another player's seat and never moves for it;
        // the watched prompt's buttons go all the same.
        if (t.SpectatorMode)
            ClearClaimControls(c);
        else if (t.AutoPlay)
            AutoPlayTurn(c);
        else
            TimeoutPlayTurn(c);
    }
}

void ReadyCountdown(Client& c) {
    TableState& t = c.table;
    c.scheduler.ReadyTickTime = c.platform.clock->Now();
    if (t.ActionCountdown > 0) {
        --t.ActionCountdown;
        ShowCountdown(c);
        return;
    }
    c.mainForm->Number->setVisible(false);
    c.mainForm->Time_Img->setVisible(false);
    if (!t.TableCleared) {
        SetPictureFromResource(c, *c.mainForm->AnNiu[2], c.resourceIds.BarButtonIds[kContinuePictureEntry]);
        c.window.AnNiuUsed[2] = true;
        ClearTableForNextHand(c);
    }
    SendReadyMessage(c);
    c.scheduler.ReadyCountdownOn = false;
}

// Whole packets that came before the connection closed are the server's
// last words; they are handled before the drop is.
bool PacketsWaiting(Client& c) {
    return c.scheduler.ReceiveJobOn && ReceivedBytesWaiting(c) >= kPacketSize;
}

void WatchJob(Client& c) {
    if (!IsConnected(c) && !PacketsWaiting(c)) {
        if (!c.platform.lobby->FindWindow(c.connection.LobbyCaption))
            c.End(QStringLiteral("the connection dropped and the lobby window is gone"));
        if (c.table.InGame) {
            c.connection.LoggedIn = false;
            c.scheduler.WatchJobOn = false;
            c.scheduler.WatchJobTicks = 0;
            // The server plays the seat while the client is away and has moved
            // on when it is back: an answer still queued or yet to come would
            // land on a turn that is over.
            CloseOpenPrompt(c);
            c.transport.SendRead = c.transport.SendWrite;
            LoadReconnectWindow(c);
        } else {
            if (!c.table.KeepWindowOnDrop) ReturnToLobby(c);
            c.scheduler.ReadyCountdownOn = false;
            c.table.InGame = false;
        }
    }
    c.scheduler.WatchJobTicks = 0;
}

void BubbleJob(Client& c) {
    MainForm& f = *c.mainForm;
    CheckedAt(f.Speak, c.table.BubbleSeat, "Speak")->setVisible(false);
    CheckedAt(f.tsSpeak, c.table.BubbleSeat, "tsSpeak")->setVisible(false);
    f.Words->setVisible(false);
    c.scheduler.BubbleJobTicks = 0;
}
}  // namespace

void MainForm_TimerBong_Timer(Client& c) {
    SchedulerState& s = c.scheduler;
    // Waits inside a tick run the event loop, where anything may switch the
    // timer on again: a tick that comes meanwhile is left out, never nested.
    if (s.TickRunning) return;
    const QScopedValueRollback<bool> running(s.TickRunning, true);
    c.TimerBong.SetEnabled(false);
    for (int* ticks : {&s.SendJobTicks, &s.ReceiveJobTicks, &s.LoginJobTicks, &s.BlinkJobTicks, &s.WatchJobTicks,
                       &s.TurnCountdownTicks, &s.ReadyCountdownTicks, &s.BubbleJobTicks})
        ++*ticks;

    if (s.SendJobOn && s.SendJobTicks >= 1) SendJob(c);
    Settle(s.SendJobTicks, 1);
    if (s.ReceiveJobOn && s.ReceiveJobTicks >= 2) ReceiveJob(c);
    Settle(s.ReceiveJobTicks, 2);
    if (s.LoginJobOn && s.LoginJobTicks >= 4) LoginJob(c);
    Settle(s.LoginJobTicks, 4);
    if (s.BlinkJobOn && s.BlinkJobTicks >= 8) BlinkJob(c);
    Settle(s.BlinkJobTicks, 8);
    if (s.TurnCountdownOn && c.connection.LoggedIn && c.platform.clock->Now() - s.TurnTickTime >= 1.0) TurnCountdown(c);
    Settle(s.TurnCountdownTicks, 20);
    if (s.ReadyCountdownOn && c.platform.clock->Now() - s.ReadyTickTime >= 1.0) ReadyCountdown(c);
    Settle(s.ReadyCountdownTicks, 20);
    if (s.WatchJobOn && s.WatchJobTicks >= 1) WatchJob(c);
    Settle(s.WatchJobTicks, 1);
    if (s.BubbleJobOn && s.BubbleJobTicks >= 40) BubbleJob(c);
    Settle(s.BubbleJobTicks, 40);

    c.TimerBong.SetEnabled(true);
}

void MainForm_TimerKeepAlive_Timer(Client& c) {
    GameMessage keepAlive;
    keepAlive.MsgType = MessageType::KeepAlive;
    keepAlive.SeatBit = c.seatInfo[0].SeatBit;
    SendPacket(c, keepAlive);
}
