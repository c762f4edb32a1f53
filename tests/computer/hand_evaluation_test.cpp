#include "ComputerFixture.h"
#include "computer/HandEvaluation.h"

namespace {
using HandEvaluation = OwnHandFixture;

struct SuitCase {
    const char* name;
    std::vector<int> hand;
    int mode;
    int tile;
    int expected;
};

TEST_F(HandEvaluation, ValuesASuitByItsMeldsAndWhatIsLeftOver) {
    const SuitCase cases[] = {
        {"no tiles of the suit", Characters({1, 2, 3}), 0, 0x21, 0},
        {"one East", Honours({1}), 0, kEast, -60},
        {"a pair of East", Honours({1, 1}), 0, kEast, -30},
        {"three East", Honours({1, 1, 1}), 0, kEast, 1000},
        {"three East, pung mode", Honours({1, 1, 1}), 3, kEast, 1000},
        {"three East, no meld bonus", Honours({1, 1, 1}), 4, kEast, 0},
        {"four East: a triplet and one left over beside it", Honours({1, 1, 1, 1}), 0, kEast, 1090},
        {"honours never run", Honours({1, 2, 3}), 0, kEast, -180},
        {"bamboo 1-2-3", Bamboo({1, 2, 3}), 0, 0x21, 1000},
        {"bamboo 1-2-3 without the bonus", Bamboo({1, 2, 3}), 4, 0x21, 0},
        {"bamboo 1-2-3-5", Bamboo({1, 2, 3, 5}), 0, 0x21, 963},
        {"a lone bamboo 5", Bamboo({5}), 0, 0x25, -41},
        {"a lone bamboo 1", Bamboo({1}), 0, 0x21, -45},
        {"a pair of bamboo 5", Bamboo({5, 5}), 0, 0x25, -26},
        {"bamboo 2 and 4", Bamboo({2, 4}), 0, 0x22, -78},
        {"bamboo 5-5-5-6 takes the triplet", Bamboo({5, 5, 5, 6}), 0, 0x25, 971},
        {"bamboo 4-5-5-6", Bamboo({4, 5, 5, 6}), 0, 0x25, 972},
        {"bamboo 1-1-2-2-3-3: two runs", Bamboo({1, 1, 2, 2, 3, 3}), 0, 0x21, 2000},
        {"characters value as bamboo do", Characters({1, 2, 3, 5}), 0, 0x41, 963},
        {"circles too", Circles({5, 5, 5, 6}), 0, 0x81, 971},
        {"leaving one bamboo 5 out", Bamboo({1, 2, 3, 5}), 1, 0x25, 1000},
        {"leaving out a tile of another rank", Bamboo({1, 2, 3, 5}), 1, 0x21, -90},
        {"only the suit of the tile counts", Joined({Bamboo({5}), Honours({1, 1, 1})}), 0, 0x29, -41},
        {"five passes at most: five triplets", Bamboo({1, 1, 1, 3, 3, 3, 5, 5, 5, 7, 7, 7, 9, 9, 9}), 0, 0x21, 5000},
    };
    for (const SuitCase& test : cases) {
        SCOPED_TRACE(test.name);
        Hand(test.hand);
        CountHandTiles(c);
        EXPECT_EQ(EvaluateSuit(c, test.mode, test.tile), test.expected);
    }
}

TEST_F(HandEvaluation, SixTripletsLeaveTheSixthOverAfterFivePasses) {
    c.seatInfo[0].FirstConcealed = 0;
    Hand(Bamboo({1, 1, 1, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 9, 9, 9}));
    CountHandTiles(c);
    EXPECT_EQ(EvaluateSuit(c, 0, 0x21), 4998);
    int left = 0;
    for (int r = 1; r <= 9; ++r) left += c.computer.TileCount[1][r];
    EXPECT_EQ(left, 3);
}

TEST_F(HandEvaluation, ModeOnePutsTheLeftOutTileBackAndTheCountsHoldTheLeftovers) {
    Hand(Bamboo({1, 2, 3, 5}));
    CountHandTiles(c);
    EXPECT_EQ(EvaluateSuit(c, 1, 0x25), 1000);
    EXPECT_EQ(c.computer.TileCount[1][5], 1);
    EXPECT_EQ(c.computer.TileCount[1][1], 0);
    EXPECT_EQ(c.computer.MeldTiles[1][1], 1);
    EXPECT_EQ(c.computer.MeldTiles[1][3], 1);
}

TEST_F(HandEvaluation, SeenCopiesCostTwoOncePerLeftOverRankAndNothingForMeldedRanks) {
    struct SeenCase {
        const char* name;
        std::vector<int> hand;
        int suit, rank, seen, expected;
    };
    const SeenCase cases[] = {
        {"a lone bamboo 5 seen three times", Bamboo({5}), 1, 5, 3, -47},
        {"a pair pays once, not per copy", Bamboo({5, 5}), 1, 5, 3, -32},
        {"a melded rank costs nothing", Bamboo({1, 2, 3, 5}), 1, 2, 4, 963},
        {"an honour pair", Honours({1, 1}), 0, 1, 2, -34},
        {"a rank not held", Bamboo({5}), 1, 6, 4, -41},
    };
    for (const SeenCase& test : cases) {
        SCOPED_TRACE(test.name);
        c.computer.SeenTiles = {};
        c.computer.SeenTiles[test.suit][test.rank] = static_cast<int16_t>(test.seen);
        Hand(test.hand);
        CountHandTiles(c);
        EXPECT_EQ(EvaluateSuit(c, 0, test.hand.front()), test.expected);
    }
}

TEST_F(HandEvaluation, CountingKeepsOnlyTheLowByteOfEachConcealedTile) {
    Hand({0x2021, 0x4025, 0x11});
    c.seatInfo[0].Slots[Run(3)].Tile = 0x2029;  // outside the run: untouched
    CountHandTiles(c);
    EXPECT_EQ(Slot(Run(0)).Tile, 0x21);
    EXPECT_EQ(Slot(Run(1)).Tile, 0x25);
    EXPECT_EQ(Slot(Run(3)).Tile, 0x2029);
    EXPECT_EQ(c.computer.TileCount[1][1], 1);
    EXPECT_EQ(c.computer.TileCount[1][5], 1);
    EXPECT_EQ(c.computer.TileCount[0][1], 1);
}

TEST_F(HandEvaluation, TheWeakSuitIsTheNumberedSuitWithFewestTilesOnlyWhenAllThreeAreHeld) {
    struct WeakCase {
        const char* name;
        std::vector<int> hand;
        int weak, present;
    };
    const WeakCase cases[] = {
        {"two numbered suits", Joined({Bamboo({1, 2}), Characters({3}), Honours({1, 1, 1, 1})}), -1, 2},
        {"circles lose a tie with bamboo", Joined({Bamboo({1, 2, 3}), Characters({1, 2, 3, 4}), Circles({1, 2, 3})}),
         3, 3},
        {"bamboo fewest", Joined({Bamboo({1}), Characters({1, 2, 3}), Circles({5, 6}), Honours({7})}), 1, 3},
        {"characters fewest", Joined({Bamboo({1, 2}), Characters({5}), Circles({5, 6})}), 2, 3},
        {"honours are never weak", Joined({Bamboo({1, 2}), Characters({5, 6}), Circles({5, 6}), Honours({1})}), 3, 3},
        {"only honours", Honours({1, 2}), -1, 0},
    };
    for (const WeakCase& test : cases) {
        SCOPED_TRACE(test.name);
        Hand(test.hand);
        FindWeakSuit(c);
        EXPECT_EQ(c.computer.WeakSuit, test.weak);
        EXPECT_EQ(c.computer.SuitsPresent, test.present);
    }
}

TEST_F(HandEvaluation, AHandIsNearlyReadyWhenItsLeftoversAreWorthMoreThanMinusOneHundred) {
    Hand(Bamboo({2, 3, 7}));  // exactly −100
    EXPECT_FALSE(IsHandNearlyReady(c));
    Hand(Bamboo({2, 6, 7}));  // −99
    EXPECT_TRUE(IsHandNearlyReady(c));
    // Melds earn nothing here: four melds and a pair count only the pair.
    Hand(Joined({Bamboo({1, 2, 3}), Characters({4, 5, 6}), Circles({7, 7, 7}), Honours({2, 2, 2, 1, 1})}));
    EXPECT_TRUE(IsHandNearlyReady(c));
    Hand(Joined({Bamboo({1, 5, 9}), Honours({1, 2})}));
    EXPECT_FALSE(IsHandNearlyReady(c));
}
}  // namespace
