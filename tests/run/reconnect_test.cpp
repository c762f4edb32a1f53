#include "run/Reconnect.h"
#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "wire/PacketTransport.h"
#include "platform/LobbyLink.h"
#include "support/TestClient.h"
#include "support/VirtualTimers.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <functional>
#include <optional>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kFailureText = QStringLiteral("重连失败，请检查您的网络！");

bool LobbyRestored(const TestClient& t) {
    for (const LobbyFrame& frame : t.lobby->frames)
        if (frame.caption == kLobby && frame.msg == WindowMessage::WM_SYSCOMMAND &&
            frame.wParam == WindowMessage::SC_RESTORE)
            return true;
    return false;
}

// A logged-in, seated client in the middle of a game, with echo bytes from
// the server and seat records that a reconnect must leave alone.
class Reconnect : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(t.Load());
        t.Tick(4);
        ASSERT_EQ(t.Sent().size(), 1u) << "the log-in";
        t->connection.LoggedIn = true;
        t->table.InGame = true;
        t->seatInfo[0].SeatBit = 2;
        t->playerInfo[1].NickName = QStringLiteral("南风");
        t->table.SeatNames[1] = QStringLiteral("south");
        t->transport.EchoBytes = {0x5A, 0xC3};
        t.socket->sent.clear();
        t.lobby->frames.clear();
    }

    // The server goes away; attempts fail until the test says otherwise.
    void Drop() {
        t.socket->stateAfterConnect = TcpLink::StateClosed;
        emit t.socket->PeerClosed();
        t.Tick();
        ASSERT_NE(t->frmReconnect, nullptr);
        connectsAtDrop = t.socket->connectCalls;
    }

    int Attempts() const { return t.socket->connectCalls - connectsAtDrop; }

    TestClient t;
    VirtualTimers timers{t};
    int connectsAtDrop = 0;
};

TEST_F(Reconnect, ADropDuringAGameIsRetriedAndTheServerTakesTheClientBackAtItsTable) {
    Drop();
    EXPECT_TRUE(t->frmReconnect->TimerReconnect.Enabled());
    EXPECT_FALSE(t->frmReconnect->TimerCount.Enabled());

    timers.RunSeconds(3.9);
    EXPECT_EQ(Attempts(), 0) << "one second's countdown, then three to the first check";
    timers.RunSeconds(0.2);
    EXPECT_EQ(Attempts(), 1);
    EXPECT_EQ(t->frmReconnect->ReconnectAttempts, 1);

    EXPECT_TRUE(t->frmReconnect->TimerCount.Enabled());

    // The failed attempt's log-in gives up; the echo bytes change before the
    // next attempt, and the request carries the current ones.
    t->transport.EchoBytes = {0x11, 0x22};
    t.socket->stateAfterConnect = TcpLink::StateConnected;
    for (int step = 0; step < 2000 && t.Sent().empty(); ++step) timers.RunSeconds(0.05);
    EXPECT_EQ(Attempts(), 2);
    ASSERT_EQ(t.Sent().size(), 1u) << "the log-in job sends the request once connected";
    const QByteArray request = t.Sent()[0];
    EXPECT_EQ(request.size(), 272);
    EXPECT_EQ(uint8_t(request[2]), 0);
    EXPECT_EQ(uint8_t(request[3]), 28);
    EXPECT_EQ(uint8_t(request[260]), 0x11);
    EXPECT_EQ(uint8_t(request[261]), 0x22);

    GameMessage reply;
    reply.MsgType = MessageType::ReconnectReply;
    reply.Param[3] = 1;
    t.Deliver(ToByteArray(EncodeGamePacket(reply)));
    timers.RunSeconds(3);
    EXPECT_EQ(t->frmReconnect, nullptr) << "the check finds the socket connected";
    EXPECT_EQ(Attempts(), 2);
    EXPECT_EQ(t->mainForm->Sysmsg[0]->item(0)->text(), QStringLiteral("正在重连服务器，请等待...！"));
    EXPECT_TRUE(t->connection.LoggedIn);
    EXPECT_TRUE(t->connection.Reconnected);
    EXPECT_TRUE(t->table.InGame);
    EXPECT_EQ(t->seatInfo[0].SeatBit, 2);
    EXPECT_EQ(t->playerInfo[1].NickName, QStringLiteral("南风"));
    EXPECT_EQ(t->table.SeatNames[1], QStringLiteral("south"));
    EXPECT_FALSE(LobbyRestored(t));
    EXPECT_FALSE(t->mainForm->IsMinimized());
}

TEST_F(Reconnect, APromptOpenAtTheDropIsClosedAndNoAnswerQueuedForTheLostLinkIsSentLater) {
    t->scheduler.TurnCountdownOn = true;
    t->mainForm->Operation[4]->setVisible(true);
    GameMessage pass;
    pass.MsgType = MessageType::ClaimAnswer;
    pass.Param[0] = 1;
    SendPacket(*t, pass);
    Drop();
    EXPECT_FALSE(t->scheduler.TurnCountdownOn);
    EXPECT_FALSE(t->mainForm->Operation[4]->isVisible());

    t.socket->stateAfterConnect = TcpLink::StateConnected;
    timers.RunSeconds(10);
    ASSERT_FALSE(t.Sent().empty());
    for (const QByteArray& packet : t.Sent()) EXPECT_NE(uint8_t(packet[3]), MessageType::ClaimAnswer);
}

// The server takes a client back with the hand's set-up, which re-arms the
// table, and the hand rebuilt seat by seat. The rebuilt hand is in progress:
// the lobby is told so, and a second drop is retried like the first.
TEST_F(Reconnect, AHandRebuiltAfterAReconnectIsInProgressForTheLobbyAndForASecondDrop) {
    Drop();
    t.socket->stateAfterConnect = TcpLink::StateConnected;
    for (int step = 0; step < 2000 && t.Sent().empty(); ++step) timers.RunSeconds(0.05);
    ASSERT_EQ(t.Sent().size(), 1u) << "the reconnect request";
    const auto deliver = [&](int type, uint8_t seatBit, std::array<int16_t, 4> params) {
        GameMessage message;
        message.MsgType = static_cast<int16_t>(type);
        message.SeatBit = seatBit;
        message.Param = params;
        t.Deliver(ToByteArray(EncodeGamePacket(message)));
    };
    deliver(MessageType::ReconnectReply, 0, {0, 0, 0, 1});
    deliver(MessageType::HandSetup, 1, {7, 5, 0x27, 0x26});
    for (uint8_t seatBit : {1, 2, 4, 8}) deliver(MessageType::TableRebuild, seatBit, {0, 30, 0, 135});
    timers.RunSeconds(3);
    ASSERT_TRUE(t->table.TableRebuilt);
    ASSERT_EQ(t->frmReconnect, nullptr);

    t.lobby->frames.clear();
    t.lobby->Deliver(LobbyMessage::QueryState);
    EXPECT_EQ(t.lobby->MessagesTo(kLobby), std::vector<uint32_t>{LobbyMessage::InHand});

    Drop();
    ASSERT_NE(t->frmReconnect, nullptr);
    EXPECT_TRUE(t->frmReconnect->TimerReconnect.Enabled());
    EXPECT_FALSE(t->mainForm->IsMinimized());
}

TEST_F(Reconnect, AConnectionBackBeforeTheFirstCheckEndsTheRetryWithoutAnAttempt) {
    Drop();
    timers.RunSeconds(2);
    t.socket->state = TcpLink::StateConnected;
    timers.RunSeconds(3);
    EXPECT_EQ(t->frmReconnect, nullptr);
    EXPECT_EQ(Attempts(), 0);
}

TEST_F(Reconnect, AProxyConnectionStillInItsHandshakeIsNotTheGameBack) {
    Drop();
    timers.RunSeconds(2);
    t.socket->state = TcpLink::StateConnected;
    t->transport.LinkReady = false;
    timers.RunSeconds(2.1);
    ASSERT_NE(t->frmReconnect, nullptr);
    EXPECT_EQ(Attempts(), 1);
}

// Failed attempts also make the log-in job give up and the watch job see a
// new drop; that must not start the count again, or the retries never end.
TEST_F(Reconnect, SixteenFailedAttemptsEndWithOneMessageAndTheLobbyBack) {
    struct WatchingDialogs : Dialogs {
        std::function<void()> whileOpen;
        std::vector<QString> texts;
        bool timerRunningAtOpen = false;
        Client* client = nullptr;
        Answer MsgBox(const QString& text, Buttons, const QString&) override {
            texts.push_back(text);
            const ReconnectController& r = *client->frmReconnect;
            timerRunningAtOpen = timerRunningAtOpen || r.TimerReconnect.Enabled() || r.TimerCount.Enabled();
            if (texts.size() == 1) whileOpen();
            return Ok;
        }
    };
    auto dialogs = std::make_unique<WatchingDialogs>();
    WatchingDialogs& box = *dialogs;
    box.client = t.client.get();
    box.whileOpen = [&] { timers.FireTimersFor(10); };
    t->platform.dialogs = std::move(dialogs);

    Drop();
    std::optional<QString> ended;
    try {
        timers.RunSeconds(600);
    } catch (const ProgramEnded& end) {
        ended = end.reason;
    }
    ASSERT_TRUE(ended) << "attempts made: " << Attempts();
    EXPECT_EQ(Attempts(), 16);
    EXPECT_EQ(box.texts, std::vector<QString>{kFailureText});
    EXPECT_FALSE(box.timerRunningAtOpen);
    EXPECT_TRUE(LobbyRestored(t));
}

TEST_F(Reconnect, AGameOverAtACheckEndsTheRetryAndALaterDropStartsAfresh) {
    Drop();
    timers.RunSeconds(4.1);
    ASSERT_EQ(Attempts(), 1);
    t->table.InGame = false;  // the table was left meanwhile
    timers.RunSeconds(3);
    EXPECT_EQ(t->frmReconnect, nullptr);
    EXPECT_EQ(Attempts(), 1);

    // The lobby seats the user again and a new game drops.
    t.socket->stateAfterConnect = TcpLink::StateConnected;
    t.lobby->Deliver(LobbyMessage::Relogin);
    t.Tick(4);
    t->table.InGame = true;
    Drop();
    EXPECT_EQ(t->frmReconnect->ReconnectAttempts, 0);
    EXPECT_TRUE(t->frmReconnect->TimerReconnect.Enabled());
    timers.RunSeconds(4.1);
    EXPECT_EQ(Attempts(), 1);
}

// The server's closing of a table keeps the table window up when the link
// then drops; a log-in asked for by the lobby opens a new table, whose drop
// must go back to the lobby.
TEST(DropAfterRelogin, ADropOutsideAGameAfterTheLobbysReloginReturnsToTheLobby) {
    TestClient t;
    ASSERT_FALSE(t.Load());
    t.Tick(4);
    t->table.KeepWindowOnDrop = true;
    t.lobby->Deliver(LobbyMessage::Relogin);
    t.Tick(4);
    t.lobby->frames.clear();

    emit t.socket->PeerClosed();
    t.Tick();
    EXPECT_EQ(t->frmReconnect, nullptr);
    EXPECT_TRUE(LobbyRestored(t));
    EXPECT_TRUE(t->mainForm->IsMinimized());
}
}  // namespace
