#include "support/TableProcess.h"
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int kTimeoutMs = 5000;

// Runs dravik-lobby in its own runtime folder and collects what it prints.
class LobbyToolTest : public ::testing::Test {
protected:
    ~LobbyToolTest() override {
        lobby.kill();
        lobby.waitForFinished(kTimeoutMs);
    }

    void StartLobby(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DRAVIK_RUNTIME_DIR"), runtimeDir.path());
        lobby.setProcessEnvironment(environment);
        lobby.start(QStringLiteral(DRAVIK_LOBBY_BINARY), arguments);
    }

    // Waits for a whole line the lobby prints, or for a line starting so.
    bool WaitForLine(const QString& expected, bool wholeLine = true) {
        return WaitUntil([&] {
            output += QString::fromUtf8(lobby.readAllStandardOutput());
            const QStringList lines = output.split(QLatin1Char('\n'));
            return std::any_of(lines.begin(), lines.end() - 1, [&](const QString& line) {
                return wholeLine ? line == expected : line.startsWith(expected);
            });
        }, kTimeoutMs);
    }

    void Type(const QString& line) { lobby.write((line + QLatin1Char('\n')).toUtf8()); }

    static bool SameFrames(const std::vector<ReceivedFrame>& actual, const std::vector<ReceivedFrame>& expected) {
        return std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(), [](auto& a, auto& b) {
            return a.msg == b.msg && a.wParam == b.wParam && a.lParam == b.lParam;
        });
    }

    QTemporaryDir runtimeDir;
    QProcess lobby;
    QString output;
};

TEST_F(LobbyToolTest, SendsTypedCommandsPrintsReceivedMessagesAndOutlivesItsInput) {
    const QString lobbyCaption = QStringLiteral("测试大厅");
    StartLobby({QStringLiteral("--caption"), lobbyCaption});
    ASSERT_TRUE(WaitForLine(QStringLiteral("listening as ") + lobbyCaption)) << output.toStdString();

    Type(QStringLiteral("query"));
    ASSERT_TRUE(WaitForLine(QStringLiteral("no window \"Dravik麻将\"")));

    LobbyRecorder clientWindow(runtimeDir.path(), QStringLiteral("Dravik麻将"));
    Type(QStringLiteral("restore"));
    Type(QStringLiteral("send 0x465 7 0x01020304"));
    Type(QStringLiteral("fly away"));
    ASSERT_TRUE(WaitForLine(QStringLiteral("sent restore")));
    ASSERT_TRUE(WaitForLine(QStringLiteral("commands:"), false));
    ASSERT_TRUE(clientWindow.WaitForMessage(0x465, kTimeoutMs));
    EXPECT_TRUE(SameFrames(clientWindow.frames, {{0x112, 0xF120, 0}, {0x465, 7, 0x01020304}}));

    lobby.closeWriteChannel();
    ASSERT_TRUE(clientWindow.link.PostMessage(lobbyCaption, 0x303, 0xF020, 0xFFFFFFFF));
    EXPECT_TRUE(WaitForLine(QStringLiteral("received 0x303 61472 4294967295"))) << output.toStdString();

    lobby.terminate();
    ASSERT_TRUE(lobby.waitForFinished(kTimeoutMs));
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

    LobbyRecorder clientWindow(runtimeDir.path(), QStringLiteral("桌1"));
    Type(QStringLiteral("leave"));
    ASSERT_TRUE(clientWindow.WaitForMessage(0x303, kTimeoutMs));
    EXPECT_TRUE(SameFrames(clientWindow.frames, {{0x303, 0, 0}}));
}

}  // namespace
