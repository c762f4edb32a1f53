#include "wire/GamePacket.h"
#include "dravik-server/TableSeating.h"
#include "support/TableProcess.h"
#include "support/FakeGameServer.h"
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kTable = QStringLiteral("Dravik麻将");
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
constexpr int kStartMs = 15000;

struct TableRun : ::testing::Test {
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), kLobby};
    FakeGameServer server;
};

int TypeOf(const GamePacket& packet) { return packet[2] << 8 | packet[3]; }
}  // namespace

TEST_F(TableRun, LogsInWithTheExactPacketTellsTheLobbyAndKeepsTheLinkAlive) {
    FakeLoginAnswer answer;
    answer.echo = {0x12, 0x34};
    server.SetLoginAnswer(answer);
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(server.Port(), QStringLiteral("abc"), QStringLiteral("pw"))});

    ASSERT_TRUE(server.WaitForPackets(1, kStartMs)) << table.Stderr().toStdString();
    GamePacket expected{};
    expected[3] = 18;
    expected[16] = 'a', expected[17] = 'b', expected[18] = 'c';
    expected[32] = 'p', expected[33] = 'w';
    EXPECT_EQ(server.Received()[0], expected);

    ASSERT_TRUE(lobby.WaitForMessage(0x303, kStartMs));
    const auto messages = lobby.Messages();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages[0], 0x112u);  // the lobby restored at start-up
    EXPECT_EQ(lobby.frames[0].wParam, 0xF120u);
    EXPECT_EQ(messages[1], 0x16u);   // not connected yet, before the wait for the connection
    EXPECT_EQ(messages.back(), 0x303u);

    // The keep-alive comes every 5 seconds and echoes the server's bytes.
    ASSERT_TRUE(server.WaitForPackets(2, 8000));
    const GamePacket keepAlive = server.Received()[1];
    EXPECT_EQ(TypeOf(keepAlive), 24);
    EXPECT_EQ(keepAlive[260], 0x12);
    EXPECT_EQ(keepAlive[261], 0x34);
}

TEST_F(TableRun, AnswersTheLobbysQueryAndClosesWithoutAWordToTheServer) {
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(lobby.WaitForMessage(0x303, kStartMs)) << table.Stderr().toStdString();

    ASSERT_TRUE(lobby.link.PostMessage(kTable, 0x465, 0, 0));
    EXPECT_TRUE(lobby.WaitForMessage(0x400, 5000));

    const size_t packetsBefore = server.Received().size();
    ASSERT_TRUE(lobby.link.PostMessage(kTable, 0x10, 0, 0));
    EXPECT_TRUE(table.WaitForExit(5000));
    EXPECT_TRUE(table.Stderr().contains(QStringLiteral("the table window was closed")));
    EXPECT_LE(server.Received().size(), packetsBefore + 1);  // at most a keep-alive already under way
    EXPECT_FALSE(lobby.link.FindWindow(kTable));
}

// A lobby posts as the platform's PostMessage does: it connects, writes one
// frame and closes at once, while the client's leave waits with the event loop running.
TEST_F(TableRun, LeavesAtTheLobbysPostInEveryStateAndStaysReachable) {
    struct Case {
        const char* state;
        bool loginAnswered;
        bool seated;
        uint32_t msg;
    } cases[] = {
        {"force leave before the log-in reply", false, false, 0x400},
        {"leave when logged in", true, false, 0x303},
        {"force leave when logged in", true, false, 0x400},
        {"leave when seated", true, true, 0x303},
        {"force leave when seated", true, true, 0x400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        FakeLoginAnswer answer;
        answer.enabled = c.loginAnswered;
        server.SetLoginAnswer(answer);
        lobby.frames.clear();
        const int packetsAtStart = int(server.Received().size());
        TableProcess table(kTableBinary, runtime.path());
        table.Start({DirectCommandLine(server.Port())});
        ASSERT_TRUE(server.WaitForPackets(packetsAtStart + 1, kStartMs)) << table.Stderr().toStdString();
        // The lobby hears "connected" once the log-in reply is handled.
        if (c.loginAnswered) {
            ASSERT_TRUE(lobby.WaitForMessage(0x303, kStartMs)) << table.Stderr().toStdString();
        }
        if (c.seated)
            for (const GamePacket& packet : SeatingPackets("abc")) server.Send(packet);
        const size_t packetsBefore = server.Received().size();

        ASSERT_TRUE(lobby.link.PostMessage(kTable, c.msg, 0, 0));
        // A leave: type 16 with all parameters 0 (a keep-alive may come before it).
        ASSERT_TRUE(WaitUntil([&] {
            const auto packets = server.Received();
            return std::any_of(packets.begin() + packetsBefore, packets.end(), [](const GamePacket& p) {
                return TypeOf(p) == 16 && std::all_of(p.begin() + 8, p.begin() + 16, [](uint8_t b) { return b == 0; });
            });
        }, 5000)) << table.Stderr().toStdString();
        ASSERT_TRUE(server.WaitForClose(5000));
        // A leave request is answered "idle" once the table is reset.
        if (c.msg == 0x303) {
            EXPECT_TRUE(lobby.WaitForMessage(0x400, 5000));
        }

        // Still there once the leave is over: it answers the lobby's query.
        lobby.frames.clear();
        ASSERT_TRUE(lobby.link.PostMessage(kTable, 0x465, 0, 0));
        EXPECT_TRUE(lobby.WaitForMessage(0x400, 5000)) << table.Stderr().toStdString();
        EXPECT_FALSE(table.WaitForExit(0)) << table.Stderr().toStdString();
        lobby.link.PostMessage(kTable, 0x10, 0, 0);
        ASSERT_TRUE(table.WaitForExit(5000));
    }
}

TEST_F(TableRun, ASecondInstanceIsRefusedAndGivesTheLobbyBack) {
    TableProcess first(kTableBinary, runtime.path());
    first.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(lobby.WaitForMessage(0x303, kStartMs)) << first.Stderr().toStdString();
    const size_t framesBefore = lobby.frames.size();

    TableProcess second(kTableBinary, runtime.path());
    second.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(second.WaitForExit(kStartMs));
    EXPECT_TRUE(second.Stderr().contains(QStringLiteral("DIALOG\t警告\tDravik麻将游戏已经运行！")));
    ASSERT_TRUE(WaitUntil([&] { return lobby.frames.size() > framesBefore; }, 5000));
    EXPECT_EQ(lobby.frames.back().msg, 0x112u);
    EXPECT_EQ(lobby.frames.back().wParam, 0xF120u);
}

TEST_F(TableRun, RefusesCommandLinesItCannotUse) {
    struct Case {
        QStringList arguments;
        QString dialog;
    } cases[] = {
        {{}, QStringLiteral("DIALOG\t警告\t本游戏需从游戏大厅中启动！")},
        {{QStringLiteral("   ")}, QStringLiteral("DIALOG\t警告\t本游戏需从游戏大厅中启动！")},
        {{QStringLiteral("abc$pw$127.0.0.1$99999$x$0$$0$$$$$$")}, QStringLiteral("DIALOG\t警告\t命令行参数错误：服务器端口")},
        {{QStringLiteral("abc$pw$127.0.0.1$4000$x$watch")}, QStringLiteral("DIALOG\t警告\t命令行参数错误：观战玩家编号")},
    };
    for (const Case& c : cases) {
        TableProcess table(kTableBinary, runtime.path());
        table.Start(c.arguments);
        ASSERT_TRUE(table.WaitForExit(kStartMs)) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(table.Stderr().contains(c.dialog)) << table.Stderr().toStdString();
    }
    EXPECT_TRUE(server.Received().empty());
}

// Ctrl-C in a terminal and a terminate request from the lobby close the table
// window as the lobby's WM_CLOSE does: its closing steps run, then the END line.
class StoppedTable : public TableRun, public ::testing::WithParamInterface<int> {};

TEST_P(StoppedTable, ClosesItsWindowAndEndsWithStatusZero) {
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(lobby.WaitForMessage(0x303, kStartMs)) << table.Stderr().toStdString();
    const QString endpoint = UnixLobbyLink::EndpointPath(runtime.path(), kTable);
    ASSERT_TRUE(QFileInfo::exists(endpoint));

    table.Signal(GetParam());
    ASSERT_TRUE(table.WaitForExit(5000));
    EXPECT_TRUE(table.EndedWithStatusZero());
    EXPECT_TRUE(table.Stderr().endsWith(QStringLiteral("END\tthe table window was closed\n")))
        << table.Stderr().toStdString();
    EXPECT_FALSE(QFileInfo::exists(endpoint));  // the window stopped listening on its way out
}

INSTANTIATE_TEST_SUITE_P(Signals, StoppedTable, ::testing::Values(SIGINT, SIGTERM),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGINT ? "Sigint" : "Sigterm");
                         });
