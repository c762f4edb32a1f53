#include "wire/GamePacket.h"
#include "dravik-server/ServerPackets.h"
#include "dravik-server/TableSeating.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/ResourceIds.h"
#include <gtest/gtest.h>

namespace {
// A spectator's command line names the watched player's user id after the location.
QString Watching(uint64_t userId) { return QStringLiteral("abc$pw$127.0.0.1$4000$北京$%1").arg(userId); }

PlayerRecord Record(uint64_t userId, const char* account, QByteArray avatar = "m1", uint8_t sex = 1) {
    return {.nickName = QString::fromLatin1(account).toUpper(),
            .avatar = avatar,
            .sex = sex,
            .money = 1500,
            .levelTitle = QStringLiteral("雀士"),
            .account = account,
            .nameTag = QStringLiteral("玩家"),
            .voiceCode = "00",
            .voiceSet = "20",
            .userId = userId};
}

struct Joined {
    uint8_t seatBit;
    PlayerRecord record;
};

class WatchSeating : public ::testing::Test {
protected:
    void Watch(uint64_t watched, const std::array<Joined, 4>& players) {
        t.emplace(Watching(watched));
        ASSERT_EQ(t->Load(), std::nullopt);
        t->Tick(4);
        for (const Joined& p : players) Receive(PlayerJoinedPacket(p.seatBit, p.record));
    }
    void Receive(const GamePacket& packet) {
        t->Deliver(ToByteArray(packet));
        t->Tick(2);
    }
    Client& c() { return **t; }
    std::array<uint8_t, 4> SeatBits() {
        return {c().seatInfo[0].SeatBit, c().seatInfo[1].SeatBit, c().seatInfo[2].SeatBit, c().seatInfo[3].SeatBit};
    }

    std::optional<TestClient> t;
};

TEST_F(WatchSeating, TheWatchedPlayerSitsAtTheBottomAndTheOthersAroundByTheirSeatBits) {
    struct Case {
        uint8_t watchedBit;
        std::array<uint8_t, 4> localBits;
    };
    // Seats run 1, 2, 4, 8 with each next one on the right.
    for (const Case& k : {Case{2, {2, 1, 8, 4}}, Case{8, {8, 4, 2, 1}}, Case{1, {1, 8, 4, 2}}}) {
        std::array<Joined, 4> players{{{1, Record(11, "one")}, {2, Record(22, "two")},
                                       {4, Record(44, "four", "w2", 0)}, {8, Record(88, "eight")}}};
        Watch(k.watchedBit * 11, players);
        EXPECT_EQ(SeatBits(), k.localBits) << int(k.watchedBit);
        for (int s = 0; s < 4; ++s) {
            const PlayerInfo& p = c().playerInfo[s];
            EXPECT_EQ(p.UserId, k.localBits[s] * 11) << s;
            EXPECT_EQ(c().seatInfo[s].Account, p.Account) << s;
            EXPECT_EQ(c().mainForm->Nid[s]->Caption(), QStringLiteral("[玩家] ") + p.NickName) << s;
            EXPECT_EQ(c().mainForm->Cash[s]->Caption(), QStringLiteral("1500金币")) << s;
            EXPECT_EQ(c().Score().ID[s]->text(), p.NickName) << s;
            // The voice files are named by the seat's sex.
            EXPECT_EQ(p.VoiceSex, p.Sex == 0 ? 2 : 3) << s;
        }
    }
}

TEST_F(WatchSeating, TheLastHandSetUpGivesTheDealerAndTheWallBreak) {
    struct Case {
        uint8_t dealerBit;
        std::array<int, 4> dice;  // totals in the first two entries
        int dealerSeat;
        int16_t wallFront, wallBack;
    };
    // The watched player holds seat bit 1: bit 4 sits opposite.
    for (const Case& k : {Case{1, {7, 5, 0, 0}, 0, 92, 90}, Case{4, {12, 6, 0, 0}, 2, 2, 0}}) {
        t.emplace(Watching(11));
        ASSERT_EQ(t->Load(), std::nullopt);
        t->Tick(4);
        GameMessage setup = HandMessage(MessageType::HandSetup, k.dealerBit, k.dice[0], k.dice[1], 0x27, 0x26);
        Receive(EncodeGamePacket(setup));
        for (uint8_t bit : {1, 2, 4, 8}) Receive(PlayerJoinedPacket(bit, Record(bit * 11, "p")));
        EXPECT_EQ(c().seatInfo[k.dealerSeat].DealerFlag, -1);
        EXPECT_EQ(c().table.WallFront, k.wallFront);
        EXPECT_EQ(c().table.WallBack, k.wallBack);
        EXPECT_EQ(c().table.WildTile, 0x27);
    }
}

TEST_F(WatchSeating, PortraitsFollowTheSpectatorsOneDigitRule) {
    std::array<Joined, 4> players{{{1, Record(11, "a", "w1", 0)}, {2, Record(22, "b", "m6")},
                                   {4, Record(44, "c", "w10", 0)}, {8, Record(88, "d", "mx")}}};
    Watch(11, players);
    const auto portrait = [&](int index) {
        return PictureOfResource(c().resourceIds.PortraitIds[index]).toImage();
    };
    // Local seats: bit 1 at 0, bit 2 at 3 (right), bit 4 at 2, bit 8 at 1.
    // The fourth record is applied once more by the player's rule afterwards.
    EXPECT_EQ(c().Score().Tou[0]->pixmap().toImage(), portrait(5)) << "w1";
    EXPECT_EQ(c().Score().Tou[3]->pixmap().toImage(), portrait(5)) << "m6";
    EXPECT_EQ(c().Score().Tou[2]->pixmap().toImage(), portrait(5)) << "w10 reads one digit";
}

// What the local server sends a watcher: every seat's record under its seat
// bit, a client's or the computer's. Whoever holds the seats and whoever is
// watched, no two players look alike, on the table, the score board and the
// hand list.
TEST_F(WatchSeating, AtTheLocalServersTableEveryPlayerShowsAPortraitOfTheirOwn) {
    const std::vector<std::array<bool, 4>> clientSeats = {
        {false, false, false, false}, {true, false, false, false}, {true, true, false, false},
        {false, true, false, true}, {true, true, true, true}};
    for (const std::array<bool, 4>& clients : clientSeats) {
        std::array<Joined, 4> players;
        for (int seat = 0; seat < 4; ++seat) {
            const QByteArray account = QByteArray("robot") + QByteArray::number(seat);
            players[seat] = {BitOf(seat), clients[seat] ? ClientRecord(account, seat) : ComputerRecord(seat)};
        }
        for (const Joined& watched : players) {
            SCOPED_TRACE(testing::Message() << "clients " << clients[0] << clients[1] << clients[2] << clients[3]
                                            << ", watching seat bit " << int(watched.seatBit));
            Watch(watched.record.userId, players);
            std::vector<QImage> shown;
            for (int s = 0; s < 4; ++s) {
                const QImage table = c().mainForm->Tou[s]->Picture().toImage();
                EXPECT_EQ(c().Score().Tou[s]->pixmap().toImage(), table) << s;
                EXPECT_EQ(c().Hero().Tou[s]->pixmap().toImage(), table) << s;
                for (const QImage& other : shown) EXPECT_NE(table, other) << "seat " << s << " looks like another";
                shown.push_back(table);
            }
        }
    }
}

TEST_F(WatchSeating, WithoutTheWatchedPlayerNobodyIsPlacedAndNoWallBreakIsSet) {
    std::array<Joined, 4> players{{{1, Record(11, "one")}, {2, Record(22, "two")},
                                   {4, Record(44, "four")}, {8, Record(88, "eight")}}};
    Watch(99, players);
    EXPECT_EQ(c().seatInfo[0].SeatBit, 0);
    EXPECT_EQ(c().table.WallFront, 0);
}

TEST(HandSetUp, ASeatedPlayerBackAtAHandInProgressTakesTheWallBreakFromIt) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    t.Tick(4);
    for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
    t->table.WallFront = 51;
    t.Deliver(HandMessage(MessageType::HandSetup, kSeatBits[2], 12, 6, 0x27, 0x26));
    t.Tick(2);
    EXPECT_EQ(t->seatInfo[2].DealerFlag, -1);
    EXPECT_EQ(t->table.WallFront, 2);
    EXPECT_EQ(t->table.WallBack, 0);
}
}  // namespace
