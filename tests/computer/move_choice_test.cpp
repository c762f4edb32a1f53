#include "ComputerFixture.h"
#include "computer/MoveChoice.h"

namespace {
using MoveChoice = OwnHandFixture;

TEST_F(MoveChoice, TheDiscardLeavesTheMostValuableHand) {
    struct DiscardCase {
        const char* name;
        std::vector<int> hand;
        int weakSuit, suitsPresent;
        int expected;
    };
    const std::vector<int> mixed = Joined({Circles({5, 9}), Characters({1, 2, 3}), Bamboo({2, 3, 4})});
    const DiscardCase cases[] = {
        {"the tile outside the run", Bamboo({1, 2, 3, 9}), 0, 0, 0x29},
        {"no weak suit yet", mixed, 0, 0, 0x89},
        {"the weak suit goes first, even out of a complete run", mixed, 2, 3, 0x41},
        {"a weak suit without all three suits is ignored", mixed, 2, 2, 0x89},
        {"no weak suit applies", mixed, -1, 3, 0x89},
        {"a tie goes to the first slot", Bamboo({9, 1}), 0, 0, 0x29},
        {"the same tie the other way round", Bamboo({1, 9}), 0, 0, 0x21},
        {"an honour alone beside runs", Joined({Bamboo({1, 2, 3}), Honours({5})}), 0, 0, 0x15},
    };
    for (const DiscardCase& test : cases) {
        SCOPED_TRACE(test.name);
        Hand(test.hand);
        c.computer.WeakSuit = static_cast<int16_t>(test.weakSuit);
        c.computer.SuitsPresent = static_cast<int16_t>(test.suitsPresent);
        EXPECT_EQ(ChooseDiscard(c), test.expected);
    }
}

TEST_F(MoveChoice, SeenCopiesMakeATileTheBetterDiscard) {
    Hand(Bamboo({1, 9}));
    c.computer.SeenTiles[1][9] = 2;
    EXPECT_EQ(ChooseDiscard(c), 0x29);
}

TEST_F(MoveChoice, TheDiscardIsAPlainTileCode) {
    Hand({0x2021, 0x2022, 0x2023, 0x2029});
    EXPECT_EQ(ChooseDiscard(c), 0x29);
    EXPECT_EQ(Slot(Run(3)).Tile, 0x29);
}

TEST_F(MoveChoice, AClaimMustRaiseTheSuitsValueByMoreThanOneHundredFifty) {
    struct ClaimCase {
        const char* name;
        std::vector<int> hand;
        int kind, tile;
        bool claim;
        int claimTile1, claimTile2;  // slots (Run offsets) for a chow, the tile for a pung
        int seenRank = 0, seen = 0;
    };
    constexpr int kNoSlot = -1;
    const ClaimCase cases[] = {
        {"chow into the middle", Bamboo({4, 6}), 1, 0x25, true, 0, 1},
        {"two shapes tie: the lower one wins", Bamboo({3, 4, 6, 7}), 1, 0x25, true, 0, 1},
        {"a complete run is not broken for a chow", Bamboo({3, 4, 5}), 1, 0x26, false, 0, 1},
        {"a 1 can only be chowed upwards", Bamboo({2, 3}), 1, 0x21, true, 0, 1},
        {"a 9 only downwards", Bamboo({7, 8}), 1, 0x29, true, 0, 1},
        {"no shape held", Bamboo({1, 2, 8, 9}), 1, 0x25, false, kNoSlot, kNoSlot},
        {"the first slot of each hand tile, lower rank first", Bamboo({6, 9, 4}), 1, 0x25, true, 2, 0},
        {"the marker bits of the discard are ignored", Bamboo({4, 6}), 1, 0x2025, true, 0, 1},
        {"pung of a pair of East", Honours({1, 1}), 2, kEast, true, kEast, 0},
        {"a triplet already complete", Bamboo({5, 5, 5}), 2, 0x25, false, 0x25, 0},
        {"a difference of 151 claims", Bamboo({3, 4, 4, 5, 5, 5}), 2, 0x24, true, 0x24, 0, 3, 410},
        {"a difference of exactly 150 does not", Bamboo({2, 3, 3, 4, 4, 4}), 2, 0x23, false, 0x23, 0, 2, 411},
    };
    for (const ClaimCase& test : cases) {
        SCOPED_TRACE(test.name);
        c.computer.SeenTiles = {};
        c.computer.SeenTiles[1][test.seenRank] = static_cast<int16_t>(test.seen);
        Hand(test.hand);
        EXPECT_EQ(ShouldClaim(c, test.kind, test.tile), test.claim);
        if (test.kind != 1) {
            EXPECT_EQ(c.computer.ClaimTile1, test.claimTile1);
            EXPECT_EQ(c.computer.ClaimTile2, 0);
        } else if (test.claimTile1 == kNoSlot) {
            EXPECT_EQ(c.computer.ClaimTile1, 0);
            EXPECT_EQ(c.computer.ClaimTile2, 0);
        } else if (test.claim) {
            EXPECT_EQ(c.computer.ClaimTile1, Run(test.claimTile1));
            EXPECT_EQ(c.computer.ClaimTile2, Run(test.claimTile2));
        }
    }
}

// The server offers a pung only for a pair it sees; a hand that does not
// hold one declines instead of ending the client.
TEST_F(MoveChoice, APungWithoutThePairIsDeclined) {
    for (const auto& hand : {Bamboo({5, 6, 7}), Bamboo({1, 2})}) {
        Hand(hand);
        EXPECT_FALSE(ShouldClaim(c, 2, 0x25));
    }
}
}  // namespace
