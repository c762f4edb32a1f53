#include "run/Leaving.h"
#include "wire/GamePacket.h"
#include "run/TableClosedNotice.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "support/UnkeptHistory.h"
#include "results/HandHistory.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "platform/VideoView.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");

class LeavingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t.socket->sent.clear();
        t.lobby->frames.clear();
    }

    // A table of four with video links, results windows filled and a history file.
    void SeatAtTable() {
        MainForm& f = *t->mainForm;
        for (int s = 0; s < 4; ++s) {
            t->seatInfo[s].Account = QStringLiteral("acct%1").arg(s);
            t->seatInfo[s].SeatBit = uint8_t(1 << s);
            t->playerInfo[s].Account = t->seatInfo[s].Account;
            t->playerInfo[s].UserId = 100 + s;
            t->playerInfo[s].NickName = QStringLiteral("昵称%1").arg(s);
            t->playerInfo[s].Money = 500;
            f.Nid[s]->SetCaption(t->playerInfo[s].NickName);
            f.OK[s]->setVisible(true);
            t->Hero().ID[s]->setText(QStringLiteral("id"));
            t->Hero().Grade[s]->addItem(QStringLiteral("+10"));
            t->Score().State[s + 4]->addItem(QStringLiteral("+10"));
        }
        for (int s = 1; s <= 3; ++s) {
            f.vshow1[s]->setVisible(true);
            f.ImgKuang[s]->setVisible(true);
            t->video.FirstFrameShown[s] = true;
            t->video.FrameSendCounter[s] = 7;
            t->video.LastVideoFrame[s] = "frame";
            t->P2PSocket1.RequestVideo(int16_t(s), t->seatInfo[s].Account);
        }
        t->Hero().show();
        t->Score().show();
        QDir().mkpath(QFileInfo(HistoryPath()).path());
        QFile history(HistoryPath());
        ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    }

    QString HistoryPath() { return t->platform.paths.Resolve(QStringLiteral("\\info.Jokro")); }

    // Runs SendLeaveTable and returns the virtual seconds it waited.
    double TimedLeave() {
        const double start = t.clock->now;
        SendLeaveTable(*t);
        return t.clock->now - start;
    }

    TestClient t;
};
}  // namespace

TEST_F(LeavingTest, LeavingClosesEveryVideoLinkAndWaitsLongerAfterAnAcceptedReconnect) {
    for (bool reconnected : {false, true}) {
        SCOPED_TRACE(reconnected);
        SeatAtTable();
        t->connection.Reconnected = reconnected;
        t->scheduler.ReadyCountdownOn = true;
        const double waited = TimedLeave();
        EXPECT_GT(waited, reconnected ? 0.8 : 0.4);
        EXPECT_LT(waited, reconnected ? 0.9 : 0.5);
        for (int s = 1; s <= 3; ++s) {
            EXPECT_FALSE(t->mainForm->vshow1[s]->isVisible());
            EXPECT_FALSE(t->mainForm->ImgKuang[s]->isVisible());
            EXPECT_FALSE(t->video.FirstFrameShown[s]);
            EXPECT_EQ(t->video.FrameSendCounter[s], 0);
            EXPECT_TRUE(t->video.LastVideoFrame[s].isEmpty());
            EXPECT_TRUE(t->P2PSocket1.UserID(int16_t(s)).isEmpty());
            EXPECT_TRUE(t->seatInfo[s].Account.isEmpty());
        }
        EXPECT_EQ(t->seatInfo[0].Account, QStringLiteral("acct0"));
        EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
        EXPECT_FALSE(t->TimerKeepAlive.Enabled());
    }
}

TEST_F(LeavingTest, ResettingBlanksSeatsAndResultWindowsButKeepsWhoThePlayersWere) {
    SeatAtTable();
    ResetTable(*t);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        EXPECT_TRUE(t->mainForm->Nid[s]->Caption().isEmpty());
        EXPECT_FALSE(t->mainForm->OK[s]->isVisible());
        EXPECT_TRUE(t->seatInfo[s].Account.isEmpty());
        EXPECT_EQ(t->seatInfo[s].SeatBit, 0);
        EXPECT_TRUE(t->playerInfo[s].NickName.isEmpty());
        EXPECT_EQ(t->playerInfo[s].Money, 0);
        EXPECT_EQ(t->playerInfo[s].Account, QStringLiteral("acct%1").arg(s));
        EXPECT_EQ(t->playerInfo[s].UserId, 100 + s);
        EXPECT_TRUE(t->Hero().ID[s]->text().isEmpty());
        EXPECT_EQ(t->Hero().Grade[s]->count(), 0);
        EXPECT_EQ(t->Score().State[s + 4]->count(), 0);
    }
    EXPECT_FALSE(t->Hero().isVisible());
    EXPECT_FALSE(t->Score().isVisible());
    EXPECT_FALSE(QFile::exists(HistoryPath()));
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_EQ(t->Winsock1.State(), TcpLink::StateClosed);

    // Without a history file the reset runs the same.
    ResetTable(*t);
    EXPECT_TRUE(t->mainForm->IsMinimized());
}

// A history that no one can remove does not hold the leave up; the next
// table is told again that its hands are not stored.
TEST_F(LeavingTest, AHistoryThatCannotBeRemovedLeavesTheResetWholeAndTheNextTableIsToldAgain) {
    SeatAtTable();
    PutFolderInPlaceOfHistory(*t);
    StartHandHistory(*t);
    ASSERT_EQ(HandsNotRecordedShown(*t), 1);
    t->table.HandNumber = 3;

    ResetTable(*t);
    EXPECT_TRUE(QFileInfo(HistoryPath()).isDir());
    EXPECT_EQ(t->table.HandNumber, 0);
    EXPECT_FALSE(t->table.TableCleared);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_EQ(HandsNotRecordedShown(*t), 0) << "the reset empties the ticker";

    StartHandHistory(*t);
    EXPECT_EQ(HandsNotRecordedShown(*t), 1);
}

class TableClosedNoticeTest : public LeavingTest {
protected:
    void SetUp() override {
        LeavingTest::SetUp();
        SeatAtTable();
        t->table.InGame = true;
        t->scheduler.WatchJobOn = true;
        ShowTableClosedNotice(*t, QStringLiteral("玩家甲,退出了游戏！游戏结束！"));
        ASSERT_TRUE(t->frmOtherExit);
    }
};

TEST_F(TableClosedNoticeTest, TheNoticeShowsItsTextAndClosesTheTable) {
    TableClosedNotice& notice = *t->frmOtherExit;
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("退出"));
    EXPECT_EQ(notice.size(), QSize(320, 180));
    EXPECT_EQ(notice.Label1->Caption(), QStringLiteral("玩家甲,退出了游戏！游戏结束！"));
    EXPECT_FALSE(notice.imgOK->Picture().isNull());
    EXPECT_FALSE(notice.imgCancel->Picture().isNull());
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(t->table.MustLeaveTable);
}

TEST_F(TableClosedNoticeTest, OkResetsTheTableAndBringsTheLobbyBack) {
    frmOtherExit_imgOK_Click(*t);
    EXPECT_FALSE(t->frmOtherExit);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_TRUE(t->mainForm->Nid[1]->Caption().isEmpty());
    EXPECT_FALSE(QFile::exists(HistoryPath()));
    ASSERT_FALSE(t.lobby->frames.empty());
    const LobbyFrame& last = t.lobby->frames.back();
    EXPECT_EQ(last.caption, kLobby);
    EXPECT_EQ(last.msg, 0x112u);
    EXPECT_EQ(last.wParam, 0xF120u);
}

TEST_F(TableClosedNoticeTest, OkWithoutALobbyEndsTheClient) {
    t.lobby->existingWindows.clear();
    EXPECT_THROW(frmOtherExit_imgOK_Click(*t), ProgramEnded);
}

TEST_F(TableClosedNoticeTest, CancelLeavesTheClosedTableAsItWasDrawn) {
    frmOtherExit_imgCancel_Click(*t);
    EXPECT_FALSE(t->frmOtherExit);
    EXPECT_FALSE(t->table.InGame);
    EXPECT_TRUE(t->table.MustLeaveTable);
    EXPECT_FALSE(t->scheduler.WatchJobOn);
    EXPECT_FALSE(t->mainForm->IsMinimized());
    EXPECT_EQ(t->mainForm->Nid[2]->Caption(), QStringLiteral("昵称2"));
    EXPECT_TRUE(QFile::exists(HistoryPath()));
}

TEST_F(TableClosedNoticeTest, ALaterLogInReplyUnloadsANoticeStillOpen) {
    GameMessage reply;
    reply.MsgType = MessageType::LoginReply;
    reply.Param[3] = 1;
    t.Deliver(ToByteArray(EncodeGamePacket(reply)));
    t.Tick(2);
    EXPECT_FALSE(t->frmOtherExit);
}

// Presses and releases through the notice's own view; only a left click on a
// button answers it, and only once the click's event is over.
TEST_F(TableClosedNoticeTest, ALeftClickOnCancelUnloadsTheNoticeOnceTheClickIsOver) {
    auto* view = t->frmOtherExit->findChild<QGraphicsView*>();
    ASSERT_NE(view, nullptr);
    const auto send = [view](QEvent::Type type, QPointF at, Qt::MouseButton button) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), button,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &event);
    };
    const QPointF onCancel(215, 139), beside(20, 20);
    const struct {
        const char* name;
        QPointF pressAt, releaseAt;
        Qt::MouseButton button;
    } noClicks[] = {
        {"right click", onCancel, onCancel, Qt::RightButton},
        {"pressed beside the button, let go on it", beside, onCancel, Qt::LeftButton},
        {"pressed on the button, let go beside it", onCancel, beside, Qt::LeftButton},
    };
    for (const auto& c : noClicks) {
        SCOPED_TRACE(c.name);
        send(QEvent::MouseButtonPress, c.pressAt, c.button);
        send(QEvent::MouseButtonRelease, c.releaseAt, c.button);
        QCoreApplication::processEvents();
        EXPECT_TRUE(t->frmOtherExit);
    }
    send(QEvent::MouseButtonPress, onCancel, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, onCancel, Qt::LeftButton);
    EXPECT_TRUE(t->frmOtherExit);
    QCoreApplication::processEvents();
    EXPECT_FALSE(t->frmOtherExit);
    EXPECT_TRUE(t->table.MustLeaveTable);
}
