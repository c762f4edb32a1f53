#include "messages/ServerMessageDispatch.h"
#include "platform/LobbyLink.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>

namespace {
constexpr uint8_t kLeftSeatBit = 8;

class ClaimHandlersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        LayoutWall(*t);
        ResetHandState(*t);
        const std::array<uint8_t, 4> seatBits{1, 8, 4, 2};
        for (int seat = 0; seat < 4; ++seat) {
            SeatInfo& info = t->seatInfo[seat];
            info.SeatBit = seatBits[seat];
            for (int k = 0; k < 14; ++k) info.Slots[4 + k] = {1, 0x21, int16_t(10 + 20 * seat + k), 0};
            info.ConcealedCount = 14;
        }
        t->table.LastDiscardImage = 120;
    }
    void Receive(int type, uint8_t seatBit, std::array<int16_t, 4> params) {
        GameMessage msg;
        msg.MsgType = int16_t(type);
        msg.SeatBit = seatBit;
        msg.Param = params;
        ProcessServerMessage(*t, msg);
    }
    using SeenTiles = std::array<std::array<int16_t, 10>, 4>;

    TestClient t;
};

// Honours count too; a claimed discard was counted when it was discarded.
TEST_F(ClaimHandlersTest, AutoPlayCountsTheTilesAClaimExposes) {
    struct Case {
        std::array<int16_t, 4> params;
        std::vector<std::tuple<int, int, int>> added;  // suit index, rank, count
    };
    const Case cases[] = {
        {{8, 0x85, 0x85, 0x85}, {{3, 5, 2}}},
        {{4, 0x21, 0x22, 0x23}, {{1, 1, 1}, {1, 2, 1}}},
        {{16, 0, 0, 0x11}, {{0, 1, 3}}},
        {{64, 0, 0, 0x47}, {{2, 7, 1}}},
        {{32, 0, 0, 0x47}, {}},
        {{128, 0, 0, 0}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.params[0]);
        SetUp();
        t->table.AutoPlay = true;
        SeenTiles expected = t->computer.SeenTiles;
        for (auto [suit, rank, count] : test.added) expected[suit][rank] = int16_t(expected[suit][rank] + count);
        Receive(7, kLeftSeatBit, test.params);
        EXPECT_EQ(t->computer.SeenTiles, expected);
    }
}

TEST_F(ClaimHandlersTest, WithoutAutoPlayTheClaimIsShownButNotCounted) {
    Receive(7, kLeftSeatBit, {8, 0x85, 0x85, 0x85});
    EXPECT_EQ(t->computer.SeenTiles, SeenTiles{});
    EXPECT_EQ(t->seatInfo[1].MeldEnd, 7);
    EXPECT_TRUE(t->mainForm->Speak[0]->isVisible());
}

TEST_F(ClaimHandlersTest, SpectatorLeavesClaimsToTheWatchView) {
    t->table.SpectatorMode = true;
    t->table.AutoPlay = true;
    Receive(7, kLeftSeatBit, {8, 0x85, 0x85, 0x85});
    EXPECT_EQ(t->computer.SeenTiles, SeenTiles{});
    // Laid by the watch view, which announces nothing before the first table rebuild.
    EXPECT_EQ(t->seatInfo[1].MeldEnd, 7);
    EXPECT_EQ(t->seatInfo[1].Slots[4].Image, 120);
    EXPECT_FALSE(t->mainForm->Speak[0]->isVisible());
}

TEST_F(ClaimHandlersTest, BadValuesRestoreTheLobbyAndEnd) {
    struct Case {
        const char* name;
        bool autoPlay;
        uint8_t seatBit;
        std::array<int16_t, 4> params;
    };
    const Case cases[] = {
        {"counted tile without a rank", true, kLeftSeatBit, {8, 0, 0x85, 0x85}},
        {"kong tile naming no tile", false, kLeftSeatBit, {16, 0, 0, 0}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TestClient client;
        ASSERT_EQ(client.Load(), std::nullopt);
        LayoutWall(*client);
        ResetHandState(*client);
        client->seatInfo[0].SeatBit = 1;
        client->table.AutoPlay = test.autoPlay;
        client->table.LastDiscardImage = 120;
        GameMessage msg;
        msg.MsgType = 7;
        msg.SeatBit = test.seatBit;
        msg.Param = test.params;
        EXPECT_THROW(ProcessServerMessage(*client, msg), ProgramEnded);
        ASSERT_FALSE(client.lobby->frames.empty());
        EXPECT_EQ(client.lobby->frames.back().msg, WindowMessage::WM_SYSCOMMAND);
    }
}

TEST_F(ClaimHandlersTest, ClearHandMarksClearsTheMarksOfTheFirstSlots) {
    SeatInfo& own = t->seatInfo[0];
    for (TileSlot& slot : own.Slots) slot.Mark = 1;
    own.ConcealedCount = 5;
    Receive(8, 1, {});
    for (int i = 0; i < 21; ++i) EXPECT_EQ(own.Slots[i].Mark, i < 5 ? 0 : 1) << i;
}
}  // namespace
