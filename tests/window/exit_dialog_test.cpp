#include "wire/GamePacket.h"
#include "support/TestClient.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "window/ExitDialog.h"
#include <QCoreApplication>
#include <QGraphicsView>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
constexpr uint32_t kSysCommand = 0x112, kRestore = 0xF120;

// A client seated at seat bit 4 during a hand, connected to the server.
class ExitDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        ASSERT_EQ(t.socket->state, TcpLink::StateConnected);
        t->seatInfo[0].SeatBit = 4;
        t->seatInfo[1].Account = QStringLiteral("left");
        t->table.InGame = true;
        t->table.TableCleared = true;
        t->scheduler.WatchJobOn = true;
        t->scheduler.WatchJobTicks = 5;
        t.socket->sent.clear();
        t.lobby->frames.clear();
    }

    QByteArray LeavePacket() {
        GameMessage leave;
        leave.MsgType = MessageType::ReadyOrLeave;
        leave.SeatBit = 4;
        return ToByteArray(EncodeGamePacket(leave));
    }
    int LeavePacketsSent() { return int(std::count(t.Sent().begin(), t.Sent().end(), LeavePacket())); }
    int LobbyRestores() {
        return int(std::count_if(t.lobby->frames.begin(), t.lobby->frames.end(), [](const LobbyFrame& f) {
            return f.caption == kLobby && f.msg == kSysCommand && f.wParam == kRestore;
        }));
    }

    // A left click through the dialog's own view, press and release at `at`.
    void ClickAt(ExitDialog& dialog, QPointF at) {
        auto* view = dialog.findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(view->viewport(), &event);
        }
    }
    static constexpr QPointF kOnConfirm{80, 120};
    static constexpr QPointF kOnCancel{200, 125};

    TestClient t;
};

QImage Picture(const ImageControl* control) { return control->Picture().toImage(); }

TEST_F(ExitDialogTest, TheLoadGivesTheButtonsTheirPicturesAndSizes) {
    ExitDialog& d = t->FrmExit();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("退出"));
    EXPECT_EQ(d.size(), QSize(320, 180));
    EXPECT_NEAR(d.windowOpacity(), 200.0 / 255.0, 0.01);
    EXPECT_FALSE(d.isVisible()) << "a touch loads it without showing it";
    EXPECT_EQ(d.Label1->Caption(), QStringLiteral("您真的要退出吗？"));
    EXPECT_EQ(d.Label2->Caption(), QStringLiteral("游戏正在进行，逃跑会扣分！"));
    EXPECT_EQ(d.Label1->ForeColor(), QColor(255, 255, 192));
    EXPECT_TRUE(d.Label1->Font().bold());
    struct Place {
        const ImageControl* button;
        double left, top;
        int picture;
    };
    for (const Place& p : {Place{d.pbCloseMe, 60, 110, 0}, Place{d.pbCancel, 184, 112, 2}}) {
        SCOPED_TRACE(p.left);
        EXPECT_DOUBLE_EQ(p.button->Left(), p.left);
        EXPECT_DOUBLE_EQ(p.button->Top(), p.top);
        EXPECT_EQ(QSizeF(p.button->Width(), p.button->Height()), QSizeF(70, 29)) << "the picture's size";
        EXPECT_EQ(Picture(p.button), PictureOfResource(t->resourceIds.DialogButtonIds[p.picture]).toImage());
        EXPECT_EQ(p.button->MousePointer(), 99);
    }
}

TEST_F(ExitDialogTest, TheWarningShowsOnlyDuringAGameAtASeat) {
    struct Case {
        bool inGame, spectator, warning;
    };
    for (const Case& k : {Case{true, false, true}, Case{true, true, false}, Case{false, false, false},
                          Case{false, true, false}}) {
        SCOPED_TRACE(testing::Message() << k.inGame << k.spectator);
        t->table.InGame = k.inGame;
        t->table.SpectatorMode = k.spectator;
        EXPECT_EQ(t->FrmExit().Label2->isVisible(), k.warning) << "at the load";
        frmExit_pbCancel_Click(*t);

        // Loaded with the opposite state, then opened: the opening decides.
        t->table.InGame = !k.inGame;
        t->FrmExit();
        t->table.InGame = k.inGame;
        ToggleExitDialog(*t);
        ASSERT_TRUE(t->FrmExit().isVisible());
        EXPECT_EQ(t->FrmExit().Label2->isVisible(), k.warning) << "at the opening";
        // It does not follow later changes while shown.
        t->table.InGame = !k.inGame;
        EXPECT_EQ(t->FrmExit().Label2->isVisible(), k.warning);
        frmExit_pbCancel_Click(*t);
    }
}

TEST_F(ExitDialogTest, TheOpenersHideTheShownDialogWithoutUnloadingIt) {
    ToggleExitDialog(*t);
    ExitDialog* first = t->frmExit.get();
    ASSERT_TRUE(first->isVisible());
    ToggleExitDialog(*t);
    EXPECT_EQ(t->frmExit.get(), first);
    EXPECT_FALSE(first->isVisible());
    t->table.InGame = false;
    ToggleExitDialog(*t);
    EXPECT_EQ(t->frmExit.get(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->Label2->isVisible()) << "the next opening refreshes the warning";
}

TEST_F(ExitDialogTest, CancelUnloadsTheDialogAndChangesNothingElse) {
    ToggleExitDialog(*t);
    frmExit_pbCancel_Click(*t);
    EXPECT_FALSE(t->frmExit);
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_TRUE(t.lobby->frames.empty());
    EXPECT_TRUE(t->table.InGame);
    EXPECT_TRUE(t->scheduler.WatchJobOn);
    EXPECT_FALSE(t->mainForm->IsMinimized());
    EXPECT_EQ(t.socket->state, TcpLink::StateConnected);
}

TEST_F(ExitDialogTest, ConfirmSendsTheLeaveMessageOnlyWhenConnectedAndResetsTheTableEitherWay) {
    struct Case {
        const char* name;
        int socketState;
        bool reconnected;
        int leavePackets;
        double minWait, maxWait;
    };
    const Case cases[] = {
        {"connected", TcpLink::StateConnected, false, 1, 0.4, 0.5},
        {"connected after a reconnect", TcpLink::StateConnected, true, 1, 0.8, 0.9},
        {"dropped", TcpLink::StateClosed, false, 0, 0, 0.01},
        {"in error", TcpLink::StateError, true, 0, 0, 0.01},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TestClient fresh;
        ASSERT_EQ(fresh.Load(), std::nullopt);
        fresh.Tick(4);
        fresh->seatInfo[0].SeatBit = 4;
        fresh->table.InGame = true;
        fresh->table.TableCleared = true;
        fresh->scheduler.WatchJobOn = true;
        fresh->connection.Reconnected = k.reconnected;
        fresh.socket->state = k.socketState;
        fresh.socket->sent.clear();
        // What the connection watch looked like when the leave message went out.
        std::optional<bool> watchOnAtFirstWait;
        fresh.clock->onPump = [&] {
            if (!watchOnAtFirstWait) watchOnAtFirstWait = fresh->scheduler.WatchJobOn;
        };
        ToggleExitDialog(*fresh);
        const double start = fresh.clock->now;
        frmExit_pbCloseMe_Click(*fresh);
        const double waited = fresh.clock->now - start;

        GameMessage leave;
        leave.MsgType = MessageType::ReadyOrLeave;
        leave.SeatBit = 4;
        EXPECT_EQ(int(std::count(fresh.Sent().begin(), fresh.Sent().end(), ToByteArray(EncodeGamePacket(leave)))),
                  k.leavePackets);
        EXPECT_EQ(fresh.Sent().size(), size_t(k.leavePackets)) << "nothing else is sent";
        EXPECT_GE(waited, k.minWait);
        EXPECT_LT(waited, k.maxWait);
        if (k.leavePackets) {
            EXPECT_EQ(watchOnAtFirstWait, false);
        }
        EXPECT_FALSE(fresh->scheduler.WatchJobOn);
        EXPECT_FALSE(fresh->table.InGame);
        EXPECT_FALSE(fresh->table.TableCleared);
        EXPECT_EQ(fresh.socket->state, TcpLink::StateClosed);
        EXPECT_TRUE(fresh->mainForm->IsMinimized());
        EXPECT_FALSE(fresh->frmExit);
        EXPECT_FALSE(fresh->window.ExitLeaveRunning);
    }
}

TEST_F(ExitDialogTest, ConfirmHandsTheScreenBackToTheLobby) {
    ToggleExitDialog(*t);
    frmExit_pbCloseMe_Click(*t);
    EXPECT_EQ(LeavePacketsSent(), 1);
    EXPECT_EQ(LobbyRestores(), 1);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_TRUE(t->seatInfo[1].Account.isEmpty());
    EXPECT_FALSE(t->frmExit);
    // The next touch loads a fresh dialog.
    t->table.InGame = false;
    EXPECT_FALSE(t->FrmExit().Label2->isVisible());
}

TEST_F(ExitDialogTest, ConfirmWithoutALobbyEndsTheClientAfterTheReset) {
    t.lobby->existingWindows.clear();
    ToggleExitDialog(*t);
    EXPECT_THROW(frmExit_pbCloseMe_Click(*t), ProgramEnded);
    EXPECT_EQ(LeavePacketsSent(), 1);
    EXPECT_FALSE(t->table.InGame);
    EXPECT_FALSE(t->frmExit);
    EXPECT_EQ(LobbyRestores(), 0);
}

TEST_F(ExitDialogTest, ConfirmationsDuringTheWaitsDoNothing) {
    struct Case {
        const char* name;
        std::function<void()> meanwhile;
    };
    const Case cases[] = {
        {"the procedure again", [&] { frmExit_pbCloseMe_Click(*t); }},
        {"a click on the same dialog",
         [&] {
             if (t->frmExit) ClickAt(*t->frmExit, kOnConfirm);
         }},
        {"Esc twice and a click on the dialog shown again",
         [&] {
             ToggleExitDialog(*t);
             if (!t->FrmExit().isVisible()) ToggleExitDialog(*t);
             ClickAt(t->FrmExit(), kOnConfirm);
         }},
        {"cancel, then open and confirm",
         [&] {
             if (t->frmExit) ClickAt(*t->frmExit, kOnCancel);
             QCoreApplication::processEvents();
             ToggleExitDialog(*t);
             ClickAt(t->FrmExit(), kOnConfirm);
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        t.socket->state = TcpLink::StateConnected;
        t.socket->sent.clear();
        t.lobby->frames.clear();
        t->seatInfo[0].SeatBit = 4;
        t->table.InGame = true;
        int pumps = 0;
        t.clock->onPump = [&] {
            if (++pumps == 3) k.meanwhile();
        };
        ToggleExitDialog(*t);
        ClickAt(t->FrmExit(), kOnConfirm);
        EXPECT_EQ(LeavePacketsSent(), 0) << "the confirmation runs once its click is over";
        QCoreApplication::processEvents();
        t.clock->onPump = nullptr;
        EXPECT_GE(pumps, 3);
        EXPECT_EQ(LeavePacketsSent(), 1);
        EXPECT_EQ(LobbyRestores(), 1);
        EXPECT_FALSE(t->window.ExitLeaveRunning);
        // A dialog opened during the waits is unloaded with the leave.
        EXPECT_FALSE(t->frmExit);
        QCoreApplication::processEvents();
        EXPECT_EQ(LeavePacketsSent(), 1) << "no confirmation was left queued";
    }
}

TEST_F(ExitDialogTest, AClickOnCancelUnloadsTheDialogOnceTheClickIsOver) {
    ToggleExitDialog(*t);
    ClickAt(t->FrmExit(), kOnCancel);
    EXPECT_TRUE(t->frmExit);
    QCoreApplication::processEvents();
    EXPECT_FALSE(t->frmExit);
    EXPECT_TRUE(t.Sent().empty());
}

TEST_F(ExitDialogTest, AClickQueuedForAnUnloadedDialogIsDropped) {
    ToggleExitDialog(*t);
    ClickAt(t->FrmExit(), kOnConfirm);
    frmExit_pbCancel_Click(*t);
    ToggleExitDialog(*t);  // a new dialog in its place
    QCoreApplication::processEvents();
    EXPECT_TRUE(t->frmExit);
    EXPECT_EQ(LeavePacketsSent(), 0);
}
}  // namespace
