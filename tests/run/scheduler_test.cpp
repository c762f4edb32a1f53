#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "run/Reconnect.h"
#include "run/Scheduler.h"
#include "run/TableClosedNotice.h"
#include "platform/AnsiCodec.h"
#include "platform/LobbyLink.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
constexpr int kIgnoredType = 99;  // a type the message handler ignores
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kSilenceNotice = QStringLiteral("已经与服务器断开连接，请重新入座！");

QByteArray PacketFromServer(int16_t param0 = 0) {
    GameMessage message;
    message.MsgType = kIgnoredType;
    message.Param[0] = param0;
    return ToByteArray(EncodeGamePacket(message));
}

GameMessage Message(int16_t type, uint8_t seatBit = 0, int16_t param3 = 0) {
    GameMessage message;
    message.MsgType = type;
    message.SeatBit = seatBit;
    message.Param[3] = param3;
    return message;
}

// A started and logged-in client; what it sent, played and told the lobby so
// far is forgotten.
class Scheduler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(t.Load());
        t.Tick(4);
        ASSERT_EQ(t.socket->sent.size(), 1u) << "the log-in";
        t->connection.LoggedIn = true;
        Forget();
    }

    void Forget() {
        t.socket->sent.clear();
        t.lobby->frames.clear();
        t.sound->played.clear();
        t.sound->volume = -1;
    }

    bool BackAtLobby() { return LobbyGotSysCommand(t, WindowMessage::SC_RESTORE) && t->mainForm->IsMinimized(); }

    TestClient t;
};

TEST_F(Scheduler, KeepAliveGoesOutByteForByte) {
    t->seatInfo[0].SeatBit = 4;
    t->transport.EchoBytes = {0x31, 0xC2};
    MainForm_TimerKeepAlive_Timer(*t);
    t.Tick();
    QByteArray expected(272, '\0');
    expected[3] = 24;
    expected[6] = 4;
    expected[260] = char(0x31);
    expected[261] = char(0xC2);
    ASSERT_EQ(t.socket->sent.size(), 1u);
    EXPECT_EQ(t.socket->sent[0], expected);
}

TEST(SchedulerLogin, LoginJobTellsTheLobbyThenWaitsForTheConnectionAndSendsTheLoginPacket) {
    TestClient t;
    t.socket->stateAfterConnect = TcpLink::StateConnecting;
    ASSERT_FALSE(t.Load());
    t.lobby->frames.clear();
    t.Tick(3);
    EXPECT_TRUE(t.lobby->frames.empty()) << "the job runs on the fourth tick";

    int pumps = 0;
    bool postedBeforeWaiting = false;
    t.clock->onPump = [&] {
        if (++pumps == 1) postedBeforeWaiting = t.lobby->MessagesTo(kLobby) == std::vector<uint32_t>{LobbyMessage::NotConnected};
        if (pumps == 5) t.socket->state = TcpLink::StateConnected;
    };
    t.Tick();
    EXPECT_TRUE(postedBeforeWaiting);
    ASSERT_EQ(t.lobby->frames.size(), 1u);
    EXPECT_FALSE(t.lobby->frames[0].sent) << "posted, not sent";
    ASSERT_EQ(t.socket->sent.size(), 1u);
    EXPECT_EQ(t.socket->sent[0], ToByteArray(t->connection.LoginPacket));
    EXPECT_TRUE(t->connection.LoginPending);
    EXPECT_TRUE(t->scheduler.WatchJobOn);
    EXPECT_FALSE(t->scheduler.LoginJobOn);

    t.Tick(20);
    EXPECT_EQ(t.socket->sent.size(), 1u) << "the log-in goes out once";
}

TEST(SchedulerLogin, ConnectionWaitIsBoundedAndAServerThatNeverAnswersCountsAsADrop) {
    struct Case {
        const char* name;
        double connectsAfterSeconds;
        bool loggedIn;
    } cases[] = {
        {"connects within the bound", kConnectWaitSeconds - 1, true},
        {"never connects", 1e9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient t;
        t.socket->stateAfterConnect = TcpLink::StateConnecting;
        ASSERT_FALSE(t.Load());
        t.Tick(3);
        t.lobby->frames.clear();
        const double start = t.clock->now;
        t.clock->onPump = [&] {
            if (t.clock->now - start >= c.connectsAfterSeconds) t.socket->state = TcpLink::StateConnected;
        };
        t.Tick();
        EXPECT_EQ(t.socket->sent.size(), c.loggedIn ? 1u : 0u);
        EXPECT_EQ(t->connection.LoginPending, c.loggedIn);
        EXPECT_FALSE(t->scheduler.LoginJobOn);
        EXPECT_TRUE(t->scheduler.WatchJobOn);
        if (c.loggedIn) continue;
        EXPECT_GE(t.clock->now - start, kConnectWaitSeconds);
        EXPECT_LT(t.clock->now - start, kConnectWaitSeconds + 1);
        EXPECT_EQ(t.socket->state, TcpLink::StateClosed);

        t.Tick();
        EXPECT_TRUE(LobbyGotSysCommand(t, WindowMessage::SC_RESTORE));
        EXPECT_TRUE(t->mainForm->IsMinimized());
        EXPECT_TRUE(t.socket->sent.empty());
    }
}

// Receive-job runs come every second tick while nothing is waiting.
class SchedulerSilence : public Scheduler {
protected:
    void ReceiveJobRuns(int runs) { t.Tick(2 * runs); }
    void DeliverAndDispatch() {
        t.Deliver(PacketFromServer());
        t.Tick(2);
    }
};

TEST_F(SchedulerSilence, ThreeThousandSilentRunsInAGameResetTheTable) {
    DeliverAndDispatch();
    t->table.InGame = true;
    Forget();
    ReceiveJobRuns(2999);
    ASSERT_FALSE(BackAtLobby());
    EXPECT_TRUE(t->table.InGame);

    ReceiveJobRuns(1);
    EXPECT_TRUE(BackAtLobby());
    EXPECT_FALSE(t->table.InGame);
    ASSERT_EQ(t->mainForm->Sysmsg[0]->count(), 1);
    EXPECT_EQ(t->mainForm->Sysmsg[0]->item(0)->text(), kSilenceNotice);
    EXPECT_TRUE(t->TimerBong.Enabled()) << "the reset inside the tick does not stop the scheduler";
}

TEST_F(SchedulerSilence, AnyPacketStartsTheCountAgain) {
    DeliverAndDispatch();
    t->table.InGame = true;
    Forget();
    ReceiveJobRuns(2998);
    DeliverAndDispatch();
    ReceiveJobRuns(2999);
    EXPECT_FALSE(BackAtLobby());
    ReceiveJobRuns(1);
    EXPECT_TRUE(BackAtLobby());
}

TEST_F(SchedulerSilence, CountDoesNotAdvanceOutsideAGame) {
    DeliverAndDispatch();
    Forget();
    ReceiveJobRuns(3500);
    EXPECT_FALSE(BackAtLobby());
    t->table.InGame = true;
    ReceiveJobRuns(2999);
    EXPECT_FALSE(BackAtLobby());
    ReceiveJobRuns(1);
    EXPECT_TRUE(BackAtLobby());
}

TEST_F(SchedulerSilence, MissingLobbyEndsTheProgram) {
    DeliverAndDispatch();
    t->table.InGame = true;
    t.lobby->existingWindows.clear();
    ReceiveJobRuns(2999);
    EXPECT_THROW(ReceiveJobRuns(1), ProgramEnded);
}

class SchedulerTurnCountdown : public Scheduler {
protected:
    // Starts the countdown as if its last step was long ago.
    void Start(int seconds, int promptState = 0) {
        t->table.ActionCountdown = static_cast<int16_t>(seconds);
        t->table.PromptState = static_cast<int16_t>(promptState);
        t->scheduler.TurnCountdownOn = true;
        t->scheduler.TurnTickTime = 0;
        t->mainForm->Number->setVisible(true);
        t->mainForm->Time_Img->setVisible(true);
    }
};

TEST_F(SchedulerTurnCountdown, StepsOncePerSecondOfVirtualTime) {
    Start(8);
    t.Tick();
    ASSERT_EQ(t->table.ActionCountdown, 7);
    // The float sum of 50 ms ticks reaches one second on the 20th or 21st tick.
    t.Tick(18);
    EXPECT_EQ(t->table.ActionCountdown, 7);
    t.Tick(3);
    EXPECT_EQ(t->table.ActionCountdown, 6);
    t.Tick(17);
    EXPECT_EQ(t->table.ActionCountdown, 6);
    t.Tick(4);
    EXPECT_EQ(t->table.ActionCountdown, 5);
}

TEST_F(SchedulerTurnCountdown, StandsStillWhileNotLoggedIn) {
    t->connection.LoggedIn = false;
    Start(8);
    t.Tick(50);
    EXPECT_EQ(t->table.ActionCountdown, 8);
}

TEST_F(SchedulerTurnCountdown, ShowsGreenAboveFiveAndRedWithAWarningFromFive) {
    struct Case {
        int from;
        bool effectSounds;
        QColor colour;
        bool warns;
    } cases[] = {
        {7, true, QColor(0, 255, 0), false},
        {6, true, QColor(255, 0, 0), true},
        {1, true, QColor(255, 0, 0), true},
        {6, false, QColor(255, 0, 0), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << (c.effectSounds ? " with" : " without") << " effect sounds");
        t->sound.EffectSoundOn = c.effectSounds;
        t.sound->played.clear();
        t.sound->volume = -1;
        Start(c.from);
        t.Tick();
        EXPECT_EQ(t->mainForm->Number->Caption(), QString::number(c.from - 1));
        EXPECT_EQ(t->mainForm->Number->ForeColor(), c.colour);
        if (c.warns) {
            ASSERT_EQ(t.sound->played.size(), 1u);
            EXPECT_EQ(t.sound->played[0].path, t->sound.WavePath[6]);
            EXPECT_FALSE(t.sound->played[0].looped);
            EXPECT_EQ(t.sound->volume, 3000);
        } else {
            EXPECT_TRUE(t.sound->played.empty());
        }
    }
}

TEST_F(SchedulerTurnCountdown, ReachingZeroTimesOutOnlyAnUnansweredPrompt) {
    for (int promptState : {0, 1, 2, 3}) {
        SCOPED_TRACE(promptState);
        t->table.TimeoutStreak = 0;
        Start(0, promptState);
        t.Tick();
        const bool timesOut = promptState < 2;
        EXPECT_EQ(t->table.PromptState, timesOut ? 3 : promptState);
        EXPECT_EQ(t->table.TimeoutStreak, timesOut ? 1 : 0);
        EXPECT_EQ(t->scheduler.TurnCountdownOn, !timesOut);
        EXPECT_EQ(t->table.ActionCountdown, timesOut ? t->table.TurnSeconds : 0);
        EXPECT_EQ(t->mainForm->Number->isVisible(), !timesOut);
        EXPECT_EQ(t->mainForm->Time_Img->isVisible(), !timesOut);
    }
}

TEST_F(SchedulerTurnCountdown, WithoutALimitTimeOutsNeverPressTheBossKey) {
    t->table.TimeoutLimit = 0;
    for (int n = 1; n <= 20; ++n) {
        Start(0);
        t.Tick();
        ASSERT_EQ(t->table.TimeoutStreak, n);
        ASSERT_FALSE(t->window.BossKey) << "after " << n << " time-outs";
    }
    EXPECT_FALSE(LobbyGotSysCommand(t, WindowMessage::SC_MINIMIZE));
}

TEST_F(SchedulerTurnCountdown, TimeOutThatReachesTheLimitPressesTheBossKey) {
    t->table.TimeoutLimit = 3;
    t->table.TimeoutStreak = 1;
    Start(0);
    t.Tick();
    EXPECT_FALSE(t->window.BossKey) << "two of three";
    Start(0);
    t.Tick();
    EXPECT_TRUE(t->window.BossKey);
    EXPECT_TRUE(LobbyGotSysCommand(t, WindowMessage::SC_MINIMIZE));
    EXPECT_TRUE(t->mainForm->IsMinimized());
}

TEST_F(Scheduler, ChatButtonBlinksEightTimesThenShowsItsNormalPicture) {
    t->table.ChatBlinkCount = 8;
    t->scheduler.BlinkJobOn = true;
    t->scheduler.BlinkJobTicks = 0;
    // Bar button picture 3 is the lit chat button, 2 the normal one.
    const int expectedPictures[] = {2, 3, 2, 3, 2, 3, 2, 3, 2, 2};
    int expectedCount = 8;
    for (int picture : expectedPictures) {
        expectedCount = std::max(expectedCount - 1, 0);
        t.Tick(8);  // one blink step every 400 ms
        EXPECT_EQ(t->table.ChatBlinkCount, expectedCount);
        EXPECT_EQ(t->mainForm->AnNiu[1]->Picture().toImage(),
                  PictureOfResource(t->resourceIds.BarButtonIds[picture]).toImage())
            << "count " << expectedCount;
    }
}

TEST_F(Scheduler, ReadyCountdownSendsTheReadyMessageAndClearsTheTableOnlyOnce) {
    for (bool alreadyCleared : {false, true}) {
        SCOPED_TRACE(alreadyCleared ? "table already cleared" : "table not cleared");
        t->seatInfo[0].SeatBit = 4;
        t->table.TableCleared = alreadyCleared;
        t->table.SeatNames[1] = QStringLiteral("x");
        t->window.AnNiuUsed[2] = false;
        t->table.ActionCountdown = 0;
        t->scheduler.ReadyCountdownOn = true;
        t->scheduler.ReadyTickTime = 0;
        t.socket->sent.clear();
        t.Tick(2);

        GameMessage ready;
        ready.MsgType = 16;
        ready.SeatBit = 4;
        ready.Param[3] = 1;
        ASSERT_EQ(t.socket->sent.size(), 1u);
        EXPECT_EQ(t.socket->sent[0], ToByteArray(EncodeGamePacket(ready, {}, t->transport.EchoBytes)));
        EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
        EXPECT_TRUE(t->table.TableCleared);
        // Clearing empties the seat names and marks the start button as used.
        EXPECT_EQ(t->table.SeatNames[1].isEmpty(), !alreadyCleared);
        EXPECT_EQ(t->window.AnNiuUsed[2], !alreadyCleared);
    }
}

class SchedulerWatch : public Scheduler {
protected:
    void DropConnection() { emit t.socket->PeerClosed(); }
};

TEST_F(SchedulerWatch, DropDuringAGameLoadsTheReconnectController) {
    t->table.InGame = true;
    DropConnection();
    t.Tick();
    EXPECT_NE(t->frmReconnect, nullptr);
    EXPECT_FALSE(t->connection.LoggedIn);
    EXPECT_FALSE(t->scheduler.WatchJobOn);
    EXPECT_TRUE(t->table.InGame);
    EXPECT_TRUE(t.lobby->frames.empty());
    EXPECT_FALSE(t->mainForm->IsMinimized());
}

TEST(SchedulerDrop, DropOutsideAGameReturnsToTheLobbyUnlessTheServerClosedTheTable) {
    for (bool keepWindow : {false, true}) {
        SCOPED_TRACE(keepWindow ? "table closed by the server" : "ordinary drop");
        TestClient fresh;
        ASSERT_FALSE(fresh.Load());
        fresh.Tick(4);
        fresh.lobby->frames.clear();
        fresh->table.KeepWindowOnDrop = keepWindow;
        fresh->scheduler.ReadyCountdownOn = true;
        fresh->table.ActionCountdown = 10;
        fresh->playerInfo[1].NickName = QStringLiteral("left");
        emit fresh.socket->PeerClosed();
        fresh.Tick();
        EXPECT_FALSE(fresh->scheduler.ReadyCountdownOn);
        EXPECT_FALSE(fresh->table.InGame);
        EXPECT_EQ(fresh->frmReconnect, nullptr);
        EXPECT_EQ(LobbyGotSysCommand(fresh, WindowMessage::SC_RESTORE), !keepWindow);
        EXPECT_EQ(fresh->mainForm->IsMinimized(), !keepWindow);
        EXPECT_EQ(fresh->playerInfo[1].NickName.isEmpty(), !keepWindow) << "the table reset empties the seats";
        EXPECT_TRUE(fresh->TimerBong.Enabled());
    }
}

TEST(SchedulerDrop, DropWithTheLobbyGoneEndsTheProgram) {
    for (bool inGame : {false, true}) {
        SCOPED_TRACE(inGame ? "in a game" : "outside a game");
        TestClient fresh;
        ASSERT_FALSE(fresh.Load());
        fresh.Tick(4);
        fresh->table.InGame = inGame;
        fresh.lobby->existingWindows.clear();
        emit fresh.socket->PeerClosed();
        EXPECT_THROW(fresh.Tick(), ProgramEnded);
    }
}

// A server may close right after its last packet: what arrived whole before
// the close is handled before the drop is, also behind more packets than the
// receive ring holds, which wait in the socket.
TEST(SchedulerDrop, TheServersLastWordsBeforeItClosesAreHandledFirst) {
    struct Case {
        const char* words;
        GameMessage message;
        QByteArray payload;
        QString ending;  // the end's reason, or empty when the client stays at the closed table
        QString notice;
    } cases[] = {
        {"the own seat left", Message(MessageType::PlayerLeft), "abc", QStringLiteral("the server says this player left"), {}},
        {"a notice", Message(MessageType::ServerNotice), AnsiCodec::ToAnsi(QStringLiteral("服务器维护")), {},
         QStringLiteral("服务器维护")},
        {"the table closed", Message(MessageType::GameAborted, 1 | 4 | 8, 1), {}, {},
         QStringLiteral("玩家西家,退出了游戏！游戏结束！")},
    };
    for (const Case& c : cases) {
        for (const int before : {0, 300}) {
            SCOPED_TRACE(c.words);
            SCOPED_TRACE(before);
            TestClient t;
            ASSERT_FALSE(t.Load());
            t.Tick(4);
            t->connection.LoggedIn = true;
            for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = uint8_t(1 << (4 - s) % 4);
            t->playerInfo[3].NickName = QStringLiteral("西家");
            t.lobby->frames.clear();

            t.Deliver(PacketFromServer().repeated(before) + ToByteArray(EncodeGamePacket(c.message, c.payload)));
            emit t.socket->PeerClosed();
            try {
                t.Tick(4 + 2 * before);
                EXPECT_TRUE(c.ending.isEmpty()) << "the client went on";
            } catch (const ProgramEnded& end) {
                EXPECT_EQ(end.reason, c.ending);
            }
            if (c.ending.isEmpty()) {
                ASSERT_NE(t->frmOtherExit, nullptr);
                EXPECT_EQ(t->frmOtherExit->Label1->Caption(), c.notice);
                EXPECT_FALSE(LobbyGotSysCommand(t, WindowMessage::SC_RESTORE)) << "the user decides at the notice";
            }
        }
    }
}

TEST_F(SchedulerWatch, ConnectedSocketLeavesEverythingAlone) {
    t->table.InGame = true;
    t.Tick(50);
    EXPECT_EQ(t->frmReconnect, nullptr);
    EXPECT_TRUE(t->connection.LoggedIn);
    EXPECT_TRUE(t.lobby->frames.empty());
}
}  // namespace
