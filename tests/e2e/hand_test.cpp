// The real client plays the first turns of a hand against the fake server,
// its own moves made by the time-out move of a one-second turn.
#include "wire/GamePacket.h"
#include "dravik-server/TableSeating.h"
#include "shared/PlayState.h"
#include "support/FakeGameServer.h"
#include "support/ScriptedHand.h"
#include "support/TableProcess.h"
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
constexpr uint8_t kOwn = 1, kRight = 2, kOpposite = 4, kLeft = 8;

struct HandRun : ::testing::Test {
    void Send(int type, uint8_t seatBit, int p0 = 0, int p1 = 0, int p2 = 0, int p3 = 0) {
        server.Send(EncodeGamePacket(HandMessage(type, seatBit, p0, p1, p2, p3)));
    }
    // Waits for the client's next discard and returns its whole message; the
    // claim answers sent before it are collected too.
    std::optional<GameMessage> NextDiscard(int timeoutMs) {
        std::optional<GameMessage> discard;
        WaitUntil([&] {
            const std::vector<GamePacket> packets = server.Received();
            for (; seen < packets.size() && !discard; ++seen) {
                const GameMessage m = DecodeGamePacketFull(packets[seen].data());
                if (m.MsgType == MessageType::ClaimAnswer) answers.push_back(m);
                if (m.MsgType == MessageType::Discard) discard = m;
            }
            return discard.has_value();
        }, timeoutMs);
        return discard;
    }

    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), QStringLiteral("Jokro山庄")};
    FakeGameServer server;
    size_t seen = 0;
    std::vector<GameMessage> answers;
};
}  // namespace

TEST_F(HandRun, EveryTurnThatRunsOutPassesAndDiscardsTheTileJustDrawn) {
    FakeLoginAnswer answer;
    answer.turnSeconds = 1;
    answer.timeoutLimit = 0;
    server.SetLoginAnswer(answer);
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(server.Port())});
    ASSERT_TRUE(server.WaitForPackets(1, 15000)) << table.Stderr().toStdString();
    for (const GamePacket& packet : SeatingPackets("abc")) server.Send(packet);

    Send(MessageType::HandSetup, kOwn, 7, 5, 0x17, 0x16);
    Send(MessageType::HandStart, kOwn, 3, 4, 2, 5);
    const int passes[3][4] = {{0x81, 0x82, 0x83, 0x84}, {0x86, 0x86, 0x42, 0x43}, {0x45, 0x45, 0x27, 0x27}};
    std::vector<int> hand;
    for (const auto& pass : passes) {
        Send(MessageType::DealTiles, kOwn, pass[0], pass[1], pass[2], pass[3]);
        hand.insert(hand.end(), pass, pass + 4);
        for (uint8_t other : {kRight, kOpposite, kLeft}) Send(MessageType::DealTiles, other);
    }
    Send(MessageType::TileDrawn, kOwn, 0, 0, 0, 0x11);
    for (uint8_t other : {kRight, kOpposite, kLeft}) Send(MessageType::TileDrawn, other);

    const int draws[] = {0x29, 0x13, 0x24};
    const int othersDiscards[3][3] = {{0x12, 0x14, 0x16}, {0x21, 0x22, 0x23}, {0x15, 0x16, 0x12}};
    for (int turn = 0; turn < 3; ++turn) {
        SCOPED_TRACE(turn);
        Send(MessageType::TileDrawn, kOwn, 0, 0, 0, draws[turn]);
        hand.push_back(draws[turn]);
        Send(MessageType::ActionPrompt, kOwn, OperationBit::Pass);
        const std::optional<GameMessage> discard = NextDiscard(30000);
        ASSERT_TRUE(discard) << table.Stderr().toStdString();
        // The tile drawn last is the one the time-out move lets go.
        EXPECT_EQ(discard->Param[3], 0x4000 | draws[turn]);
        EXPECT_EQ(discard->SeatBit, kOwn);
        auto held = std::find(hand.begin(), hand.end(), discard->Param[3] & 0xFF);
        ASSERT_NE(held, hand.end());
        hand.erase(held);
        Send(MessageType::TileDiscarded, kOwn, 0, 0, 0, discard->Param[3] & 0xFF);
        const uint8_t others[] = {kRight, kOpposite, kLeft};
        for (int i = 0; i < 3; ++i) {
            Send(MessageType::TileDrawn, others[i]);
            Send(MessageType::TileDiscarded, others[i], 0, 0, 0, othersDiscards[turn][i]);
        }
    }
    // One pass per prompt, each before its discard.
    ASSERT_EQ(answers.size(), 3u);
    for (const GameMessage& pass : answers) EXPECT_EQ(pass.Param, (std::array<int16_t, 4>{1, 0, 0, 0}));
    EXPECT_FALSE(table.WaitForExit(200)) << table.Stderr().toStdString();
}
