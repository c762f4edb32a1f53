#include "wire/GamePacket.h"
#include "messages/ServerMessageDispatch.h"
#include "results/ScoreWindow.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include <gtest/gtest.h>

namespace {
class HandEndMessages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(*t);
    }
    void Receive(const GameMessage& m, const QByteArray& payload = {}) {
        t.Deliver(m, payload);
        t.Tick(2);
    }
    void Result(int seat, const QByteArray& total, int keepSign = 1) {
        Receive(HandMessage(MessageType::SeatResult, kSeatBits[seat], 0, keepSign), total);
    }
    TestClient t;
};

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) bytes.append(char(v));
    return bytes;
}

TEST_F(HandEndMessages, SeatResultReadsASignedLittleEndianTotalAndItsSignSwitch) {
    struct Case {
        QByteArray bytes;
        int keepSign;
        int32_t total;
    };
    const Case cases[] = {
        {Bytes({0x10, 0x27, 0, 0, 0, 0, 0, 0}), 1, 10000},
        {Bytes({0x10, 0x27, 0, 0, 0, 0, 0, 0}), 0, -10000},
        {Bytes({0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 1, -10000},
        {Bytes({0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0, 10000},
        {Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}), 1, 2147483647},
        {Bytes({0x01, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}), 1, -2147483647},
        {Bytes({0, 0, 0, 0, 0, 0, 0, 0}), 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        Result(2, c.bytes, c.keepSign);
        EXPECT_EQ(t->seatInfo[2].WinTotal, c.total);
        EXPECT_FALSE(t->window.ResultPending);
    }
}

TEST_F(HandEndMessages, ATotalOutsideThirtyTwoBitsEndsTheClientWithTheLobbyRestored) {
    for (const QByteArray& bytes : {Bytes({0, 0, 0, 0x80, 0, 0, 0, 0}), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80}),
                                    Bytes({0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF})}) {
        TestClient fresh;
        ASSERT_EQ(fresh.Load(), std::nullopt);
        fresh.Tick(4);
        for (int s = 0; s < 4; ++s) fresh->seatInfo[s].SeatBit = kSeatBits[s];
        fresh.Deliver(HandMessage(MessageType::SeatResult, 1, 0, 1), bytes);
        EXPECT_THROW(fresh.Tick(2), ProgramEnded);
        EXPECT_TRUE(LobbyGotSysCommand(fresh, WindowMessage::SC_RESTORE));
    }
}

TEST_F(HandEndMessages, FourSeatResultsWithAWinnerOnlyStoreTheTotalsAndEmptyTheirLists) {
    for (int s = 0; s < 8; ++s) t->Score().State[s]->addItem(QStringLiteral("old"));
    t->table.InGame = true;
    for (int s = 0; s < 4; ++s) Result(s, Bytes({s == 1 ? 5 : 0}));
    EXPECT_EQ(t->table.SeatResultCount, 0);
    EXPECT_EQ(t->seatInfo[1].WinTotal, 5);
    for (int s = 0; s < 8; ++s) EXPECT_EQ(t->Score().State[s]->count(), 0) << s;
    EXPECT_TRUE(t->table.InGame) << "the settlement ends the hand, not the totals";
}

TEST_F(HandEndMessages, FourZeroTotalsShowTheDrawnHand) {
    t->table.InGame = true;
    for (int s = 0; s < 4; ++s) Result(s, Bytes({0}));
    EXPECT_EQ(t->table.SeatResultCount, 0);
    EXPECT_FALSE(t->table.InGame);
}

TEST_F(HandEndMessages, TheFirstRevealCarryingTilesNamesTheirWallPlaces) {
    struct Case {
        int16_t wallBack;
        QByteArray tiles;
        int count;
        std::array<int16_t, 5> images;
    };
    const Case cases[] = {
        {94, Bytes({0x11, 0x25, 0x47}), 3, {94, 95, 96, 0, 0}},
        {95, Bytes({0x11, 0x25}), 2, {95, 92, 0, 0, 0}},
        {1, Bytes({0x11, 0x25, 0x31, 0x32, 0x33}), 5, {1, 134, 96, 97, 98}},
        {40, Bytes({}), 0, {40, 41, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wallBack);
        TableState& table = t->table;
        table.RevealCount = 0;
        table.RevealImages.fill(0);
        table.WallBack = c.wallBack;
        table.WallFront = 96;
        Receive(HandMessage(MessageType::HandRevealed, kSeatBits[1]), c.tiles);
        EXPECT_EQ(table.RevealCount, c.count);
        EXPECT_EQ(table.RevealImages, c.images);
        EXPECT_EQ(table.RevealTiles[0], c.tiles.isEmpty() ? 0 : 0x11);
    }
}

TEST_F(HandEndMessages, OnlyTheFirstRevealWithTilesIsKept) {
    TableState& table = t->table;
    table.WallBack = 94;
    Receive(HandMessage(MessageType::HandRevealed, kSeatBits[1]), Bytes({0x11}));
    table.WallBack = 50;
    Receive(HandMessage(MessageType::HandRevealed, kSeatBits[2]), Bytes({0x21, 0x22, 0x23}));
    EXPECT_EQ(table.RevealCount, 1);
    EXPECT_EQ(table.RevealTiles, (std::array<int16_t, 5>{0x11, 0, 0, 0, 0}));
    EXPECT_EQ(table.RevealImages[0], 94);
}

TEST_F(HandEndMessages, ResultDetailStoresTheItemsInThirtyTwoBitsAndCountsToTheSettlement) {
    QByteArray payload;
    for (int k = 0; k < 46; ++k) payload.append(char(200 + k % 50));
    Receive(HandMessage(MessageType::ResultDetail, kSeatBits[3], 1, 2, 7, 0x0101), payload);
    const auto& items = t->handResult[3];
    EXPECT_EQ(items[0], 258);
    EXPECT_EQ(items[1], 0x0101);
    EXPECT_EQ(items[2], 200) << "payload byte 16";
    EXPECT_EQ(items[47], 200 + 45 % 50) << "payload byte 61";
    EXPECT_EQ(t->table.NoTaxFlag, 7);
    EXPECT_EQ(t->table.ResultPacketCount, 1);

    // A room number of a whole word times 256 leaves 16 bits.
    Receive(HandMessage(MessageType::ResultDetail, kSeatBits[0], 0x1234, 0x56, 0, 1));
    EXPECT_EQ(t->handResult[0][0], 0x1234 * 256 + 0x56);
    Receive(HandMessage(MessageType::ResultDetail, kSeatBits[0], -1, 0, 0, 1));
    EXPECT_EQ(t->handResult[0][0], -256);

    // Two messages for the same seat count twice: the fourth settles.
    Receive(HandMessage(MessageType::ResultDetail, kSeatBits[1], 0, 0, 0, 1));
    EXPECT_EQ(t->table.ResultPacketCount, 0);
}

TEST_F(HandEndMessages, ATaxFlagThatIsNotAByteEndsTheClient) {
    t.Deliver(HandMessage(MessageType::ResultDetail, 1, 0, 0, 256, 1));
    EXPECT_THROW(t.Tick(2), ProgramEnded);
}
}  // namespace
