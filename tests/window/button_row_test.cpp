#include "wire/GamePacket.h"
#include "wire/IniFile.h"
#include "messages/LoginReplies.h"
#include "platform/LobbyLink.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "window/ButtonRow.h"
#include "window/ExitDialog.h"
#include "window/PhraseWindow.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"
#include <gtest/gtest.h>

namespace {
// A seated client after a settled hand: the start button is free again and
// the between-hands countdown runs.
class ButtonRow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t->seatInfo[0].SeatBit = 4;
        t->table.SeatNames[1] = QStringLiteral("left");
        t->table.HandNumber = 1;
        t->window.AnNiuUsed[BarButton::Start] = false;
        t->table.TableCleared = false;
        t->scheduler.ReadyCountdownOn = true;
        t->mainForm->Number->setVisible(true);
        t->mainForm->Time_Img->setVisible(true);
        t->Score().show();
        t->Hero().show();
        t.socket->sent.clear();
        t.lobby->frames.clear();
    }
    // Only the command under test may send from here on.
    void StopCountdown() { t->scheduler.ReadyCountdownOn = false; }
    void Click(int button) { t->mainForm->AnNiu[button]->OnClick(); }
    QByteArray ReadyPacket() {
        GameMessage ready;
        ready.MsgType = MessageType::ReadyOrLeave;
        ready.SeatBit = 4;
        ready.Param[3] = 1;
        return ToByteArray(EncodeGamePacket(ready, {}, t->transport.EchoBytes));
    }
    TestClient t;
};

TEST_F(ButtonRow, StartSendsTheReadyMessageOnceAndStopsTheCountdown) {
    Click(BarButton::Start);
    t.Tick(2);
    ASSERT_EQ(t.Sent().size(), 1u);
    EXPECT_EQ(t.Sent()[0], ReadyPacket());
    MainForm& f = *t->mainForm;
    EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
    EXPECT_FALSE(f.Number->isVisible());
    EXPECT_FALSE(f.Time_Img->isVisible());
    EXPECT_TRUE(f.OK[0]->isVisible());
    EXPECT_FALSE(t->window.StartButtonOn);
    EXPECT_TRUE(t->window.AnNiuUsed[BarButton::Start]);
    EXPECT_TRUE(t->table.TableCleared);
    EXPECT_TRUE(t->table.SeatNames[1].isEmpty()) << "the table is cleared for the next hand";
    EXPECT_EQ(f.AnNiu[BarButton::Start]->Picture().toImage(),
              PictureOfResource(t->resourceIds.BarButtonIds[6]).toImage());
    EXPECT_FALSE(t->Score().isVisible());
    EXPECT_FALSE(t->Hero().isVisible());

    t->Score().show();
    Click(BarButton::Start);
    t.Tick(2);
    EXPECT_EQ(t.Sent().size(), 1u) << "a second click for the same hand sends nothing";
    EXPECT_FALSE(t->Score().isVisible()) << "but still hides the boards";
}

TEST_F(ButtonRow, StartOnAClearedTableSendsWithoutClearingAgain) {
    t->table.TableCleared = true;
    Click(BarButton::Start);
    t.Tick(2);
    ASSERT_EQ(t.Sent().size(), 1u);
    EXPECT_EQ(t.Sent()[0], ReadyPacket());
    EXPECT_EQ(t->table.SeatNames[1], QStringLiteral("left"));
    EXPECT_TRUE(InFrontOfAll(*t->mainForm->OK[0])) << "the own ready mark";
}

TEST_F(ButtonRow, StartAfterTheServerClosedTheTableLeadsBackToTheLobbyAndSendsNothing) {
    t->table.MustLeaveTable = true;
    t->window.AnNiuUsed[BarButton::Start] = true;
    Click(BarButton::Start);
    t.Tick(2);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_TRUE(LobbyGotSysCommand(t, WindowMessage::SC_RESTORE));
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_TRUE(t->table.MustLeaveTable);

    t.lobby->existingWindows.clear();
    EXPECT_THROW(Click(BarButton::Start), ProgramEnded) << "with the lobby gone the client ends";
}

TEST_F(ButtonRow, ScoreButtonShowsTheLastFinishedHandAndHidesTheBoardAgain) {
    classIniFile history;
    history.SetINIFileName(t->platform.paths.Resolve(QStringLiteral("\\info.Jokro")));
    for (int hand : {1, 2}) {
        const QString section = QStringLiteral("juNum:%1").arg(hand);
        history.WriteIniKey(section, QStringLiteral("count( 0 )"), QStringLiteral("1"));
        history.WriteIniKey(section, QStringLiteral("count( 0 )( 0 )"), QStringLiteral("hand %1").arg(hand));
    }
    struct Case {
        bool resultPending;
        int shown;
    };
    for (const Case& c : {Case{true, 1}, Case{false, 2}}) {
        SCOPED_TRACE(c.resultPending ? "during the next hand" : "after the hand");
        t->Score().hide();
        t->table.HandNumber = 2;
        t->window.ResultPending = c.resultPending;
        Click(BarButton::ScoreBoard);
        ASSERT_TRUE(t->Score().isVisible());
        ASSERT_EQ(t->Score().State[0]->count(), 1);
        EXPECT_EQ(t->Score().State[0]->item(0)->text(), QStringLiteral("hand %1").arg(c.shown));
        Click(BarButton::ScoreBoard);
        EXPECT_FALSE(t->Score().isVisible());
    }
}

TEST_F(ButtonRow, ScoreButtonBeforeTheHandIsWrittenOrInTheFirstHandKeepsWhatTheBoardHolds) {
    struct Case {
        const char* when;
        int16_t handNumber;
        bool resultPending;
    };
    // The first seat result has come but the settlement has not written the hand yet;
    // the first hand of a seating, where no hand before it exists.
    for (const Case& k : {Case{"unwritten hand", 3, false}, Case{"first hand", 1, true}}) {
        SCOPED_TRACE(k.when);
        t->Score().hide();
        t->Score().State[0]->clear();
        t->Score().State[0]->addItem(QStringLiteral("shown before"));
        t->table.HandNumber = k.handNumber;
        t->window.ResultPending = k.resultPending;
        Click(BarButton::ScoreBoard);
        EXPECT_TRUE(t->Score().isVisible());
        ASSERT_EQ(t->Score().State[0]->count(), 1);
        EXPECT_EQ(t->Score().State[0]->item(0)->text(), QStringLiteral("shown before"));
    }
}

TEST_F(ButtonRow, HandListButtonTogglesTheListOverTheTable) {
    t->Hero().hide();
    Click(BarButton::HandList);
    EXPECT_TRUE(t->Hero().isVisible());
    const QRect table = t->mainForm->frameGeometry();
    EXPECT_LE(std::abs(t->Hero().frameGeometry().center().x() - table.center().x()), 1);
    Click(BarButton::HandList);
    EXPECT_FALSE(t->Hero().isVisible());
}
TEST_F(ButtonRow, StartWhileWatchingSendsTheReadyMessageWithTheWatchedSeat) {
    t->table.SpectatorMode = true;
    Click(BarButton::Start);
    t.Tick(2);
    ASSERT_EQ(t.Sent().size(), 1u);
    EXPECT_EQ(t.Sent()[0], ReadyPacket()) << "seat bit 4 is the watched seat's";
}

TEST_F(ButtonRow, SoundSettingsComeUpNearTheTablesLowerRightCornerAndGoAgain) {
    MainForm& f = *t->mainForm;
    SoundSettingsDialog& settings = t->VosSet();
    Click(BarButton::SoundSettings);
    ASSERT_TRUE(settings.isVisible());
    Click(BarButton::SoundSettings);
    EXPECT_FALSE(settings.isVisible());

    // Placed anew at every showing, from the table window's place then.
    f.move(30, 10);
    Click(BarButton::SoundSettings);
    ASSERT_TRUE(settings.isVisible());
    const QSize size = settings.frameGeometry().size();
    const QPointF corner = f.frameGeometry().topLeft() + f.Pic1->geometry().bottomRight() + QPoint(1, 1);
    EXPECT_NEAR(settings.frameGeometry().left(), corner.x() - 1.1 * size.width(), 0.5);
    EXPECT_NEAR(settings.frameGeometry().top(), corner.y() - 1.35 * size.height(), 0.5);
    EXPECT_FALSE(settings.windowFlags() & Qt::WindowStaysOnTopHint) << "not kept above other windows";
}

TEST_F(ButtonRow, HideMinimisesTheTableAndHidesItsBoardsButLeavesTheDialogsAndTheLobby) {
    StopCountdown();
    for (QWidget* window : std::initializer_list<QWidget*>{&t->Talk(), &t->VosSet(), &t->FrmExit(), &t->Huifu(), &t->Information()})
        window->show();
    Click(BarButton::Hide);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    for (QWidget* window : std::initializer_list<QWidget*>{&t->Talk(), &t->VosSet(), &t->Score(), &t->Hero()})
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    for (QWidget* window : std::initializer_list<QWidget*>{&t->FrmExit(), &t->Huifu(), &t->Information()})
        EXPECT_TRUE(window->isVisible()) << window->metaObject()->className();
    EXPECT_TRUE(t.lobby->frames.empty()) << "the lobby's window is not touched";
    t.Tick(2);
    EXPECT_TRUE(t.Sent().empty());
}

TEST_F(ButtonRow, RulesOpensTheRulesPageOfTheGameCentreInTheDesktopsBrowser) {
    StopCountdown();
    Click(BarButton::Rules);
    Click(BarButton::Rules);
    const QString page = QStringLiteral("http://") + kGameCentreHost + QStringLiteral("/gameinfo/qervol/index.php");
    EXPECT_EQ(t.shell->opened, (std::vector<QString>{page, page}));
    t.Tick(2);
    EXPECT_TRUE(t.Sent().empty());
}

TEST_F(ButtonRow, ExitShowsTheDialogOverTheTableWithItsWarningOnlyForAPlayerInAGame) {
    StopCountdown();
    struct Case {
        bool inGame, watching, warning;
    };
    for (const Case& k : {Case{true, false, true}, Case{true, true, false}, Case{false, false, false}, Case{false, true, false}}) {
        SCOPED_TRACE(testing::Message() << "in game " << k.inGame << " watching " << k.watching);
        t->table.InGame = k.inGame;
        t->table.SpectatorMode = k.watching;
        Click(BarButton::Exit);
        ExitDialog& dialog = t->FrmExit();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Label2->isVisible(), k.warning);
        Click(BarButton::Exit);
        EXPECT_FALSE(dialog.isVisible());
    }
    t.Tick(2);
    EXPECT_TRUE(t.Sent().empty());
}

TEST_F(ButtonRow, AnIndexOutsideTheRowDoesNothing) {
    t->Score().hide();
    t->Hero().hide();
    for (int index : {-1, 9, 100}) MainForm_AnNiu_Click(*t, index);
    EXPECT_TRUE(t->scheduler.ReadyCountdownOn);
    EXPECT_TRUE(t->mainForm->Number->isVisible());
    StopCountdown();
    t.Tick(2);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_TRUE(t.shell->opened.empty());
    EXPECT_FALSE(t->Score().isVisible());
    EXPECT_FALSE(t->Hero().isVisible());
    EXPECT_FALSE(t->mainForm->IsMinimized());
}
}  // namespace
