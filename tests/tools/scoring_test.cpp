#include "dravik-server/Scoring.h"
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
