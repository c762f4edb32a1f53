#include "messages/LoginReplies.h"
#include "wire/GamePacket.h"
#include "platform/LobbyLink.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/BannerView.h"
#include "window/TalkWindow.h"
#include "table/Ticker.h"
#include <gtest/gtest.h>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kWelcome = QStringLiteral("欢迎进入Dravik麻将 ") + kGameCentreHost;

GamePacket LoginReply(int16_t verdict, int16_t turnParam = 0x25, int16_t timeoutParam = 3, const QByteArray& banner = {}) {
    GameMessage message;
    message.MsgType = MessageType::LoginReply;
    message.Param = {timeoutParam, turnParam, 0, verdict};
    return EncodeGamePacket(message, banner);
}

GamePacket ReconnectReply(int16_t verdict) {
    GameMessage message;
    message.MsgType = MessageType::ReconnectReply;
    message.Param[3] = verdict;
    return EncodeGamePacket(message);
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

// Starts the client and lets it connect and send its log-in; the lobby's frames so far are forgotten.
void StartAndSendLogIn(TestClient& t) {
    ASSERT_EQ(t.Load(), std::nullopt);
    t.Tick(4);
    ASSERT_EQ(t.Sent().size(), 1u);
    ASSERT_TRUE(t->connection.LoginPending);
    t.lobby->frames.clear();
}

// Delivers one packet and runs the ticks that dispatch it.
void Receive(TestClient& t, const GamePacket& packet) {
    t.Deliver(ToByteArray(packet));
    t.Tick(2);
}

class LoginRepliesTest : public ::testing::Test {
protected:
    void SetUp() override { StartAndSendLogIn(t); }

    QStringList Ticker(int line) { return Lines(*t->mainForm->Sysmsg[line]); }

    // The frames the lobby got, as "post 0x303" or "send 0x112 f120".
    QStringList LobbyFrames() const {
        QStringList frames;
        for (const LobbyFrame& frame : t.lobby->frames) {
            EXPECT_EQ(frame.caption, kLobby);
            frames << (frame.sent ? QStringLiteral("send 0x%1 %2").arg(frame.msg, 0, 16).arg(frame.wParam, 0, 16)
                                  : QStringLiteral("post 0x%1").arg(frame.msg, 0, 16));
        }
        return frames;
    }

    TestClient t;
};
}  // namespace

TEST_F(LoginRepliesTest, AnAcceptedLogInGreetsTellsTheLobbyAndTakesTheTableSettings) {
    t->table.HandNumber = 3;
    t->window.StartButtonOn = false;
    AddSystemMessage(*t, QStringLiteral("older line"));
    AddSystemMessage(*t, QStringLiteral("old line"));
    Receive(t, LoginReply(1, 0x125, 0x0207, QByteArrayLiteral("http://banner.example/a")));

    EXPECT_EQ(Ticker(0), QStringList{QStringLiteral("连接服务器成功！")});
    EXPECT_EQ(Ticker(1), QStringList{kWelcome});
    ASSERT_GT(t->Talk().Text1->count(), 0);
    EXPECT_EQ(Lines(*t->Talk().Text1).last(), kWelcome);
    EXPECT_EQ(LobbyFrames(), QStringList{QStringLiteral("post 0x303")});

    EXPECT_TRUE(t->connection.LoggedIn);
    EXPECT_FALSE(t->connection.LoginPending);
    EXPECT_TRUE(t->TimerKeepAlive.Enabled());
    EXPECT_EQ(t->table.HandNumber, 0);
    EXPECT_TRUE(t->window.StartButtonOn);
    EXPECT_EQ(t->table.TurnSeconds, 5);
    EXPECT_EQ(t->table.TimeoutLimit, 7);
    EXPECT_EQ(t->window.BannerUrl, QStringLiteral("http://banner.example/a"));
    EXPECT_EQ(t->mainForm->WebBrowser1->LocationURL(), QStringLiteral("http://banner.example/a"));
    ASSERT_EQ(t.pages->loads.size(), 1u);
    EXPECT_EQ(t.pages->loads[0].url, QUrl(QStringLiteral("http://banner.example/a")));
    EXPECT_FALSE(t->mainForm->WebBrowser1->isHidden());
}

TEST_F(LoginRepliesTest, TurnTimeIsTheLowNibbleOrOneInAutoPlayAndTheLimitIsByteNine) {
    struct Case {
        int16_t turnParam;
        bool autoPlay;
        int turnSeconds;
        int16_t timeoutParam;
        int timeoutLimit;
    } cases[] = {
        {0x25, false, 5, 0, 0}, {0x0F, false, 15, 200, 200}, {0x10, false, 0, 0x0107, 7}, {0x25, true, 1, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.turnParam << (c.autoPlay ? " auto-play" : ""));
        t->table.AutoPlay = c.autoPlay;
        Receive(t, LoginReply(1, c.turnParam, c.timeoutParam));
        EXPECT_EQ(t->table.TurnSeconds, c.turnSeconds);
        EXPECT_EQ(t->table.TimeoutLimit, c.timeoutLimit);
    }
}

TEST(LoginReplyBanner, TheAddressEndsAtTheFirstZeroOrAfterOneHundredBytes) {
    struct Case {
        QByteArray banner;
        QString url;
    } cases[] = {
        {QByteArray("\0http://hidden", 14), QString()},
        {QByteArray(120, 'x'), QString(100, QLatin1Char('x'))},
        {QByteArray("a.example\0b.example", 19), QStringLiteral("a.example")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        TestClient t;
        StartAndSendLogIn(t);
        Receive(t, LoginReply(1, 0x25, 3, c.banner));
        EXPECT_EQ(t->window.BannerUrl, c.url);
        EXPECT_EQ(t->mainForm->WebBrowser1->LocationURL(), c.url);
        EXPECT_EQ(t.pages->loads.size(), c.url.isEmpty() ? 0u : 1u);
        EXPECT_EQ(t->mainForm->WebBrowser1->isHidden(), c.url.isEmpty());
    }
}

TEST_F(LoginRepliesTest, ALaterAcceptedLogInAfterAHandKeepsTheSettingsButResetsTheHandCount) {
    Receive(t, LoginReply(1, 0x25, 3, QByteArrayLiteral("first.example")));
    t->table.HandStarted = 1;
    t->table.HandNumber = 4;
    t->window.StartButtonOn = false;
    t->connection.LoginPending = true;
    AddSystemMessage(*t, QStringLiteral("a hand was played"));
    t.lobby->frames.clear();

    Receive(t, LoginReply(1, 0x29, 9, QByteArrayLiteral("second.example")));
    EXPECT_TRUE(t.lobby->frames.empty());
    EXPECT_EQ(t->table.TurnSeconds, 5);
    EXPECT_EQ(t->table.TimeoutLimit, 3);
    EXPECT_EQ(t->window.BannerUrl, QStringLiteral("first.example"));
    EXPECT_EQ(t->mainForm->WebBrowser1->LocationURL(), QStringLiteral("first.example"));
    EXPECT_EQ(t->table.HandNumber, 0);
    EXPECT_TRUE(t->window.StartButtonOn);
    EXPECT_FALSE(t->connection.LoginPending);
    EXPECT_EQ(Ticker(0), QStringList{QStringLiteral("连接服务器成功！")});
    EXPECT_EQ(Ticker(1), QStringList{kWelcome});
    EXPECT_EQ(Lines(*t->Talk().Text1).count(kWelcome), 2);
}

TEST(LoginRefusal, ARefusedLogInTellsTheLobbyShowsWhyRestoresTheLobbyAndEnds) {
    const QString notStarted = QStringLiteral("启动游戏失败，请重新在大厅就座后进入游戏！");
    const QString notVerified = QStringLiteral("验证错误，请重新登陆游戏！");
    const std::pair<int16_t, QString> cases[] = {{2, notStarted}, {0, notVerified}, {3, notVerified}, {255, notVerified}};
    for (const auto& [verdict, reason] : cases) {
        SCOPED_TRACE(verdict);
        TestClient t;
        StartAndSendLogIn(t);
        t.Deliver(ToByteArray(LoginReply(verdict)));
        EXPECT_THROW(t.Tick(2), ProgramEnded);

        EXPECT_EQ(Lines(*t->mainForm->Sysmsg[0]), QStringList{reason});
        EXPECT_EQ(t->mainForm->Sysmsg[1]->count(), 0);
        ASSERT_EQ(t.lobby->frames.size(), 2u);
        EXPECT_EQ(t.lobby->frames[0].msg, 0x16u);
        EXPECT_FALSE(t.lobby->frames[0].sent);
        EXPECT_EQ(t.lobby->frames[1].msg, WindowMessage::WM_SYSCOMMAND);
        EXPECT_EQ(t.lobby->frames[1].wParam, WindowMessage::SC_RESTORE);
        EXPECT_EQ(t.lobby->frames[1].caption, kLobby);
        EXPECT_FALSE(t->connection.LoggedIn);
        EXPECT_TRUE(t.dialogs->shown.empty());
    }
}

TEST_F(LoginRepliesTest, AnAcceptedReconnectLeavesTheLogInStateAndTheLobbyAlone) {
    for (bool pending : {true, false}) {
        SCOPED_TRACE(pending);
        t->connection.LoginPending = pending;
        t->connection.LoggedIn = false;
        t->connection.Reconnected = false;
        t->TimerKeepAlive.SetEnabled(false);
        Receive(t, ReconnectReply(1));
        EXPECT_EQ(Ticker(0), QStringList{QStringLiteral("正在重连服务器，请等待...！")});
        EXPECT_TRUE(Ticker(1).isEmpty());
        EXPECT_TRUE(t->connection.LoggedIn);
        EXPECT_TRUE(t->connection.Reconnected);
        EXPECT_EQ(t->connection.LoginPending, pending);
        EXPECT_FALSE(t->TimerKeepAlive.Enabled());
        EXPECT_TRUE(t.lobby->frames.empty());
    }
}

TEST_F(LoginRepliesTest, ARefusedReconnectSaysSoRestoresTheLobbyAndEnds) {
    t.Deliver(ToByteArray(ReconnectReply(2)));
    EXPECT_THROW(t.Tick(2), ProgramEnded);
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(t.dialogs->shown[0].text, QStringLiteral("重连服务器失败，退出后请重新入座！"));
    EXPECT_EQ(t.dialogs->shown[0].title, kDefaultDialogTitle);
    EXPECT_EQ(t.dialogs->shown[0].buttons, Dialogs::OkOnly);
    EXPECT_EQ(LobbyFrames(), QStringList{QStringLiteral("send 0x112 f120")});
    EXPECT_FALSE(t->connection.Reconnected);
}
