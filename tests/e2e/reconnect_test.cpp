#include "wire/GamePacket.h"
#include "support/FakeGameServer.h"
#include "support/TableProcess.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>

// No game can be in progress over the wire yet (the hand messages are still
// to come), so this covers the drop outside a game; the drop during a game is
// covered in process.
namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kTable = QStringLiteral("Dravik麻将");
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
constexpr int kStartMs = 15000;
constexpr uint32_t kSysCommand = 0x112, kRestore = 0xF120, kConnected = 0x303, kRelogin = 0x16;

int TypeOf(const GamePacket& packet) { return packet[2] << 8 | packet[3]; }

TEST(ReconnectRun, ADropOutsideAGameGivesTheLobbyBackAndTheTableCanLogInAgain) {
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), kLobby};
    FakeGameServer server;
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(lobby.WaitForMessage(kConnected, kStartMs)) << table.Stderr().toStdString();

    const size_t framesBeforeDrop = lobby.frames.size();
    server.CloseConnection();
    ASSERT_TRUE(WaitUntil([&] {
        return std::any_of(lobby.frames.begin() + framesBeforeDrop, lobby.frames.end(),
                           [](const ReceivedFrame& f) { return f.msg == kSysCommand && f.wParam == kRestore; });
    }, 5000)) << table.Stderr().toStdString();

    const size_t packetsBeforeRelogin = server.Received().size();
    ASSERT_TRUE(lobby.link.PostMessage(kTable, kRelogin, 0, 0));
    ASSERT_TRUE(WaitUntil([&] {
        const auto packets = server.Received();
        return std::any_of(packets.begin() + packetsBeforeRelogin, packets.end(),
                           [](const GamePacket& p) { return TypeOf(p) == 18; });
    }, kStartMs)) << table.Stderr().toStdString();

    const auto packets = server.Received();
    EXPECT_TRUE(std::none_of(packets.begin(), packets.end(), [](const GamePacket& p) { return TypeOf(p) == 28; }))
        << "no reconnect request outside a game";
}
}  // namespace
