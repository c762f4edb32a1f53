#include "platform/UnixLobbyLink.h"
#include "support/EventLoopWait.h"
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

using Message = std::tuple<uint32_t, uint32_t, uint32_t>;

// Runs dravik-lobby in its own runtime folder and plays the client's window
// there, collecting what the lobby prints and what it sends.
class LobbyToolTest : public ::testing::Test {
protected:
    LobbyToolTest() {
        QObject::connect(&clientWindow, &LobbyLink::MessageReceived, &clientWindow,
                         [this](uint32_t msg, uint32_t wParam, uint32_t lParam) { sent.emplace_back(msg, wParam, lParam); });
    }

    ~LobbyToolTest() override {
        lobby.kill();
        lobby.waitForFinished();
    }

    void StartLobby(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DRAVIK_RUNTIME_DIR"), runtimeDir.path());
        lobby.setProcessEnvironment(environment);
        lobby.start(QStringLiteral(DRAVIK_LOBBY_BINARY), arguments);
    }

    // Waits for a line the lobby prints (the whole line, or its start).
    bool WaitForLine(const QString& expected, bool wholeLine = true) {
        return WaitUntil([&] {
            output += QString::fromUtf8(lobby.readAllStandardOutput());
            const QStringList lines = output.split(QLatin1Char('\n'));
            return std::any_of(lines.begin(), lines.end() - 1, [&](const QString& line) {
                return wholeLine ? line == expected : line.startsWith(expected);
            });
        });
    }

    void Type(const QString& line) { lobby.write((line + QLatin1Char('\n')).toUtf8()); }

    QTemporaryDir runtimeDir;
    QProcess lobby;
    QString output;
    UnixLobbyLink clientWindow{runtimeDir.path()};
    std::vector<Message> sent;
};

TEST_F(LobbyToolTest, SendsTypedCommandsPrintsReceivedMessagesAndOutlivesItsInput) {
    const QString lobbyCaption = QStringLiteral("测试大厅");
    StartLobby({QStringLiteral("--caption"), lobbyCaption});
    ASSERT_TRUE(WaitForLine(QStringLiteral("listening as ") + lobbyCaption)) << output.toStdString();

    Type(QStringLiteral("query"));
    ASSERT_TRUE(WaitForLine(QStringLiteral("no window \"Dravik麻将\"")));

    ASSERT_TRUE(clientWindow.Listen(QStringLiteral("Dravik麻将")));
    Type(QStringLiteral("restore"));
    Type(QStringLiteral("send 0x465 7 0x01020304"));
    Type(QStringLiteral("fly away"));
    ASSERT_TRUE(WaitForLine(QStringLiteral("sent restore")));
    ASSERT_TRUE(WaitForLine(QStringLiteral("commands:"), false));
    ASSERT_TRUE(WaitUntil([&] { return sent.size() >= 2; }));
    EXPECT_EQ(sent, (std::vector<Message>{{0x112, 0xF120, 0}, {0x465, 7, 0x01020304}}));

    lobby.closeWriteChannel();
    UnixLobbyLink client(runtimeDir.path());
    ASSERT_TRUE(client.PostMessage(lobbyCaption, 0x303, 0xF020, 0xFFFFFFFF));
    EXPECT_TRUE(WaitForLine(QStringLiteral("received 0x303 61472 4294967295"))) << output.toStdString();

    lobby.terminate();
    ASSERT_TRUE(lobby.waitForFinished());
    EXPECT_EQ(lobby.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo::exists(UnixLobbyLink::EndpointPath(runtimeDir.path(), lobbyCaption)));
}

TEST_F(LobbyToolTest, StartsTheClientWithThirteenFieldsAndTalksToItsAutoPlayWindow) {
    // echo stands in for the client: it prints the command line it was given.
    StartLobby({QStringLiteral("--start"), QStringLiteral("/bin/echo"), QStringLiteral("--server-port"),
                QStringLiteral("4000"), QStringLiteral("--auto-play"), QStringLiteral("--window-caption"),
                QStringLiteral("桌1")});

    ASSERT_TRUE(WaitForLine(QStringLiteral("player1$secret$127.0.0.1$4000$本地测试$0$$0$$$1$Jokro山庄$桌1$")))
        << output.toStdString();
    ASSERT_TRUE(WaitForLine(QStringLiteral("client ended 0")));

    ASSERT_TRUE(clientWindow.Listen(QStringLiteral("桌1")));
    Type(QStringLiteral("leave"));
    ASSERT_TRUE(WaitUntil([&] { return !sent.empty(); }));
    EXPECT_EQ(sent, (std::vector<Message>{{0x303, 0, 0}}));
}

}  // namespace
