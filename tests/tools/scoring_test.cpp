#include "dravik-server/HandTable.h"
#include "dravik-server/Scoring.h"
#include "shared/GameMessage.h"
#include "support/ClientTimeOutMoves.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include <gtest/gtest.h>
#include <map>
#include <numeric>

using Rules::Hand;
using Rules::Meld;
using Rules::Tile;

namespace {
constexpr int64_t kMoneyPerFan = 10;
constexpr int kSelfDrawn = -1;

// Mixed suits, runs and one pung: a hand without any scored shape.
const std::vector<Tile> kPlainHand = {0x21, 0x22, 0x23, 0x44, 0x45, 0x46, 0x87, 0x88,
                                      0x89, 0x13, 0x13, 0x13, 0x25, 0x25};

struct ScoringCase {
    const char* name;
    int winner;
    int discarder;
    Hand hand;
    Tile wild;
    bool onKongReplacement;
    bool robbedKong;
    // The winner's fan items 3 to 16, 20 and 21 that are set; the others must be 0.
    std::map<int, int> items;
    int fan;
};

HandOutcome OutcomeOf(const ScoringCase& c) {
    HandOutcome outcome;
    outcome.winner = c.winner;
    outcome.discarder = c.discarder;
    outcome.hands[size_t(c.winner)] = c.hand;
    outcome.winningTile = c.hand.concealed.back();
    outcome.wild = c.wild;
    outcome.onKongReplacement = c.onKongReplacement;
    outcome.robbedKong = c.robbedKong;
    return outcome;
}

int FanOf(const SeatSettlement& seat) { return seat.items[18] * 256 + seat.items[19]; }

// The fan of the lines the client's score board writes for a winner's items,
// by the board's own table of texts.
template <typename Items>
int BoardFan(const Items& items) {
    const auto item = [&](int k) { return int(items[size_t(k)]); };
    const auto pick = [](int value, std::map<int, int> fans) {
        const auto found = fans.find(value);
        return found == fans.end() ? 0 : found->second;
    };
    int fan = pick(item(5) % 16, {{4, 20}, {2, 5}});                 // 七小对, 对对胡
    fan += pick(item(5) / 16, {{4, 50}, {2, 5}, {1, 20}});           // 风一色, 混一色, 清一色
    fan += (item(4) & 1 ? 10 : 0) + (item(4) & 2 ? 5 : 0);           // 大吊车, 不动手
    fan += pick(item(4) / 16, {{2, 5}, {4, 10}, {1, 15}});           // 六连, 六连X2, 一条龙
    fan += (item(3) & 1 ? 10 : 0) + (item(3) & 2 ? 1 : 0);           // 枯支压, 压档
    fan += pick(item(3) / 16, {{2, 5}, {1, 10}});                    // 平摸, 挖摸
    fan += item(7) + item(8) + item(9) + 5 * item(10) + item(11) + 5 * item(12);
    fan += 2 * item(13) + 4 * item(14) + 2 * item(15) + item(16);
    fan += (item(20) ? 5 : 0) + (item(21) && item(6) != 2 ? 5 : 0);  // 杠开, 抢杠
    return fan;
}

TEST(Scoring, WinnerItemsFanAndMoney) {
    const Meld exposedKong{Rules::kExposedKong, {0x23, 0x23, 0x23}, false};
    const Meld concealedKong{Rules::kConcealedKong, {0x11, 0x11, 0x11}, false};
    const Meld upgradedPung{Rules::kPung, {0x17, 0x17, 0x17}, true};
    const Meld pung{Rules::kPung, {0x29, 0x29, 0x29}, false};
    const Meld lowRun{Rules::kChow, {0x44, 0x45, 0x46}, false};
    const ScoringCase cases[] = {
        {"a plain win on a discard is worth the minimum", 1, 3, {kPlainHand, {}}, 0x17, false, false, {}, 1},
        {"seven pairs of one suit, self-drawn", 0, kSelfDrawn,
         {{0x21, 0x21, 0x22, 0x22, 0x24, 0x24, 0x25, 0x25, 0x27, 0x27, 0x28, 0x28, 0x29, 0x29}, {}}, 0x47, false, false,
         {{5, 0x14}}, 40},
        {"seven pairs with a wild tile", 2, 0,
         {{0x21, 0x21, 0x22, 0x47, 0x44, 0x44, 0x85, 0x85, 0x13, 0x13, 0x16, 0x16, 0x29, 0x29}, {}}, 0x47, false,
         false, {{5, 0x04}}, 20},
        {"pungs and kongs of one suit and honours", 2, 1,
         {{0x26, 0x26, 0x26, 0x16, 0x16, 0x16, 0x29, 0x29}, {exposedKong, concealedKong}}, 0x47, false, false,
         {{5, 0x22}, {13, 1}, {14, 1}}, 5 + 5 + 2 + 4},
        {"1 to 9 of one suit with a run laid and a wild tile", 3, 0,
         {{0x41, 0x42, 0x43, 0x47, 0x48, 0x89, 0x12, 0x12, 0x12, 0x15, 0x15}, {lowRun}}, 0x89, false, false,
         {{4, 0x10}, {5, 0x20}}, 15 + 5},
        {"honours only, all pungs, self-drawn", 1, kSelfDrawn,
         {{0x11, 0x11, 0x11, 0x12, 0x12, 0x12, 0x13, 0x13, 0x13, 0x15, 0x15, 0x15, 0x17, 0x17}, {}}, 0x47, false, false,
         {{5, 0x42}}, 50 + 5},
        {"a win on a kong's replacement; tiles laid aside are kongs of no suit", 3, kSelfDrawn,
         {{0x21, 0x22, 0x23, 0x21, 0x22, 0x23, 0x25, 0x26, 0x27, 0x28, 0x28}, {pung}, 2, 1}, 0x47, true, false,
         {{5, 0x10}, {13, 3}, {20, 1}}, 20 + 3 * 2 + 5},
        {"a robbed kong on a discard; a replacement win needs a self-draw", 0, 2, {kPlainHand, {}}, 0x17, true, true,
         {{21, 1}}, 5},
        {"a robbed kong does not count on a self-drawn win", 0, kSelfDrawn, {kPlainHand, {}}, 0x17, false, true, {}, 1},
        {"a pung made a kong is an exposed kong", 1, 0,
         {{0x21, 0x22, 0x23, 0x44, 0x45, 0x46, 0x87, 0x88, 0x89, 0x25, 0x25}, {upgradedPung}}, 0x16, false, false,
         {{13, 1}}, 2},
    };
    const std::vector<int> fanItems = {3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 21};
    for (const ScoringCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto seats = SettleHand(OutcomeOf(c), kMoneyPerFan);
        const SeatSettlement& winner = seats[size_t(c.winner)];
        for (const int item : fanItems) {
            const auto expected = c.items.find(item);
            EXPECT_EQ(winner.items[size_t(item)], expected == c.items.end() ? 0 : expected->second) << "item " << item;
        }
        EXPECT_EQ(FanOf(winner), c.fan);
        EXPECT_EQ(std::max(BoardFan(winner.items), 1), c.fan) << "the board's fan lines add up to the total";
        EXPECT_EQ(winner.items[17], 0);

        const bool selfDrawn = c.discarder == kSelfDrawn;
        const int64_t stake = kMoneyPerFan * c.fan * (selfDrawn ? 2 : 1);
        for (int s = 0; s < 4; ++s) {
            SCOPED_TRACE(s);
            const SeatSettlement& seat = seats[size_t(s)];
            const bool pays = s != c.winner && (selfDrawn || s == c.discarder);
            const int64_t money = s == c.winner ? stake * (selfDrawn ? 3 : 1) : pays ? -stake : 0;
            EXPECT_EQ(seat.money, money);
            EXPECT_EQ(seat.handTotal, money);
            EXPECT_EQ(seat.winner, s == c.winner);
            EXPECT_EQ(seat.items[30], s == c.winner ? 1 : pays ? 2 : 0);
            EXPECT_EQ(seat.items[6], s == c.winner ? (selfDrawn ? 2 : 0) : (s == c.discarder ? 1 : 0));
            if (s != c.winner) {
                EXPECT_EQ(FanOf(seat), pays ? c.fan : 0);
                EXPECT_EQ(seat.items[17], pays ? 2 : 0);
            }
        }
        const int64_t sum = std::accumulate(seats.begin(), seats.end(), int64_t{0},
                                            [](int64_t total, const SeatSettlement& seat) { return total + seat.money; });
        EXPECT_EQ(sum, 0);
    }
}

// A hand played to its end at a table where seat bit 1 is a client that lets
// every turn run out: the settlement and what the client is sent at the end.
// When every seat is such a client nobody ever wins and the wall runs out.
struct PlayedHand {
    int winner = -1;
    std::array<SeatSettlement, 4> settlement{};
    // The SeatResult and ResultDetail packets, in the order they were sent.
    std::vector<GamePacket> results;
};

const std::array<QString, 4> kTitles = {QStringLiteral("新手"), QStringLiteral("雀士"), QStringLiteral("雀王"),
                                        QStringLiteral("雀圣")};

PlayedHand PlayHand(quint32 seed, bool everySeatAClient) {
    HandTableSettings settings;
    settings.turnSeconds = 1;
    settings.answerMargin = HandTable::Time(0);
    settings.computerMoveDelay = HandTable::Time(0);
    PlayedHand played;
    const auto keep = [&played](int seat, const GamePacket& packet) {
        const int type = DecodeGamePacket(packet.data()).MsgType;
        if (seat == 0 && (type == MessageType::SeatResult || type == MessageType::ResultDetail))
            played.results.push_back(packet);
    };
    HandTable table(settings, seed, keep, [](const QString&) {});
    for (int seat = 0; seat < 4; ++seat) {
        table.SetClientSeat(seat, seat == 0 || everySeatAClient);
        table.SetLevelTitle(seat, kTitles[size_t(seat)]);
    }
    table.StartHand(HandTable::Time(0));
    // The clients answer as their time-out move does, which never claims or
    // wins: four of them play a hand to a draw.
    for (int second = 1; second < 10000 && !table.HandEnded(); ++second) {
        const HandTable::Time now(second * 1000);
        EXPECT_EQ(MakeTimeOutMoves(table, now), QStringList());
        table.Advance(now);
    }
    played.winner = table.Winner();
    played.settlement = table.Settlement();
    return played;
}

TEST(Scoring, AClientReadsEveryPlayedHandsTotalsAndItemsAsTheServerSettledIt) {
    std::map<std::string, int> endings;
    for (quint32 seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        // The first two hands have four clients at the table, which end drawn.
        const bool everySeatAClient = seed <= 2;
        const PlayedHand played = PlayHand(seed, everySeatAClient);
        ASSERT_FALSE(played.results.empty()) << "the hand did not end";
        TestClient t;
        SeatAtScriptedTable(t, 8);
        for (const GamePacket& packet : played.results) {
            t.Deliver(ToByteArray(packet));
            try {
                t.Tick(2);
            } catch (const ProgramEnded& end) {
                FAIL() << end.reason.toStdString();
            }
        }
        // Every seat's total comes before the details: the client settles at
        // the fourth detail and shows every seat's total then.
        std::vector<int> types;
        for (const GamePacket& packet : played.results) types.push_back(DecodeGamePacket(packet.data()).MsgType);
        const bool won = played.winner >= 0;
        std::vector<int> expectedTypes(4, MessageType::SeatResult);
        if (won) expectedTypes.insert(expectedTypes.end(), 4, MessageType::ResultDetail);
        ASSERT_EQ(types, expectedTypes);

        int payers = 0;
        for (const SeatSettlement& seat : played.settlement) payers += seat.money < 0;
        const bool selfDrawn = payers == 3;
        endings[!won ? "drawn" : selfDrawn ? "self-drawn" : "on a discard"]++;
        int64_t sum = 0;
        for (int seat = 0; seat < 4; ++seat) {
            SCOPED_TRACE(seat);
            const int local = (4 - seat) % 4;
            const int64_t money = played.settlement[size_t(seat)].money;
            EXPECT_EQ(t->seatInfo[size_t(local)].WinTotal, money) << "the seat's total";
            sum += t->seatInfo[size_t(local)].WinTotal;
            if (!won) {
                EXPECT_EQ(money, 0);
                continue;
            }
            const auto& items = t->handResult[size_t(local)];
            EXPECT_EQ(t->table.HandScore[size_t(local)], double(money)) << "the final score agrees with the total";
            EXPECT_EQ(items[0], 1) << "room";
            EXPECT_EQ(items[1] & 0xFF, 1) << "金币";
            EXPECT_EQ(t->playerInfo[size_t(local)].LevelTitle, kTitles[size_t(seat)]);
            const int fan = items[18] * 256 + items[19];
            const bool winner = seat == played.winner;
            EXPECT_EQ(items[30], winner ? 1 : money < 0 ? 2 : 0);
            // 自摸 on the winner's board, 点炮 on the one discarder's.
            EXPECT_EQ(items[6], winner ? (selfDrawn ? 2 : 0) : (money < 0 && !selfDrawn ? 1 : 0));
            if (winner) {
                EXPECT_GT(money, 0);
                EXPECT_EQ(std::max(BoardFan(items), 1), fan) << "the fan lines add up to the total";
                EXPECT_EQ(items[17], 0);
                EXPECT_EQ(money, 100 * fan * (selfDrawn ? 6 : 1));
            } else {
                EXPECT_EQ(BoardFan(items), 0) << "a loser's board lists no fan";
                EXPECT_EQ(items[17], money < 0 ? 2 : 0) << "a payer's total fan reads negative";
                EXPECT_EQ(fan == 0, money == 0);
            }
        }
        EXPECT_EQ(sum, 0);
        if (won) {
            EXPECT_NE(t->table.NoTaxFlag, 0) << "no tax is taken, so the board shows no tax line";
        }
    }
    for (const char* ending : {"drawn", "self-drawn", "on a discard"})
        EXPECT_GT(endings[ending], 0) << "no hand ended " << ending;
}

TEST(Scoring, DrawnHandMovesNothing) {
    HandOutcome outcome;
    outcome.hands[0] = {kPlainHand, {}};
    outcome.wild = 0x17;
    for (const SeatSettlement& seat : SettleHand(outcome, kMoneyPerFan)) {
        EXPECT_FALSE(seat.winner);
        EXPECT_EQ(seat.money, 0);
        EXPECT_EQ(seat.handTotal, 0);
        EXPECT_EQ(seat.items, (std::array<uint8_t, 48>{}));
    }
}
}  // namespace
