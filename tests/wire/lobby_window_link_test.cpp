#include "wire/LobbyWindowLink.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kOtherWindow = QStringLiteral("别的窗口");

// A client at the table: started, connected and its log-in sent.
class LobbyWindowLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.lobby->existingWindows << kOtherWindow;
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        ASSERT_EQ(t.Sent().size(), 1u);
        ASSERT_TRUE(t->connection.LoginPending);
        t.lobby->frames.clear();
    }

    // Seated at seat bit 4 with three other players, the log-in answered.
    void SeatAtTable(bool inGame) {
        t->connection.LoginPending = false;
        t->table.InGame = inGame;
        for (int s = 0; s < 4; ++s) {
            t->seatInfo[s].Account = QStringLiteral("player%1").arg(s);
            t->seatInfo[s].SeatBit = uint8_t(1 << ((s + 2) % 4));
        }
    }

    // The messages posted (not sent) to the lobby, in order.
    std::vector<uint32_t> PostedToLobby() const {
        std::vector<uint32_t> posted;
        for (const LobbyFrame& frame : t.lobby->frames) {
            EXPECT_EQ(frame.caption, kLobby);
            if (frame.sent) continue;
            EXPECT_EQ(frame.wParam, 0u);
            EXPECT_EQ(frame.lParam, 0u);
            posted.push_back(frame.msg);
        }
        return posted;
    }

    void ExpectStillSeated() {
        EXPECT_EQ(t.Sent().size(), 1u);
        EXPECT_EQ(t.socket->State(), TcpLink::StateConnected);
        EXPECT_FALSE(t->mainForm->IsMinimized());
        EXPECT_EQ(t->seatInfo[0].SeatBit, 4);
        EXPECT_EQ(t->seatInfo[1].Account, QStringLiteral("player1"));
    }

    void ExpectTableReset() {
        EXPECT_FALSE(t->table.InGame);
        EXPECT_FALSE(t->connection.LoginPending);
        EXPECT_EQ(t.socket->State(), TcpLink::StateClosed);
        for (int s = 0; s < 4; ++s) {
            EXPECT_TRUE(t->seatInfo[s].Account.isEmpty()) << s;
            EXPECT_EQ(t->seatInfo[s].SeatBit, 0) << s;
        }
        EXPECT_TRUE(t->mainForm->IsMinimized());
        EXPECT_FALSE(t->TimerBong.Enabled());
        EXPECT_FALSE(t->TimerKeepAlive.Enabled());
    }

    // The leave packet is written straight to the socket: the type, the own
    // seat bit and nothing else, not even the echo bytes.
    void ExpectLeavePacketFromSeatBit(uint8_t seatBit) {
        ASSERT_EQ(t.Sent().size(), 2u);
        const QByteArray& leave = t.Sent().back();
        ASSERT_EQ(leave.size(), 272);
        for (int i = 0; i < leave.size(); ++i) {
            const int expected = i == 3 ? 16 : i == 6 ? seatBit : 0;
            EXPECT_EQ(uint8_t(leave[i]), expected) << "byte " << i;
        }
    }

    TestClient t;
};
}  // namespace

TEST_F(LobbyWindowLinkTest, AQueryIsAnsweredWithTheHandStateAndChangesNothing) {
    for (bool inGame : {true, false}) {
        SCOPED_TRACE(inGame);
        SeatAtTable(inGame);
        t.lobby->frames.clear();
        t.lobby->Deliver(LobbyMessage::QueryState);
        EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{inGame ? 0x465u : 0x400u});
        EXPECT_EQ(t->table.InGame, inGame);
        EXPECT_TRUE(t.lobby->MessagesTo(kOtherWindow).empty());
        ExpectStillSeated();
    }
}

TEST_F(LobbyWindowLinkTest, ALeaveRequestWhileTheLogInIsPendingIsRefusedEvenDuringAHand) {
    SeatAtTable(true);
    t->connection.LoginPending = true;
    t.lobby->Deliver(LobbyMessage::LeaveRequest);
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x466});
    EXPECT_TRUE(t->table.InGame);
    EXPECT_TRUE(t->connection.LoginPending);
    ExpectStillSeated();
}

TEST_F(LobbyWindowLinkTest, ALeaveRequestDuringAHandIsRefused) {
    SeatAtTable(true);
    t.lobby->Deliver(LobbyMessage::LeaveRequest);
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x465});
    EXPECT_TRUE(t->table.InGame);
    ExpectStillSeated();
}

TEST_F(LobbyWindowLinkTest, ALeaveRequestWhenConnectedSendsTheLeavePacketBeforeTheReset) {
    SeatAtTable(false);
    t->transport.EchoBytes = {0x12, 0x34};
    t->scheduler.WatchJobOn = true;
    t.lobby->Deliver(LobbyMessage::LeaveRequest);
    ExpectLeavePacketFromSeatBit(4);
    ExpectTableReset();
    EXPECT_FALSE(t->scheduler.WatchJobOn);
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x400});
}

TEST_F(LobbyWindowLinkTest, ALeaveRequestWhenNotConnectedStillResetsAndAnswers) {
    SeatAtTable(false);
    t.socket->state = TcpLink::StateClosed;
    t.lobby->Deliver(LobbyMessage::LeaveRequest);
    EXPECT_EQ(t.Sent().size(), 1u);
    ExpectTableReset();
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x400});
}

TEST_F(LobbyWindowLinkTest, AForcedLeaveDuringAHandLeavesAtOnceWithoutAnswer) {
    SeatAtTable(true);
    t->connection.LoginPending = true;
    t.lobby->Deliver(LobbyMessage::ForceLeave);
    ExpectLeavePacketFromSeatBit(4);
    ExpectTableReset();
    EXPECT_TRUE(t.lobby->frames.empty());
}

TEST_F(LobbyWindowLinkTest, AForcedLeaveWhenNotConnectedSendsNothingAndResets) {
    SeatAtTable(true);
    t.socket->state = TcpLink::StateClosed;
    t.lobby->Deliver(LobbyMessage::ForceLeave);
    EXPECT_EQ(t.Sent().size(), 1u);
    ExpectTableReset();
    EXPECT_TRUE(t.lobby->frames.empty());
}

TEST_F(LobbyWindowLinkTest, AQueryOrLeaveRequestWithoutTheLobbyWindowHasNoEffect) {
    SeatAtTable(false);
    t.lobby->existingWindows = {kOtherWindow};
    for (uint32_t msg : {LobbyMessage::QueryState, LobbyMessage::LeaveRequest}) {
        t.lobby->Deliver(msg);
        EXPECT_TRUE(t.lobby->frames.empty()) << msg;
        EXPECT_FALSE(t->connection.LoginPending) << msg;
        ExpectStillSeated();
    }
}

TEST_F(LobbyWindowLinkTest, ARequestIsHandledWhateverItsParameters) {
    SeatAtTable(false);
    t.lobby->Deliver(LobbyMessage::QueryState, WindowMessage::SC_MINIMIZE, 0xFFFFFFFF);
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x400});
    t.lobby->frames.clear();
    t.lobby->Deliver(LobbyMessage::LeaveRequest, 1, 2);
    ExpectTableReset();
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x400});
}

TEST_F(LobbyWindowLinkTest, AReloginConnectsDirectlyAgainAndRearmsTheLogIn) {
    SeatAtTable(false);
    t.lobby->Deliver(LobbyMessage::ForceLeave);
    t->connection.LoginPacket[3] = 28;  // as a reconnect request leaves it
    t->transport.LinkReady = false;
    t->mainForm->Time_Img->setVisible(true);
    t->mainForm->Number->setVisible(true);
    ASSERT_TRUE(t->window.AnNiuUsed[2]);
    const int connectsBefore = t.socket->connectCalls;
    t.socket->RemotePort = 1;

    t.lobby->Deliver(LobbyMessage::Relogin, 5, 6);
    EXPECT_EQ(t.socket->connectCalls, connectsBefore + 1);
    EXPECT_EQ(t.socket->RemoteHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(t.socket->RemotePort, 4000);
    EXPECT_EQ(t->connection.LoginPacket[3], 18);
    EXPECT_TRUE(t->transport.LinkReady);
    EXPECT_TRUE(t->connection.LoginPending);
    EXPECT_TRUE(t->TimerBong.Enabled());
    EXPECT_TRUE(t->scheduler.LoginJobOn);
    EXPECT_EQ(t->scheduler.LoginJobTicks, 0);
    EXPECT_FALSE(t->window.AnNiuUsed[2]);
    EXPECT_FALSE(t->mainForm->Time_Img->isVisible());
    EXPECT_FALSE(t->mainForm->Number->isVisible());
    EXPECT_TRUE(t.lobby->frames.empty());

    t.Tick(4);
    ASSERT_EQ(t.Sent().size(), 3u);
    EXPECT_EQ(uint8_t(t.Sent().back()[3]), 18);
}

TEST(LobbyWindowLinkRelogin, WithAProxyTypeThatOpensNoConnectionOnlyTheFlagsAndButtonsChange) {
    TestClient t(QStringLiteral("abc$pw$127.0.0.1$4000$北京$7$$0$$$$$$"));
    ASSERT_EQ(t.Load(), std::nullopt);
    t->transport.LinkReady = false;
    t->window.AnNiuUsed[2] = true;
    t->mainForm->Time_Img->setVisible(true);
    t->mainForm->Number->setVisible(true);
    t.lobby->frames.clear();

    t.lobby->Deliver(LobbyMessage::Relogin);
    EXPECT_EQ(t.socket->connectCalls, 0);
    EXPECT_TRUE(t->transport.LinkReady);
    EXPECT_TRUE(t->connection.LoginPending);
    EXPECT_FALSE(t->scheduler.LoginJobOn);
    EXPECT_FALSE(t->TimerBong.Enabled());
    EXPECT_FALSE(t->window.AnNiuUsed[2]);
    EXPECT_FALSE(t->mainForm->Time_Img->isVisible());
    EXPECT_FALSE(t->mainForm->Number->isVisible());
    EXPECT_TRUE(t.lobby->frames.empty());
}

// Whatever the connection mode, a log-in asked for by the lobby is a log-in,
// not the reconnect request an earlier drop made of the packet.
TEST(LobbyWindowLinkRelogin, AfterAReconnectRequestTheNextLogInIsALogInInEveryMode) {
    for (const char* proxyType : {"0", "5", "7"}) {
        TestClient t(QStringLiteral("abc$pw$127.0.0.1$4000$北京$%1$127.0.0.1$1080$$$$$$").arg(QLatin1String(proxyType)));
        ASSERT_EQ(t.Load(), std::nullopt);
        t->connection.LoginPacket[3] = MessageType::Reconnect;
        t.lobby->Deliver(LobbyMessage::Relogin);
        EXPECT_EQ(t->connection.LoginPacket[3], MessageType::Login) << proxyType;
    }
}

TEST_F(LobbyWindowLinkTest, ShowingOrHidingAMissingLobbyEndsTheClientWhilePostingIsDropped) {
    t.lobby->existingWindows = {kOtherWindow};
    EXPECT_THROW(RestoreLobbyWindow(*t), ProgramEnded);
    EXPECT_THROW(MinimizeLobbyWindow(*t), ProgramEnded);
    EXPECT_NO_THROW(PostToLobby(*t, LobbyMessage::Connected));
    EXPECT_TRUE(t.lobby->frames.empty());
}

TEST_F(LobbyWindowLinkTest, ShowingOrHidingTheLobbyReachesOnlyTheLobbyWindow) {
    RestoreLobbyWindow(*t);
    MinimizeLobbyWindow(*t);
    PostToLobby(*t, LobbyMessage::WallBuilt);
    ASSERT_EQ(t.lobby->frames.size(), 3u);
    EXPECT_EQ(t.lobby->frames[0].wParam, WindowMessage::SC_RESTORE);
    EXPECT_EQ(t.lobby->frames[1].wParam, WindowMessage::SC_MINIMIZE);
    for (int i : {0, 1}) {
        EXPECT_TRUE(t.lobby->frames[i].sent);
        EXPECT_EQ(t.lobby->frames[i].msg, WindowMessage::WM_SYSCOMMAND);
    }
    EXPECT_EQ(PostedToLobby(), std::vector<uint32_t>{0x455});
    EXPECT_TRUE(t.lobby->MessagesTo(kOtherWindow).empty());
}

TEST_F(LobbyWindowLinkTest, SystemCommandsMinimiseAndRestoreTheTableWindow) {
    t.lobby->Deliver(WindowMessage::WM_SYSCOMMAND, WindowMessage::SC_MINIMIZE);
    EXPECT_TRUE(t->mainForm->IsMinimized());
    t.lobby->Deliver(WindowMessage::WM_SYSCOMMAND, WindowMessage::SC_RESTORE);
    EXPECT_FALSE(t->mainForm->IsMinimized());
    // Restoring the table window minimises the lobby window.
    EXPECT_EQ(t.lobby->MessagesTo(kLobby), std::vector<uint32_t>{WindowMessage::WM_SYSCOMMAND});
    EXPECT_EQ(t.lobby->frames.back().wParam, WindowMessage::SC_MINIMIZE);
}
