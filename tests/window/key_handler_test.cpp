#include "run/Scheduler.h"
#include "platform/LobbyLink.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/ExitDialog.h"
#include "window/KeyCodes.h"
#include "window/KeyHandler.h"
#include "window/PhraseWindow.h"
#include "window/SmallTable.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {
enum class Handler { Chat, Table, SmallTable };

const char* NameOf(Handler h) {
    switch (h) {
    case Handler::Chat: return "Chat";
    case Handler::Table: return "Pic1";
    case Handler::SmallTable: return "Pic2";
    }
    return "";
}

// A client past its log-in send.
class KeyHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t.socket->sent.clear();
    }
    void Press(Handler h, int16_t key) {
        int16_t code = key, shift = 0;
        switch (h) {
        case Handler::Chat: MainForm_Chat_KeyDown(*t, code, shift); break;
        case Handler::Table: MainForm_Pic1_KeyDown(*t, code, shift); break;
        case Handler::SmallTable: MainForm_Pic2_KeyDown(*t, code, shift); break;
        }
    }
    std::vector<QWidget*> SideWindows() {
        return {&t->Information(), &t->Talk(), &t->VosSet(), &t->FrmExit(), &t->Hero(), &t->Score(), &t->Huifu()};
    }
    void ShowSideWindows() {
        for (QWidget* w : SideWindows()) w->show();
    }
    TestClient t;
};

TEST_F(KeyHandler, F1HidesTheGameAndLetsTheComputerPlayOnFromEveryHandler) {
    for (Handler h : {Handler::Chat, Handler::Table, Handler::SmallTable}) {
        SCOPED_TRACE(NameOf(h));
        ShowSideWindows();
        t->mainForm->Restore();
        t->table.TurnSeconds = 8;
        t.lobby->frames.clear();
        Press(h, KeyCode::F1);
        EXPECT_TRUE(t->window.BossKey);
        for (QWidget* w : SideWindows())
            EXPECT_EQ(w->isVisible(), w == &t->Huifu()) << w->metaObject()->className() << ": only the phrases stay";
        EXPECT_EQ(t->table.TurnSeconds, 0);
        EXPECT_TRUE(t->mainForm->IsMinimized());
        EXPECT_TRUE(LobbyGotSysCommand(t, WindowMessage::SC_MINIMIZE));
    }
}

TEST_F(KeyHandler, F1BeforeAnySideWindowExistedCreatesThemHidden) {
    Press(Handler::Table, KeyCode::F1);
    ASSERT_TRUE(t->information && t->talk && t->vosSet && t->frmExit && t->hero && t->score);
    EXPECT_FALSE(t->information->isVisible() || t->talk->isVisible() || t->vosSet->isVisible() ||
                 t->frmExit->isVisible() || t->hero->isVisible() || t->score->isVisible());
    EXPECT_FALSE(t->huifu) << "the phrase window is left alone";
}

TEST_F(KeyHandler, F1WithTheLobbyGoneEndsTheClient) {
    t.lobby->existingWindows.clear();
    EXPECT_THROW(Press(Handler::Chat, KeyCode::F1), ProgramEnded);
}

// Time-outs in a row reach the limit from the log-in reply: the scheduler
// presses F1, and from then on every prompt runs out at its next step.
TEST_F(KeyHandler, TheTimeOutLimitPressesTheBossKeyAndRestoringTheWindowEndsIt) {
    t->connection.LoggedIn = true;
    for (int limit : {0, 3}) {
        SCOPED_TRACE(limit);
        t->table.TimeoutLimit = static_cast<int16_t>(limit);
        t->table.TimeoutStreak = 0;
        t->Talk().show();
        for (int n = 1; n <= 3; ++n) {
            t->table.ActionCountdown = 0;
            t->table.PromptState = 0;
            t->scheduler.TurnCountdownOn = true;
            t->scheduler.TurnTickTime = t->platform.clock->Now() - 2;
            t.Tick();
            EXPECT_EQ(t->window.BossKey, limit == 3 && n == 3) << "time-out " << n;
        }
        EXPECT_EQ(t->Talk().isVisible(), limit == 0);
        EXPECT_EQ(t->table.ActionCountdown, limit == 3 ? 0 : 8) << "the next prompt starts its countdown at 0";
        EXPECT_EQ(t->table.TurnSeconds, limit == 3 ? 0 : 8);
        t->mainForm->Restore();
        EXPECT_FALSE(t->window.BossKey);
        EXPECT_EQ(t->table.TurnSeconds, 8);
    }
}

TEST_F(KeyHandler, EscTwiceOnTheTableOpensTheExitDialogAndClosesItAgain) {
    struct Case {
        bool inGame, spectator, warning;
    } cases[] = {{false, false, false}, {true, false, true}, {true, true, false}, {false, true, false}};
    for (Handler h : {Handler::Table, Handler::SmallTable})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << NameOf(h) << " in game " << c.inGame << " spectator " << c.spectator);
            t->table.InGame = c.inGame;
            t->table.SpectatorMode = c.spectator;
            t->window.HotkeyState = {1, 0};
            Press(h, KeyCode::Escape);
            ExitDialog& dialog = t->FrmExit();
            ASSERT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.Label2->isVisible(), c.warning);
            EXPECT_EQ(t->window.HotkeyState, (std::array<int16_t, 2>{1, 0})) << "Esc leaves the chord alone";
            Press(h, KeyCode::Escape);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(t->frmExit) << "only hidden";
        }
}

TEST_F(KeyHandler, AltAndCOneAfterTheOtherShowTheChatLog) {
    using namespace KeyCode;
    struct Case {
        std::vector<int16_t> keys;
        bool shown, exitDialog;
        std::array<int16_t, 2> after;
    } cases[] = {
        {{Alt, C}, true, false, {0, 0}},
        {{C, Alt}, true, false, {0, 0}},
        {{Alt, Shift, C}, false, false, {0, 1}},
        {{Alt, Control, C}, false, false, {0, 1}},
        {{Alt, Escape, C}, true, true, {0, 0}},
        {{Alt, 'X', C}, false, false, {0, 1}},
        {{Alt, Alt}, false, false, {1, 0}},
        {{C, C, C}, false, false, {0, 1}},
        {{Alt, C, C}, true, false, {0, 1}},
    };
    for (Handler h : {Handler::Table, Handler::SmallTable})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << NameOf(h) << " case " << (&c - cases));
            t->Talk().hide();
            t->FrmExit().hide();
            t->window.HotkeyState = {0, 0};
            for (int16_t key : c.keys) Press(h, key);
            EXPECT_EQ(t->Talk().isVisible(), c.shown);
            EXPECT_EQ(t->FrmExit().isVisible(), c.exitDialog);
            EXPECT_EQ(t->window.HotkeyState, c.after);
            if (c.shown) {
                EXPECT_TRUE(t->Talk().windowFlags() & Qt::WindowStaysOnTopHint) << "shown topmost";
            }
        }
}

TEST_F(KeyHandler, EscAndTheChordDoNothingInTheChatBox) {
    for (int16_t key : {KeyCode::Alt, KeyCode::C, KeyCode::Escape, KeyCode::Alt, KeyCode::C}) Press(Handler::Chat, key);
    EXPECT_FALSE(t->talk && t->talk->isVisible());
    EXPECT_FALSE(t->frmExit && t->frmExit->isVisible());
    EXPECT_EQ(t->window.HotkeyState, (std::array<int16_t, 2>{0, 0}));
    EXPECT_FALSE(t->window.BossKey);
}

TEST(KeyHandlerPlace, TheChatLogShowsOverTheLowerMiddleOfTheTable) {
    struct Case {
        QSize screen;
        QPoint at;
    } cases[] = {
        {{1280, 1024}, {315, 527}},  // 8 + 0.3 x 1024, 20 + 0.66 x 768
        {{1024, 768}, {307, 507}},
        {{800, 600}, {176, 360}},  // small screen: 0.22 and 0.6 of the window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        TestClient t(TestClient::DefaultCommandLine(), c.screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        int16_t alt = KeyCode::Alt, key = KeyCode::C, shift = 0;
        MainForm_Pic1_KeyDown(*t, alt, shift);
        MainForm_Pic1_KeyDown(*t, key, shift);
        ASSERT_TRUE(t->Talk().isVisible());
        EXPECT_EQ(t->Talk().pos(), c.at);
    }
}

TEST_F(KeyHandler, TheSmallTableGivesTheChatBoxTheFocusAfterEveryKeyButEsc) {
    MainForm& f = *t->mainForm;
    struct Case {
        int16_t key;
        bool chatFocus;
    } cases[] = {{KeyCode::Alt, true}, {KeyCode::C, true}, {'A', true}, {KeyCode::Escape, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        f.Pic1->setFocus();
        ASSERT_EQ(f.focusWidget(), f.Pic1);
        Press(Handler::SmallTable, c.key);
        EXPECT_EQ(f.focusWidget() == f.Chat, c.chatFocus);
    }
    Press(Handler::Table, 'A');
    EXPECT_NE(f.focusWidget(), f.Chat) << "the table itself keeps the focus";
}

TEST_F(KeyHandler, AClickOnTheTableClosesTheSideWindowsButNotThePlayerCard) {
    for (Handler h : {Handler::Table, Handler::SmallTable}) {
        SCOPED_TRACE(NameOf(h));
        ShowSideWindows();
        t.socket->sent.clear();
        h == Handler::Table ? MainForm_Pic1_Click(*t) : MainForm_Pic2_Click(*t);
        for (QWidget* w : SideWindows())
            EXPECT_EQ(w->isVisible(), w == &t->Information()) << w->metaObject()->className();
        EXPECT_TRUE(t->frmExit) << "the exit dialog is only hidden";
        t.Tick(2);
        EXPECT_TRUE(t.Sent().empty()) << "the table is not left";
    }
}

TEST_F(KeyHandler, TableSurfaceEventsReachTheirProcedures) {
    MainForm& f = *t->mainForm;
    const auto key = [&](QWidget& target, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(&target, &event);
    };
    key(*f.Pic1, Qt::Key_Alt, Qt::AltModifier);
    key(*f.Pic1, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(t->Talk().isVisible());

    const auto click = [&](QWidget& target, Qt::MouseButton button) {
        const QPointF at(700, 400);  // bare table
        QMouseEvent press(QEvent::MouseButtonPress, at, target.mapToGlobal(at), button, button, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &press);
        QApplication::sendEvent(&target, &release);
    };
    click(*f.Pic1->viewport(), Qt::LeftButton);
    EXPECT_FALSE(t->Talk().isVisible()) << "a left click on the table closes the side windows";

    // The small table is never shown: its procedures are reached through its hooks.
    key(*f.Pic2, Qt::Key_Escape);
    EXPECT_TRUE(t->FrmExit().isVisible());
    f.Pic2->OnClick();
    EXPECT_FALSE(t->FrmExit().isVisible());

    key(*f.Pic1, Qt::Key_F1);
    EXPECT_TRUE(t->window.BossKey);
}

TEST(KeyCodes, QtKeysGetTheKeyProceduresNumbers) {
    struct Case {
        Qt::Key key;
        int16_t code;
    } cases[] = {
        {Qt::Key_F1, 112},     {Qt::Key_F12, 123}, {Qt::Key_Escape, 27},  {Qt::Key_Alt, 18}, {Qt::Key_C, 67},
        {Qt::Key_A, 65},       {Qt::Key_Z, 90},    {Qt::Key_0, 48},       {Qt::Key_9, 57},   {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17}, {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Backspace, 8},
        {Qt::Key_Space, 32},   {Qt::Key_Meta, 0},  {Qt::Key_AltGr, 0},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, Qt::NoModifier);
        EXPECT_EQ(KeyCodeOf(event), c.code) << c.key;
    }
    const QKeyEvent all(QEvent::KeyPress, Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(ShiftOf(all), 7);
    EXPECT_EQ(ShiftOf(QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier)), 2);
}
}  // namespace
