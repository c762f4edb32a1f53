#include "dravik-server/Rules.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <optional>
#include <random>

using Rules::Hand;
using Rules::Meld;
using Rules::Tile;

namespace {
// A wild tile none of the plain hands below holds.
constexpr Tile kNoWild = 0x89;

struct WinCase {
    const char* name;
    std::vector<Tile> concealed;
    Tile wild;
    bool wins;
};

TEST(Rules, WinDetection) {
    const WinCase cases[] = {
        {"runs, a pung and a pair", {0x21, 0x22, 0x23, 0x44, 0x45, 0x46, 0x87, 0x88, 0x86, 0x11, 0x11, 0x11, 0x15, 0x15},
         kNoWild, true},
        {"one tile off", {0x21, 0x22, 0x23, 0x44, 0x45, 0x46, 0x87, 0x88, 0x85, 0x11, 0x11, 0x11, 0x15, 0x15},
         kNoWild, false},
        {"honours never make a run", {0x11, 0x12, 0x13, 0x15, 0x16, 0x17, 0x21, 0x21}, kNoWild, false},
        {"runs do not wrap from 9 to 1", {0x28, 0x29, 0x21, 0x44, 0x44}, kNoWild, false},
        {"runs do not cross suits", {0x28, 0x29, 0x41, 0x44, 0x44}, kNoWild, false},
        {"the pair alone", {0x17, 0x17}, kNoWild, true},
        {"a count that is not 3n + 2", {0x21, 0x22, 0x23, 0x44}, kNoWild, false},
        {"no tiles at all", {}, kNoWild, false},
        {"a code that is no tile", {0x2A, 0x2A}, kNoWild, false},
        {"an honour rank past 白", {0x18, 0x18}, kNoWild, false},
        {"seven pairs", {0x21, 0x21, 0x25, 0x25, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13, 0x16, 0x16, 0x29, 0x29},
         kNoWild, true},
        {"seven pairs with four equal tiles", {0x21, 0x21, 0x21, 0x21, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13, 0x16, 0x16, 0x29, 0x29},
         kNoWild, true},
        {"six pairs and two odd tiles", {0x21, 0x22, 0x25, 0x25, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13, 0x16, 0x16, 0x29, 0x29},
         kNoWild, false},
        {"1 wild fills the gap of a run", {0x21, 0x25, 0x23, 0x44, 0x44}, 0x25, true},
        {"1 wild pairs a lone tile", {0x21, 0x22, 0x23, 0x44, 0x89}, 0x89, true},
        {"1 wild is not enough for two gaps", {0x21, 0x23, 0x45, 0x47, 0x89, 0x11, 0x11, 0x11}, 0x89, false},
        {"1 wild on top of 8-9", {0x28, 0x29, 0x89, 0x44, 0x44}, 0x89, true},
        {"1 wild makes seven pairs", {0x21, 0x21, 0x22, 0x89, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13, 0x16, 0x16, 0x29, 0x29},
         0x89, true},
        {"2 wilds are the pair", {0x21, 0x22, 0x23, 0x89, 0x89}, 0x89, true},
        {"2 wilds make a set of a lone honour", {0x11, 0x89, 0x89, 0x44, 0x44}, 0x89, true},
        {"2 wilds for two gaps", {0x21, 0x23, 0x45, 0x47, 0x89, 0x89, 0x11, 0x11}, 0x89, true},
        {"3 wilds are a set", {0x89, 0x89, 0x89, 0x44, 0x44}, 0x89, true},
        {"3 wilds fill three gaps", {0x21, 0x23, 0x45, 0x47, 0x16, 0x16, 0x12, 0x12, 0x89, 0x89, 0x89}, 0x89, true},
        {"3 wilds cannot save four lone tiles", {0x11, 0x12, 0x13, 0x14, 0x89, 0x89, 0x89, 0x44}, 0x89, false},
        {"4 wilds and ten tiles short of four", {0x11, 0x13, 0x15, 0x21, 0x24, 0x27, 0x42, 0x42, 0x42, 0x86, 0x89, 0x89,
                                                 0x89, 0x89},
         0x89, false},
        {"4 wilds and ten tiles short of four, one a pair", {0x11, 0x11, 0x15, 0x15, 0x21, 0x22, 0x42, 0x42, 0x42, 0x86,
                                                             0x89, 0x89, 0x89, 0x89},
         0x89, true},
        {"the wild tile as itself in a run", {0x87, 0x88, 0x89, 0x44, 0x44}, 0x89, true},
    };
    for (const WinCase& c : cases) {
        EXPECT_EQ(Rules::IsWinningHand(c.concealed, c.wild), c.wins) << c.name;
    }
}

// A plain search without wild tiles: pick the smallest tile's set or pair.
bool PlainWin(std::vector<Tile> tiles, bool pairUsed) {
    if (tiles.empty()) {
        return pairUsed;
    }
    std::sort(tiles.begin(), tiles.end());
    const Tile t = tiles.front();
    const auto without = [&](std::vector<Tile> remove) -> std::optional<std::vector<Tile>> {
        std::vector<Tile> rest = tiles;
        for (const Tile r : remove) {
            const auto it = std::find(rest.begin(), rest.end(), r);
            if (it == rest.end()) {
                return std::nullopt;
            }
            rest.erase(it);
        }
        return rest;
    };
    if (const auto rest = without({t, t, t}); rest && PlainWin(*rest, pairUsed)) {
        return true;
    }
    if (const auto rest = without({t, t}); !pairUsed && rest && PlainWin(*rest, true)) {
        return true;
    }
    const auto run = without({t, Tile(t + 1), Tile(t + 2)});
    return (t >> 4) != 1 && (t & 0x0F) <= 7 && run && PlainWin(*run, pairUsed);
}

bool PlainSevenPairs(const std::vector<Tile>& tiles) {
    std::map<Tile, int> counts;
    for (const Tile t : tiles) {
        ++counts[t];
    }
    return tiles.size() == 14 && std::all_of(counts.begin(), counts.end(), [](auto& c) { return c.second % 2 == 0; });
}

// Every way of reading the wild tiles as tiles, checked the plain way.
bool ReferenceWin(std::vector<Tile> tiles, Tile wild) {
    const auto it = std::find(tiles.begin(), tiles.end(), wild);
    if (it == tiles.end()) {
        return PlainWin(tiles, false) || PlainSevenPairs(tiles);
    }
    const size_t at = size_t(it - tiles.begin());
    const std::vector<Tile> all = Rules::AllTiles();
    for (size_t kind = 0; kind < all.size(); kind += 4) {
        // The joker read as a tile that is never the wild code again.
        tiles[at] = all[kind] == wild ? Tile(0xF0 | kind % 16) : all[kind];
        if (ReferenceWin(tiles, wild)) {
            return true;
        }
    }
    return false;
}

TEST(Rules, WinDetectionAgreesWithEveryReadingOfTheWildTiles) {
    std::mt19937 random(20240611);
    // Few kinds per hand, so that wins are common.
    const std::vector<Tile> kinds = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x15, 0x16};
    int wins = 0, losses = 0;
    for (int round = 0; round < 900; ++round) {
        const size_t size = std::vector<size_t>{2, 5, 8, 11, 14}[round % 5];
        const int jokers = round % 3;
        const Tile wild = 0x45;
        std::vector<Tile> tiles(size_t(jokers), wild);
        while (tiles.size() < size) {
            tiles.push_back(kinds[random() % kinds.size()]);
        }
        const bool expected = ReferenceWin(tiles, wild);
        (expected ? wins : losses)++;
        ASSERT_EQ(Rules::IsWinningHand(tiles, wild), expected) << "round " << round;
    }
    EXPECT_GT(wins, 60);
    EXPECT_GT(losses, 60);
}

TEST(Rules, ScoredShapes) {
    EXPECT_TRUE(Rules::IsAllPungsHand({0x11, 0x11, 0x11, 0x24, 0x24, 0x24, 0x45, 0x45}, kNoWild));
    EXPECT_TRUE(Rules::IsAllPungsHand({0x11, 0x11, 0x24, 0x24, 0x24, 0x45, 0x45, 0x89}, 0x89)) << "wild completes a pung";
    EXPECT_FALSE(Rules::IsAllPungsHand({0x21, 0x22, 0x23, 0x45, 0x45}, kNoWild)) << "a run is no pung";
    EXPECT_TRUE(Rules::IsSevenPairs({0x21, 0x21, 0x21, 0x21, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13, 0x16, 0x16, 0x29, 0x89},
                                    0x89));
    EXPECT_FALSE(Rules::IsSevenPairs({0x21, 0x21, 0x47, 0x47, 0x81, 0x81, 0x13, 0x13}, kNoWild)) << "fourteen tiles only";
}

TEST(Rules, WildTileFollowsItsIndicator) {
    const std::pair<Tile, Tile> cases[] = {
        {0x21, 0x22}, {0x29, 0x21}, {0x45, 0x46}, {0x89, 0x81},  // numbered: next rank, 9 → 1
        {0x11, 0x12}, {0x14, 0x11},                              // winds 東 南 西 北 → 東
        {0x15, 0x16}, {0x16, 0x17}, {0x17, 0x15},                // dragons 中 發 白 → 中
    };
    for (const auto& [indicator, wild] : cases) {
        EXPECT_EQ(Rules::WildTileOf(indicator), wild) << int(indicator);
    }
}

TEST(Rules, WallHoldsFourOfEachTileShuffled) {
    std::map<Tile, int> counts;
    for (const Tile t : Rules::AllTiles()) {
        ++counts[t];
    }
    EXPECT_EQ(counts.size(), 34u);
    EXPECT_TRUE(std::all_of(counts.begin(), counts.end(), [](auto& c) { return c.second == 4; }));

    QRandomGenerator random(7);
    const std::vector<Tile> first = Rules::ShuffledWall(random);
    const std::vector<Tile> second = Rules::ShuffledWall(random);
    EXPECT_TRUE(std::is_permutation(first.begin(), first.end(), Rules::AllTiles().begin()));
    EXPECT_NE(first, second);
}

struct OptionsCase {
    const char* name;
    Hand hand;
    bool wallEmpty;
    int options;
};

TEST(Rules, SelfDrawOptions) {
    const Tile wild = 0x47;
    const Meld pungOf29{Rules::kPung, {0x29, 0x29, 0x29}, false};
    const Meld upgradedPungOf29{Rules::kPung, {0x29, 0x29, 0x29}, true};
    const OptionsCase cases[] = {
        {"nothing", {{0x21, 0x24, 0x27, 0x42, 0x81}, {}}, false, 0},
        {"a win", {{0x21, 0x22, 0x23, 0x81, 0x81}, {}}, false, Rules::kWin},
        {"a win on the wall's last tile", {{0x21, 0x22, 0x23, 0x81, 0x81}, {}}, true, Rules::kWin},
        {"four equal tiles", {{0x23, 0x23, 0x23, 0x23, 0x81}, {}}, false, Rules::kConcealedKong},
        {"four wild tiles win and are one-tile kongs, no concealed kong", {{0x47, 0x47, 0x47, 0x47, 0x81}, {}}, false,
         Rules::kWin | Rules::kSingleKong},
        {"a pung's fourth tile", {{0x29, 0x21, 0x24, 0x27, 0x81}, {pungOf29}}, false, Rules::kSingleKong},
        {"not a pung already made a kong", {{0x29, 0x21, 0x24, 0x27, 0x81}, {upgradedPungOf29}}, false, 0},
        {"a Red Dragon", {{0x15, 0x21, 0x24, 0x27, 0x81}, {}}, false, Rules::kSingleKong},
        {"the wild tile", {{0x47, 0x21, 0x24, 0x27, 0x81}, {}}, false, Rules::kSingleKong},
        {"no kong with the wall empty", {{0x15, 0x23, 0x23, 0x23, 0x23}, {}}, true, 0},
        {"a win with the wild tile and kongs", {{0x15, 0x15, 0x15, 0x15, 0x47}, {}}, false,
         Rules::kWin | Rules::kConcealedKong | Rules::kSingleKong},
    };
    for (const OptionsCase& c : cases) {
        EXPECT_EQ(Rules::SelfDrawOptions(c.hand, wild, c.wallEmpty), c.options) << c.name;
    }
}

struct DiscardCase {
    const char* name;
    std::vector<Tile> concealed;
    Tile discard;
    bool nextInTurn;
    bool wallEmpty;
    int options;
};

TEST(Rules, DiscardOptions) {
    const Tile wild = 0x47;
    const DiscardCase cases[] = {
        {"nothing", {0x21, 0x24, 0x27, 0x42}, 0x81, true, false, 0},
        {"a pair makes a pung", {0x81, 0x81, 0x24, 0x27}, 0x81, false, false, Rules::kPung},
        {"three make a pung or a kong", {0x81, 0x81, 0x81, 0x27}, 0x81, false, false,
         Rules::kPung | Rules::kExposedKong},
        {"no kong with the wall empty", {0x81, 0x81, 0x81, 0x27}, 0x81, false, true, Rules::kPung},
        {"a run for the next seat, discard lowest", {0x25, 0x26, 0x11, 0x13}, 0x24, true, false, Rules::kChow},
        {"a run for the next seat, discard in the middle", {0x23, 0x25, 0x11, 0x13}, 0x24, true, false, Rules::kChow},
        {"a run for the next seat, discard highest", {0x22, 0x23, 0x11, 0x13}, 0x24, true, false, Rules::kChow},
        {"no run for any other seat", {0x25, 0x26, 0x11, 0x13}, 0x24, false, false, 0},
        {"no run of honours", {0x12, 0x13, 0x21, 0x21}, 0x11, true, false, 0},
        {"no run across suits", {0x28, 0x29, 0x21, 0x21}, 0x41, true, false, 0},
        {"a wild tile is only itself for a pung", {0x81, 0x47, 0x24, 0x27}, 0x81, false, false, 0},
        {"a wild tile is only itself for a run", {0x25, 0x47, 0x11, 0x13}, 0x24, true, false, 0},
        {"but stands in for anything in a win", {0x21, 0x22, 0x47, 0x11}, 0x11, false, false, Rules::kWin},
        {"a win and a run", {0x22, 0x23, 0x11, 0x11}, 0x24, true, false, Rules::kWin | Rules::kChow},
        {"a win on the last discard", {0x22, 0x23, 0x11, 0x11}, 0x21, false, true, Rules::kWin},
        {"a code that is no tile", {0x2A, 0x2A, 0x11, 0x11}, 0x2A, true, false, 0},
    };
    for (const DiscardCase& c : cases) {
        EXPECT_EQ(Rules::DiscardOptions({c.concealed, {}}, c.discard, c.nextInTurn, wild, c.wallEmpty), c.options)
            << c.name;
    }
}

struct ClaimCase {
    const char* name;
    std::array<int, 4> claims;
    int discarder;
    int winner;
};

TEST(Rules, ClaimPriorityAndTurnOrder) {
    constexpr int P = Rules::kPass, C = Rules::kChow, U = Rules::kPung, K = Rules::kExposedKong, W = Rules::kWin;
    const ClaimCase cases[] = {
        {"nobody claims", {0, P, P, P}, 0, -1},
        {"a chow alone", {0, C, P, P}, 0, 1},
        {"a pung beats a chow", {0, C, U, P}, 0, 2},
        {"a kong beats a chow", {0, C, P, K}, 0, 3},
        {"a win beats a pung", {0, P, U, W}, 0, 3},
        {"a win beats a chow of the next seat", {C, W, P, 0}, 3, 1},
        {"two wins: the nearest after the discarder", {W, P, 0, W}, 2, 3},
        {"two wins across the wrap", {W, W, P, 0}, 3, 0},
        {"pung and kong tie: the nearest", {U, P, K, 0}, 3, 0},
        {"the discarder's own claim is ignored", {P, W, P, P}, 1, -1},
        {"a chow from a seat that is not next is ignored", {P, 0, P, C}, 1, -1},
        {"an operation that is no claim is ignored", {Rules::kConcealedKong, Rules::kSingleKong, 0, P}, 2, -1},
        {"a discarder outside the table", {W, W, W, W}, 4, -1},
    };
    for (const ClaimCase& c : cases) {
        EXPECT_EQ(Rules::ClaimWinner(c.claims, c.discarder), c.winner) << c.name;
    }
}
}  // namespace
