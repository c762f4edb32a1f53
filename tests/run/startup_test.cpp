#include "run/StartUp.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/KeyCodes.h"
#include "window/KeyHandler.h"
#include <QListWidget>
#include <gtest/gtest.h>
#include <functional>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kAutoLobby = QStringLiteral("托管大厅");
const QString kAutoLine = QStringLiteral("abc$pw$127.0.0.1$4000$北京$0$$0$$$1$托管大厅$托管桌$");

// The WM_SYSCOMMAND commands sent to one caption, in order.
std::vector<uint32_t> SysCommandsTo(const FakeLobbyLink& lobby, const QString& caption) {
    std::vector<uint32_t> commands;
    for (const LobbyFrame& frame : lobby.frames)
        if (frame.caption == caption && frame.msg == WindowMessage::WM_SYSCOMMAND && frame.sent)
            commands.push_back(frame.wParam);
    return commands;
}

QString TickerLine(Client& c, int line) {
    const QListWidget& list = *c.mainForm->Sysmsg[line];
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
    return items.join(QLatin1Char('|'));
}
}  // namespace

TEST(StartUpModes, ASeatedPlayerConnectsDirectlyToTheServerOfTheLine) {
    TestClient t(QStringLiteral("abc$pw$10.1.2.3$4321$北京$0$$0$$$$$$"));
    ASSERT_EQ(t.Load(), std::nullopt);

    ASSERT_FALSE(t.lobby->frames.empty());
    EXPECT_EQ(t.lobby->frames.front().caption, kLobby);
    EXPECT_EQ(t.lobby->frames.front().msg, WindowMessage::WM_SYSCOMMAND);
    EXPECT_EQ(t.lobby->frames.front().wParam, WindowMessage::SC_RESTORE);
    EXPECT_TRUE(t.lobby->frames.front().sent);

    EXPECT_EQ(t.socket->connectCalls, 1);
    EXPECT_EQ(t.socket->RemoteHost, QStringLiteral("10.1.2.3"));
    EXPECT_EQ(t.socket->RemotePort, 4321);
    EXPECT_TRUE(t->TimerBong.Enabled());
    EXPECT_TRUE(t->scheduler.LoginJobOn);
    EXPECT_EQ(TickerLine(*t, 0), QStringLiteral("正在连接服务器..."));

    EXPECT_EQ(t.lobby->listeningAs, QStringLiteral("Dravik麻将"));
    EXPECT_EQ(t->connection.LobbyCaption, kLobby);
    EXPECT_EQ(t->table.TurnSeconds, 8);
    EXPECT_FALSE(t->table.AutoPlay);
    EXPECT_FALSE(t->table.SpectatorMode);
    EXPECT_EQ(t->seatInfo[0].Account, QStringLiteral("abc"));
    EXPECT_EQ(t->mainForm->Location->Caption(), QStringLiteral("北京"));
    EXPECT_TRUE(t->mainForm->isVisible());
}

TEST(StartUpModes, AutoPlayTakesTheLobbyAndWindowCaptionsOfTheLineAndAShortTurn) {
    TestClient t(kAutoLine);
    t.lobby->existingWindows << kAutoLobby;
    ASSERT_EQ(t.Load(), std::nullopt);

    EXPECT_TRUE(t->table.AutoPlay);
    EXPECT_EQ(t->table.TurnSeconds, 2);
    EXPECT_EQ(t->connection.LobbyCaption, kAutoLobby);
    EXPECT_EQ(t->mainForm->windowTitle(), QStringLiteral("托管桌"));
    EXPECT_EQ(t.lobby->listeningAs, QStringLiteral("托管桌"));
    ASSERT_FALSE(SysCommandsTo(*t.lobby, kAutoLobby).empty());
    EXPECT_EQ(SysCommandsTo(*t.lobby, kAutoLobby).front(), WindowMessage::SC_RESTORE);
    // The fixed lobby caption exists too, but is not the one this line names.
    EXPECT_TRUE(t.lobby->MessagesTo(kLobby).empty());
}

TEST(StartUpModes, ASpectatorWatchesTheIdAfterFieldFiveOverADirectConnection) {
    TestClient t(QStringLiteral("abc$pw$127.0.0.1$4000$北京$98765"));
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_TRUE(t->table.SpectatorMode);
    EXPECT_EQ(t->playerInfo[0].UserId, 98765);
    EXPECT_EQ(t->connection.ProxyType, 0);
    EXPECT_EQ(t.socket->connectCalls, 1);
    EXPECT_EQ(t.socket->RemotePort, 4000);
    EXPECT_FALSE(t->table.AutoPlay);
    EXPECT_EQ(t->connection.LobbyCaption, kLobby);
}

TEST(StartUpModes, AProxyTypeOtherThanDirectOrSocksOpensNoConnection) {
    TestClient t(QStringLiteral("abc$pw$127.0.0.1$4000$北京$7$$0$$$$$$"));
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_EQ(t.socket->connectCalls, 0);
    EXPECT_FALSE(t->TimerBong.Enabled());
    EXPECT_FALSE(t->scheduler.LoginJobOn);
    EXPECT_EQ(TickerLine(*t, 0), QStringLiteral("正在连接服务器..."));
}

TEST(StartUpRefusals, AnEmptyLineIsRefusedWithoutLookingForALobby) {
    TestClient t(QStringLiteral("   "));
    EXPECT_TRUE(t.Load().has_value());
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(t.dialogs->shown[0].text, QStringLiteral("本游戏需从游戏大厅中启动！"));
    EXPECT_EQ(t.dialogs->shown[0].title, QStringLiteral("警告"));
    EXPECT_EQ(t.dialogs->shown[0].buttons, Dialogs::OkOnly);
    EXPECT_TRUE(t.lobby->frames.empty());
    EXPECT_EQ(t.socket->connectCalls, 0);
}

TEST(StartUpRefusals, AnUnusableFieldIsNamedAndNothingConnects) {
    struct Case {
        QString line;
        QString field;
    } cases[] = {
        {QStringLiteral("abc$pw$127.0.0.1$70000$北京$0$$0$$$$$$"), QStringLiteral("服务器端口")},
        {QStringLiteral("abc$pw$127.0.0.1$4000$北京$x$$0$$$$$$"), QStringLiteral("代理类型")},
        {QStringLiteral("abc$pw$127.0.0.1$4000$北京$5$10.0.0.1$0$$$$$$"), QStringLiteral("代理端口")},
        {QStringLiteral("abc$pw$127.0.0.1$4000$北京$id"), QStringLiteral("观战玩家编号")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        TestClient t(c.line);
        EXPECT_TRUE(t.Load().has_value());
        ASSERT_EQ(t.dialogs->shown.size(), 1u);
        EXPECT_EQ(t.dialogs->shown[0].text.toStdString(), (QStringLiteral("命令行参数错误：") + c.field).toStdString());
        EXPECT_EQ(t.dialogs->shown[0].title, QStringLiteral("警告"));
        EXPECT_EQ(t.socket->connectCalls, 0);
        EXPECT_TRUE(t.lobby->listeningAs.isEmpty());
    }
}

TEST(StartUpRefusals, ASecondInstanceRestoresTheLobbyOfItsLineAndEnds) {
    struct Case {
        QString line;
        QStringList restored;
    } cases[] = {
        {TestClient::DefaultCommandLine(), {kLobby}},
        {kAutoLine, {kAutoLobby}},
        {QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        TestClient t(c.line);
        t.lobby->existingWindows << kAutoLobby;
        t->platform.anotherInstanceRunning = [] { return true; };
        EXPECT_TRUE(t.Load().has_value());
        ASSERT_EQ(t.dialogs->shown.size(), 1u);
        EXPECT_EQ(t.dialogs->shown[0].text, QStringLiteral("Dravik麻将游戏已经运行！"));
        EXPECT_EQ(t.dialogs->shown[0].title, QStringLiteral("警告"));
        QStringList restored;
        for (const LobbyFrame& frame : t.lobby->frames) {
            EXPECT_EQ(frame.msg, WindowMessage::WM_SYSCOMMAND);
            EXPECT_EQ(frame.wParam, WindowMessage::SC_RESTORE);
            restored << frame.caption;
        }
        EXPECT_EQ(restored, c.restored);
        EXPECT_EQ(t.socket->connectCalls, 0);
        EXPECT_TRUE(t.sound->played.empty());
    }
}

TEST(StartUpScreen, WindowAndTableSurfaceFollowEachScreenDimension) {
    struct Case {
        QSize screen;
        QSize window;
        QRect surface;
        double scale;
    } cases[] = {
        {{1280, 1024}, {1040, 796}, {8, 20, 1024, 768}, 1.0},
        {{1024, 768}, {1024, 768}, {0, 0, 1024, 768}, 1.0},
        {{800, 600}, {800, 600}, {0, 0, 800, 600}, 0.78125},
        {{1280, 700}, {1040, 700}, {8, 0, 1024, 700}, 0.78125},
        {{1000, 1024}, {1000, 796}, {0, 20, 1000, 768}, 0.78125},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        TestClient t(TestClient::DefaultCommandLine(), c.screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        EXPECT_EQ(t->mainForm->size(), c.window);
        EXPECT_EQ(t->mainForm->Pic1->geometry(), c.surface);
        EXPECT_EQ(t->table.ScaleX, c.scale);
        EXPECT_EQ(t->table.ScaleY, c.scale);
    }
}

TEST(StartUpScreen, ALongLocationIsShownSmallerOnASmallScreen) {
    struct Case {
        QString location;
        double pointSize;
    } cases[] = {{QStringLiteral("一二三四五六七八九十一"), 8}, {QStringLiteral("一二三四五六七八九十"), 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location.toStdString());
        TestClient t(QStringLiteral("abc$pw$127.0.0.1$4000$%1$0$$0$$$$$$").arg(c.location), {800, 600});
        ASSERT_EQ(t.Load(), std::nullopt);
        EXPECT_EQ(t->mainForm->Location->Font().pointSizeF(), c.pointSize);
        EXPECT_EQ(t->mainForm->Location->Caption(), c.location);
    }
}

TEST(StartUpSecrets, ThePasswordReachesTheLogInPacketOnly) {
    const QString password = QStringLiteral("Sesame#42");
    TestClient t(QStringLiteral("abc$%1$127.0.0.1$4000$北京$0$$0$$$$$$").arg(password));
    ASSERT_EQ(t.Load(), std::nullopt);

    const auto& packet = t->connection.LoginPacket;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(packet.data()) + 32), password.toLatin1());
    for (const QString& kept : {t->connection.UserName, t->connection.LocationText, t->connection.ProxyAuth.User,
                                t->connection.ProxyAuth.Password, t->connection.WindowCaption,
                                t->connection.LobbyCaption, t->seatInfo[0].Account, t.peers->record.loggedInAccount,
                                t->mainForm->windowTitle(), t->mainForm->Location->Caption()})
        EXPECT_FALSE(kept.contains(password)) << kept.toStdString();

    t.Tick(4);  // the log-in job sends the packet once connected
    const QByteArray stream = t.socket->SentStream();
    EXPECT_EQ(stream.count(password.toLatin1()), 1);
    EXPECT_EQ(stream.indexOf(password.toLatin1()), 32);
}

TEST(StartUpSound, TheStartUpMusicLoopsWhenTheSoundDeviceStarts) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_TRUE(t->sound.EffectSoundOn);
    ASSERT_FALSE(t.sound->played.empty());
    EXPECT_FALSE(t->sound.WavePath[1].isEmpty());
    EXPECT_EQ(t.sound->played.front().path, t->sound.WavePath[1]);
    EXPECT_TRUE(t.sound->played.front().looped);
    EXPECT_EQ(t.sound->volume, 3000);
}

TEST(StartUpSound, EffectSoundsAreOffWhenTheSoundDeviceCannotStart) {
    TestClient t;
    t.sound->startSucceeds = false;
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_FALSE(t->sound.EffectSoundOn);
    EXPECT_TRUE(t->sound.MusicOn);
}

TEST(TableWindowResize, RestoringAfterTheBossKeyRestoresTheTurnTimeAndMinimisesTheLobby) {
    struct Case {
        QString line;
        int turnSeconds;
    } cases[] = {{TestClient::DefaultCommandLine(), 8}, {kAutoLine, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        TestClient t(c.line);
        t.lobby->existingWindows << kAutoLobby;
        ASSERT_EQ(t.Load(), std::nullopt);
        t->window.BossKey = true;
        t->table.TurnSeconds = 0;
        t->table.TimeoutStreak = 3;
        t.lobby->frames.clear();

        MainForm_Form_Resize(*t);
        EXPECT_EQ(t->table.TurnSeconds, c.turnSeconds);
        EXPECT_FALSE(t->window.BossKey);
        EXPECT_EQ(t->table.TimeoutStreak, 0);
        EXPECT_EQ(SysCommandsTo(*t.lobby, t->connection.LobbyCaption), std::vector<uint32_t>{WindowMessage::SC_MINIMIZE});
    }
}

TEST(TableWindowResize, WithoutTheBossKeyTheTurnTimeStaysAndAMinimisedWindowLeavesTheLobbyAlone) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    t->table.TurnSeconds = 5;
    MainForm_Form_Resize(*t);
    EXPECT_EQ(t->table.TurnSeconds, 5);

    t->mainForm->Minimize();
    t.lobby->frames.clear();
    MainForm_Form_Resize(*t);
    EXPECT_TRUE(t.lobby->frames.empty());
}

// Whatever took the focus before, typing after a restore goes into the chat line.
TEST(TableWindowResize, RestoringTheWindowGivesTheChatLineTheFocus) {
    struct Case {
        const char* name;
        std::function<void(TestClient&)> hide, restore;
    } cases[] = {
        {"minimise and restore", [](TestClient& t) { t->mainForm->Minimize(); },
         [](TestClient& t) { t->mainForm->Restore(); }},
        {"boss key, then the lobby restores", [](TestClient& t) {
             int16_t key = KeyCode::F1, shift = 0;
             MainForm_Pic1_KeyDown(*t, key, shift);
         },
         [](TestClient& t) { t.lobby->Deliver(WindowMessage::WM_SYSCOMMAND, WindowMessage::SC_RESTORE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient t;
        ASSERT_EQ(t.Load(), std::nullopt);
        MainForm& f = *t->mainForm;
        ASSERT_TRUE(f.Chat->isVisible());
        f.Pic1->setFocus();
        ASSERT_EQ(f.focusWidget(), f.Pic1);
        c.hide(t);
        ASSERT_TRUE(f.IsMinimized());
        c.restore(t);
        EXPECT_FALSE(f.IsMinimized());
        EXPECT_EQ(f.focusWidget(), f.Chat);
    }
}

TEST(TableWindowClose, ClosingTheTableWindowEndsTheProgramAndSendsNothing) {
    const std::function<void(TestClient&)> closings[] = {
        [](TestClient& t) { t.lobby->Deliver(WindowMessage::WM_CLOSE); },
        [](TestClient& t) { MainForm_Form_Unload(*t); },
    };
    for (const auto& close : closings) {
        TestClient t;
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);  // logged-in socket: the log-in packet has gone out
        const size_t sentBefore = t.Sent().size();
        ASSERT_EQ(sentBefore, 1u);
        const int stopsBefore = t.sound->stops;

        EXPECT_THROW(close(t), ProgramEnded);
        EXPECT_EQ(t.Sent().size(), sentBefore);
        EXPECT_GT(t.sound->stops, stopsBefore);
        EXPECT_TRUE(t.lobby->listeningAs.isEmpty());
    }
}
