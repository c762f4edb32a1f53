#include "table/SeatRecords.h"
#include "wire/GamePacket.h"
#include "wire/PacketTransport.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
// A table in the middle of a hand: every record the resets touch holds
// something, and so does what they must keep.
class SeatRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        FillTable();
    }

    void FillTable() {
        TableState& s = t->table;
        for (int seat = 0; seat < 4; ++seat) {
            SeatInfo& info = t->seatInfo[seat];
            info.Account = QStringLiteral("player%1").arg(seat);
            info.SeatBit = uint8_t(1 << seat);
            info.WinTotal = 100 + seat;
            info.DealerFlag = -1;
            info.DiscardX = 11;
            info.HandY = 22;
            for (int i = 0; i < 21; ++i) info.Slots[i] = {1, int16_t(30 + i), int16_t(i + 21 * seat), 5};
            info.MeldEnd = 9;
            info.FirstConcealed = 10;
            info.ConcealedCount = 11;
            info.WildCount = 1;
            info.RedKongCount = 2;
            info.WildKongCount = 1;
            t->handResult[seat].fill(7);
            s.HandScore[seat] = 1.5;
            s.SeatNames[seat] = QStringLiteral("name%1").arg(seat);
            s.SingleKongImages[seat].fill(3);
            s.RevealedHand[seat].fill(4);
        }
        s.WildTile = 21;
        s.DrawFromFront = false;
        s.MustDiscard = true;
        s.SeatMsgCount = 4;
        s.RightDiscardImages.fill(9);
        s.RightDiscardCount = 6;
        s.WinnerSeat = 2;
        s.SeatResultCount = 3;
        s.InGame = true;
        s.HandNumber = 5;
        t->playerInfo[1].NickName = QStringLiteral("nick");
        t->mainForm->Label3->SetCaption(QStringLiteral("label"));
    }

    TestClient t;
};

const std::pair<const char*, std::function<void(Client&)>> kResets[] = {
    {"ResetHandState", ResetHandState},
    {"ResetGameState", ResetGameState},
};

GamePacket KeepAlivePacket() {
    GameMessage keepAlive;
    keepAlive.MsgType = MessageType::KeepAlive;
    return EncodeGamePacket(keepAlive);
}
}  // namespace

TEST_F(SeatRecordsTest, BothResetsLeaveNoHandAtTheTable) {
    for (const auto& [name, reset] : kResets) {
        SCOPED_TRACE(name);
        FillTable();
        reset(*t);
        const TableState& s = t->table;
        for (int seat = 0; seat < 4; ++seat) {
            SCOPED_TRACE(seat);
            const SeatInfo& info = t->seatInfo[seat];
            EXPECT_EQ(info.WinTotal, 0);
            EXPECT_EQ(info.DealerFlag, 0);
            for (int i = 0; i < 21; ++i) {
                EXPECT_EQ(info.Slots[i].Flag, 0) << i;
                EXPECT_EQ(info.Slots[i].Image, -1) << i;
                EXPECT_EQ(info.Slots[i].Tile, 30 + i) << i;
                EXPECT_EQ(info.Slots[i].Mark, 5) << i;
            }
            EXPECT_EQ(info.MeldEnd, seat == 0 ? 3 : 4);
            EXPECT_EQ(info.FirstConcealed, 4);
            EXPECT_EQ(info.ConcealedCount, 0);
            EXPECT_EQ(info.WildCount, 0);
            EXPECT_EQ(info.RedKongCount, 0);
            EXPECT_EQ(info.WildKongCount, 0);
            for (int item = 0; item < 48; ++item) EXPECT_EQ(t->handResult[seat][item], item == 16 ? 0 : 7) << item;
            EXPECT_EQ(s.HandScore[seat], 0);
            EXPECT_TRUE(s.SeatNames[seat].isEmpty());
            EXPECT_EQ(s.SingleKongImages[seat], (std::array<int16_t, 8>{}));
            if (seat > 0) {
                EXPECT_EQ(s.RevealedHand[seat], (std::array<int16_t, 21>{}));
            }
        }
        EXPECT_EQ(s.WildTile, -1);
        EXPECT_TRUE(s.DrawFromFront);
        EXPECT_FALSE(s.MustDiscard);
        EXPECT_EQ(s.SeatMsgCount, 0);
        EXPECT_EQ(s.RightDiscardImages, (std::array<int16_t, 24>{}));
        EXPECT_EQ(s.RightDiscardCount, 0);
        EXPECT_EQ(s.WinnerSeat, -1);
        EXPECT_EQ(s.SeatResultCount, 0);
        EXPECT_FALSE(s.InGame);
    }
}

TEST_F(SeatRecordsTest, BothResetsKeepTheSeatsThePlayersAndTheHandCount) {
    for (const auto& [name, reset] : kResets) {
        SCOPED_TRACE(name);
        FillTable();
        reset(*t);
        for (int seat = 0; seat < 4; ++seat) {
            EXPECT_EQ(t->seatInfo[seat].Account, QStringLiteral("player%1").arg(seat));
            EXPECT_EQ(t->seatInfo[seat].SeatBit, 1 << seat);
            EXPECT_EQ(t->seatInfo[seat].DiscardX, 11);
            EXPECT_EQ(t->seatInfo[seat].HandY, 22);
        }
        EXPECT_EQ(t->playerInfo[1].NickName, QStringLiteral("nick"));
        EXPECT_EQ(t->table.HandNumber, 5);
    }
}

TEST_F(SeatRecordsTest, OnlyTheHandResetEmptiesTheLabelBesideTheBoard) {
    ResetGameState(*t);
    EXPECT_EQ(t->mainForm->Label3->Caption(), QStringLiteral("label"));
    ResetHandState(*t);
    EXPECT_TRUE(t->mainForm->Label3->Caption().isEmpty());
}

TEST_F(SeatRecordsTest, TheHandResetLeavesWaitingPacketsInBothRings) {
    t.Deliver(ToByteArray(KeepAlivePacket()));
    GameMessage first;
    first.MsgType = MessageType::KeepAlive;
    SendPacket(*t, first);
    const TransportState& rings = t->transport;
    const std::array<int32_t, 4> before{rings.ReceiveRead, rings.ReceiveWrite, rings.SendRead, rings.SendWrite};

    ResetHandState(*t);
    EXPECT_EQ((std::array<int32_t, 4>{rings.ReceiveRead, rings.ReceiveWrite, rings.SendRead, rings.SendWrite}), before);
    EXPECT_EQ(WaitingBytes(t->transport.ReceiveRead, t->transport.ReceiveWrite), 272);
    EXPECT_EQ(WaitingBytes(t->transport.SendRead, t->transport.SendWrite), 272);
}

TEST_F(SeatRecordsTest, TheGameResetEmptiesBothRingsSoTheNextPacketIsTheFirstToLeave) {
    t.Tick(4);  // connected and logged in
    ASSERT_EQ(t.Sent().size(), 1u);
    GameMessage stale;
    stale.MsgType = MessageType::KeepAlive;
    SendPacket(*t, stale);
    SendPacket(*t, stale);
    t.Deliver(ToByteArray(KeepAlivePacket()).left(100));

    ResetGameState(*t);
    EXPECT_EQ(WaitingBytes(t->transport.ReceiveRead, t->transport.ReceiveWrite), 0);
    EXPECT_EQ(WaitingBytes(t->transport.SendRead, t->transport.SendWrite), 0);

    GameMessage ready;
    ready.MsgType = MessageType::ReadyOrLeave;
    ready.Param[3] = 1;
    SendPacket(*t, ready);
    EXPECT_EQ(t->transport.SendRead, 0);
    t.Tick(2);
    ASSERT_EQ(t.Sent().size(), 2u);
    EXPECT_EQ(uint8_t(t.Sent().back()[3]), MessageType::ReadyOrLeave);
    EXPECT_EQ(uint8_t(t.Sent().back()[15]), 1);
}
