// Every wait runs the event loop, so lobby messages, clicks and timer ticks
// are handled inside the handler that waits. These tests let them happen
// there (the virtual clock's "meanwhile") and check what the handler does after.
#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "run/Scheduler.h"
#include "run/TableClosedNotice.h"
#include "platform/AnsiCodec.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
constexpr uint8_t kOwn = 1, kRight = 2, kOpposite = 4, kLeft = 8;
const QString kLobby = QStringLiteral("Jokro山庄");

int TypeOf(const QByteArray& packet) { return uint8_t(packet[2]) << 8 | uint8_t(packet[3]); }

QByteArray Packets(const std::vector<GameMessage>& messages) {
    QByteArray bytes;
    for (const GameMessage& m : messages) bytes += ToByteArray(EncodeGamePacket(m));
    return bytes;
}

// The hand's set-up and start, and the first deal pass behind them.
QByteArray HandStartWithDealQueued() {
    return Packets({HandMessage(MessageType::HandSetup, kOwn, 7, 5, 0x17, 0x16),
                    HandMessage(MessageType::HandStart, kOwn, 3, 4, 2, 5),
                    HandMessage(MessageType::DealTiles, kOwn, 0x81, 0x82, 0x83, 0x84),
                    HandMessage(MessageType::DealTiles, kRight), HandMessage(MessageType::DealTiles, kOpposite),
                    HandMessage(MessageType::DealTiles, kLeft)});
}

bool LobbyRestored(const TestClient& t) {
    return std::any_of(t.lobby->frames.begin(), t.lobby->frames.end(), [](const LobbyFrame& f) {
        return f.caption == kLobby && f.msg == WindowMessage::WM_SYSCOMMAND && f.wParam == WindowMessage::SC_RESTORE;
    });
}

// What the live timer does when it is due: the scheduler's tick, whenever it is switched on.
void TickWhenSwitchedOn(TestClient& t) {
    if (t->TimerBong.Enabled()) MainForm_TimerBong_Timer(*t);
}
}  // namespace

TEST(Reentry, ALoginRequestDuringTheWallBuildRunsNoTickInsideTheTickAndTheHandGoesOn) {
    TestClient t;
    SeatAtScriptedTable(t, 8);
    t.socket->sent.clear();
    bool asked = false;
    t.clock->onPump = [&] {
        // The lobby's request switches the timer on inside the wall build.
        if (!std::exchange(asked, true)) t.lobby->Deliver(LobbyMessage::Relogin);
        TickWhenSwitchedOn(t);
    };
    t.Deliver(HandStartWithDealQueued());

    ASSERT_NO_THROW(t.Tick(20));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(t->table.InGame);
    EXPECT_EQ(t->table.HandNumber, 1);
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 4) << "the deal queued behind the hand start is applied after it";
    EXPECT_EQ(t->seatInfo[0].DealerFlag, -1);
    const auto logins = std::count_if(t.Sent().begin(), t.Sent().end(),
                                      [](const QByteArray& p) { return TypeOf(p) == MessageType::Login; });
    EXPECT_EQ(logins, 1);
}

TEST(Reentry, AForcedLeaveWhileTheHandStartsLeavesTheTableAndTheClientRuns) {
    struct Case {
        const char* during;
        std::function<bool(TestClient&)> now;
    } cases[] = {
        {"the wall build", [](TestClient& t) { return t->table.InGame && !t->mainForm->Sai_Image[0]->isVisible(); }},
        {"the dice throw", [](TestClient& t) { return t->mainForm->Sai_Image[0]->isVisible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.during);
        TestClient t;
        SeatAtScriptedTable(t, 8);
        t.lobby->frames.clear();
        bool left = false;
        t.clock->onPump = [&] {
            if (!left && c.now(t)) {
                left = true;
                t.lobby->Deliver(LobbyMessage::ForceLeave);
            }
            TickWhenSwitchedOn(t);
        };
        t.Deliver(HandStartWithDealQueued());

        ASSERT_NO_THROW(t.Tick(20));
        EXPECT_TRUE(left);
        EXPECT_FALSE(t->table.InGame);
        EXPECT_EQ(t->seatInfo[0].ConcealedCount, 0);
        EXPECT_EQ(t.socket->state, TcpLink::StateClosed);
        EXPECT_FALSE(LobbyRestored(t)) << "a forced leave does not bring the lobby back";
        EXPECT_TRUE(t.dialogs->shown.empty());
    }
}

TEST(Reentry, AForcedLeaveWhileTheLoginWaitsForTheConnectionEndsThatAttempt) {
    TestClient t;
    t.socket->stateAfterConnect = TcpLink::StateConnecting;
    ASSERT_FALSE(t.Load());
    t.Tick(3);
    t.lobby->frames.clear();
    t.clock->onPump = [&] {
        if (t->scheduler.LoginJobOn) t.lobby->Deliver(LobbyMessage::ForceLeave);
    };
    const double before = t.clock->now;

    ASSERT_NO_THROW(t.Tick(10));
    EXPECT_LT(t.clock->now - before, 1.0) << "no waiting for a connection nobody wants";
    EXPECT_TRUE(t.Sent().empty());
    EXPECT_FALSE(t->scheduler.WatchJobOn);
    EXPECT_FALSE(LobbyRestored(t));
}

TEST(Reentry, ConfirmingTheClosedTableNoticeWhileTheClientLeavesReturnsToTheLobbyOnce) {
    TestClient t;
    SeatAtScriptedTable(t, 8);
    t.lobby->frames.clear();
    t.clock->onPump = [&] {
        // The OK click's procedure runs in whichever event loop comes next: here, the leave's wait.
        if (t->frmOtherExit) frmOtherExit_imgOK_Click(*t);
        TickWhenSwitchedOn(t);
    };
    GameMessage notice;
    notice.MsgType = MessageType::ServerNotice;
    t.Deliver(ToByteArray(EncodeGamePacket(notice, AnsiCodec::ToAnsi(QStringLiteral("桌子关闭")))));

    ASSERT_NO_THROW(t.Tick(10));
    EXPECT_EQ(t->frmOtherExit, nullptr);
    EXPECT_EQ(std::count_if(t.lobby->frames.begin(), t.lobby->frames.end(),
                            [](const LobbyFrame& f) { return f.wParam == WindowMessage::SC_RESTORE; }),
              1);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    EXPECT_EQ(TypeOf(t.Sent().back()), MessageType::ReadyOrLeave);
}
