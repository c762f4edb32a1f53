#include "dravik-server/Rules.h"
#include <algorithm>

namespace Rules {
namespace {
constexpr int kKinds = 34;
constexpr std::array<int, 4> kSuitBits = {1, 2, 4, 8};
constexpr std::array<int, 4> kSuitRanks = {7, 9, 9, 9};
constexpr std::array<int, 4> kSuitFirstIndex = {0, 7, 16, 25};

// The tile's place among the 34 kinds, -1 for a code that is no tile.
int KindIndex(Tile tile) {
    const int suit = tile >> 4;
    const int rank = tile & 0x0F;
    for (size_t s = 0; s < kSuitBits.size(); ++s) {
        if (suit == kSuitBits[s]) {
            return rank >= 1 && rank <= kSuitRanks[s] ? kSuitFirstIndex[s] + rank - 1 : -1;
        }
    }
    return -1;
}

bool IsNumbered(Tile tile) { return (tile >> 4) != 1; }

// The rank of a numbered kind, 0 for an honour: honours never make a run.
constexpr int RunRankOf(int index) { return index < kSuitFirstIndex[1] ? 0 : (index - kSuitFirstIndex[1]) % 9 + 1; }

// A hand counted by kind, the wild tiles apart as jokers.
struct Counts {
    std::array<int8_t, kKinds> kinds{};
    int jokers = 0;
};

// False when a code is no tile.
bool CountTiles(const std::vector<Tile>& tiles, Tile wild, Counts& counts) {
    for (const Tile tile : tiles) {
        if (tile == wild) {
            ++counts.jokers;
            continue;
        }
        const int index = KindIndex(tile);
        if (index < 0) {
            return false;
        }
        ++counts.kinds[index];
    }
    return true;
}

// Exact search for sets (and one pair when `needPair`) that use every tile.
// The lowest kind left must sit in a pung, a pair or a run starting at it; a
// run with a joker below it uses the same tiles as one with the joker above.
bool Complete(Counts& c, int from, bool needPair, bool allowRuns) {
    int i = from;
    while (i < kKinds && c.kinds[i] == 0) {
        ++i;
    }
    if (i == kKinds) {
        return needPair ? c.jokers >= 2 && (c.jokers - 2) % 3 == 0 : c.jokers % 3 == 0;
    }
    const int have = c.kinds[i];
    const auto tryGroup = [&](int real, int jokers, bool pair) {
        if (real > have || jokers > c.jokers) {
            return false;
        }
        c.kinds[i] -= real;
        c.jokers -= jokers;
        const bool done = Complete(c, i, pair ? false : needPair, allowRuns);
        c.kinds[i] += real;
        c.jokers += jokers;
        return done;
    };
    for (int real = 3; real >= 1; --real) {
        if (tryGroup(real, 3 - real, false)) {
            return true;
        }
    }
    if (needPair && (tryGroup(2, 0, true) || tryGroup(1, 1, true))) {
        return true;
    }
    const int rank = RunRankOf(i);
    if (!allowRuns || rank == 0 || rank == 9) {
        return false;
    }
    // Runs: i with i + 1 and i + 2, one of the two replaceable by a joker.
    for (const std::pair<int, int>& pattern : {std::pair{1, 1}, {1, 0}, {0, 1}}) {
        const int second = pattern.first, third = pattern.second;
        const int jokers = 2 - second - third;
        if ((third && rank > 7) || jokers > c.jokers || (second && c.kinds[i + 1] == 0) ||
            (third && c.kinds[i + 2] == 0)) {
            continue;
        }
        const auto take = [&](int sign) {
            c.kinds[i] -= sign;
            c.kinds[i + 1] -= sign * second;
            if (third) {
                c.kinds[i + 2] -= sign;
            }
            c.jokers -= sign * jokers;
        };
        take(1);
        const bool done = Complete(c, i, needPair, allowRuns);
        take(-1);
        if (done) {
            return true;
        }
    }
    return false;
}

bool CompleteHand(const std::vector<Tile>& concealed, Tile wild, bool allowRuns) {
    Counts counts;
    if (concealed.size() % 3 != 2 || !CountTiles(concealed, wild, counts)) {
        return false;
    }
    return Complete(counts, 0, true, allowRuns);
}

bool Holds(const std::vector<Tile>& tiles, Tile tile) { return std::find(tiles.begin(), tiles.end(), tile) != tiles.end(); }

bool CanChow(const std::vector<Tile>& concealed, Tile discard) {
    if (KindIndex(discard) < 0 || !IsNumbered(discard)) {
        return false;
    }
    const int rank = discard & 0x0F;
    // The discard lowest, in the middle or highest of the run.
    for (const int low : {rank, rank - 1, rank - 2}) {
        if (low < 1 || low + 2 > 9) {
            continue;
        }
        bool allHeld = true;
        for (int r = low; r <= low + 2; ++r) {
            allHeld = allHeld && (r == rank || Holds(concealed, Tile((discard & 0xF0) | r)));
        }
        if (allHeld) {
            return true;
        }
    }
    return false;
}

int ClaimRank(int operation) {
    switch (operation) {
    case kWin: return 3;
    case kPung:
    case kExposedKong: return 2;
    case kChow: return 1;
    default: return 0;
    }
}
}  // namespace

int CountOf(const std::vector<Tile>& tiles, Tile tile) { return int(std::count(tiles.begin(), tiles.end(), tile)); }

std::vector<Tile> AllTiles() {
    std::vector<Tile> tiles;
    tiles.reserve(136);
    for (size_t s = 0; s < kSuitBits.size(); ++s) {
        for (int rank = 1; rank <= kSuitRanks[s]; ++rank) {
            tiles.insert(tiles.end(), 4, Tile(kSuitBits[s] << 4 | rank));
        }
    }
    return tiles;
}

std::vector<Tile> ShuffledWall(QRandomGenerator& random) {
    std::vector<Tile> wall = AllTiles();
    std::shuffle(wall.begin(), wall.end(), random);
    return wall;
}

Tile WildTileOf(Tile indicator) {
    const int rank = indicator & 0x0F;
    int next = rank + 1;
    if (IsNumbered(indicator)) {
        next = rank == 9 ? 1 : next;
    } else if (rank == 4) {
        next = 1;
    } else if (rank == 7) {
        next = 5;
    }
    return Tile((indicator & 0xF0) | next);
}

bool IsWinningHand(const std::vector<Tile>& concealed, Tile wild) {
    return CompleteHand(concealed, wild, true) || IsSevenPairs(concealed, wild);
}

bool IsSevenPairs(const std::vector<Tile>& concealed, Tile wild) {
    Counts counts;
    if (concealed.size() != 14 || !CountTiles(concealed, wild, counts)) {
        return false;
    }
    int unpaired = 0;
    for (const int8_t count : counts.kinds) {
        unpaired += count % 2;
    }
    return unpaired <= counts.jokers;
}

bool IsAllPungsHand(const std::vector<Tile>& concealed, Tile wild) { return CompleteHand(concealed, wild, false); }

int SelfDrawOptions(const Hand& hand, Tile wild, bool wallEmpty) {
    int options = IsWinningHand(hand.concealed, wild) ? kWin : 0;
    if (wallEmpty) {
        return options;
    }
    for (const Tile tile : hand.concealed) {
        if (tile != wild && CountOf(hand.concealed, tile) == 4) {
            options |= kConcealedKong;
        }
        if (tile == kRedDragon || tile == wild) {
            options |= kSingleKong;
        }
    }
    for (const Meld& meld : hand.melds) {
        if (meld.kind == kPung && !meld.upgraded && Holds(hand.concealed, meld.tiles[0])) {
            options |= kSingleKong;
        }
    }
    return options;
}

int DiscardOptions(const Hand& hand, Tile discard, bool nextInTurn, Tile wild, bool wallEmpty) {
    if (KindIndex(discard) < 0) {
        return 0;
    }
    std::vector<Tile> withDiscard = hand.concealed;
    withDiscard.push_back(discard);
    int options = IsWinningHand(withDiscard, wild) ? kWin : 0;
    const int held = CountOf(hand.concealed, discard);
    if (held >= 2) {
        options |= kPung;
    }
    if (held >= 3 && !wallEmpty) {
        options |= kExposedKong;
    }
    if (nextInTurn && CanChow(hand.concealed, discard)) {
        options |= kChow;
    }
    return options;
}

int ClaimWinner(const std::array<int, 4>& claims, int discarder) {
    int winner = -1;
    if (discarder < 0 || discarder > 3) {
        return winner;
    }
    int bestRank = 0;
    for (int step = 1; step <= 3; ++step) {
        const int seat = (discarder + step) % 4;
        int rank = ClaimRank(claims[seat]);
        // A chow belongs only to the seat that plays next.
        if (claims[seat] == kChow && step != 1) {
            rank = 0;
        }
        if (rank > bestRank) {
            bestRank = rank;
            winner = seat;
        }
    }
    return winner;
}
}  // namespace Rules
