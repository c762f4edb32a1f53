#include "dravik-server/ComputerPlayer.h"
#include <algorithm>
#include <tuple>

using Rules::CountOf;
using Rules::Hand;
using Rules::Meld;
using Rules::Tile;

namespace {
bool IsHonour(Tile tile) { return (tile >> 4) == 1; }

// How much a tile does for the hand: equal tiles count most, then neighbours
// of its suit one rank away, then two ranks away. 0 for a lone tile.
int Usefulness(const std::vector<Tile>& concealed, Tile tile) {
    int score = 6 * std::min(CountOf(concealed, tile) - 1, 2);
    if (IsHonour(tile)) {
        return score;
    }
    const int rank = tile & 0x0F;
    for (const int distance : {1, 2}) {
        for (const int neighbour : {rank - distance, rank + distance}) {
            if (neighbour >= 1 && neighbour <= 9 && CountOf(concealed, Tile((tile & 0xF0) | neighbour)) > 0) {
                score += distance == 1 ? 3 : 1;
            }
        }
    }
    return score;
}

// Among equally useless tiles honours go first, then terminals, then the
// middle ranks, which make runs most easily later.
int Centrality(Tile tile) {
    if (IsHonour(tile)) {
        return 0;
    }
    const int rank = tile & 0x0F;
    return std::min(rank, 10 - rank);
}

// A pung's fourth tile that stands alone, or a lone Red Dragon: laying it
// aside costs the hand nothing. Wild tiles are worth more in the hand. 0 when none.
Tile HarmlessSingleKongTile(const Hand& hand, Tile wild) {
    for (const Meld& meld : hand.melds) {
        const Tile tile = meld.tiles[0];
        if (meld.kind == Rules::kPung && !meld.upgraded && tile != wild && CountOf(hand.concealed, tile) > 0 &&
            Usefulness(hand.concealed, tile) == 0) {
            return tile;
        }
    }
    if (Rules::kRedDragon != wild && CountOf(hand.concealed, Rules::kRedDragon) == 1) {
        return Rules::kRedDragon;
    }
    return 0;
}

bool HasConcealedFour(const Hand& hand, Tile wild) {
    return std::any_of(hand.concealed.begin(), hand.concealed.end(),
                       [&](Tile tile) { return tile != wild && CountOf(hand.concealed, tile) == 4; });
}
}  // namespace

namespace ComputerPlayer {
Tile ChooseDiscard(const Hand& hand, Tile wild) {
    Tile best = 0;
    std::tuple<int, int, Tile> bestKey{};
    for (const Tile tile : hand.concealed) {
        if (tile == wild) {
            continue;
        }
        const std::tuple<int, int, Tile> key{Usefulness(hand.concealed, tile), Centrality(tile), tile};
        if (best == 0 || key < bestKey) {
            best = tile;
            bestKey = key;
        }
    }
    return best != 0 || hand.concealed.empty() ? best : wild;
}

int ChooseSelfDrawAnswer(const Hand& hand, int offered, Tile wild) {
    if (offered & Rules::kWin) {
        return Rules::kWin;
    }
    if ((offered & Rules::kConcealedKong) && HasConcealedFour(hand, wild)) {
        return Rules::kConcealedKong;
    }
    if ((offered & Rules::kSingleKong) && HarmlessSingleKongTile(hand, wild) != 0) {
        return Rules::kSingleKong;
    }
    return 0;
}

int ChooseClaimAnswer(const Hand& hand, int offered, Tile discard, Tile wild) {
    if (offered & Rules::kWin) {
        return Rules::kWin;
    }
    // A wild tile is worth more as a discard passed by than spent on a set.
    if (discard == wild) {
        return Rules::kPass;
    }
    const int held = CountOf(hand.concealed, discard);
    if ((offered & Rules::kExposedKong) && held >= 3) {
        return Rules::kExposedKong;
    }
    if ((offered & Rules::kPung) && held >= 2) {
        return Rules::kPung;
    }
    if (offered & Rules::kChow) {
        const std::array<Tile, 2> pair = ChowTiles(hand, discard);
        const bool spare = [&] {
            for (const Tile tile : pair) {
                if (tile == 0 || tile == wild || CountOf(hand.concealed, tile) != 1) {
                    return false;
                }
            }
            return true;
        }();
        if (spare) {
            return Rules::kChow;
        }
    }
    return Rules::kPass;
}

std::array<Tile, 2> ChowTiles(const Hand& hand, Tile discard) {
    std::array<Tile, 2> best{};
    if (IsHonour(discard)) {
        return best;
    }
    const int rank = discard & 0x0F;
    int bestShared = 0;
    // Prefer the two tiles the hand holds only once, so no pair or set is broken.
    for (const auto& [low, high] : {std::pair{rank + 1, rank + 2}, {rank - 1, rank + 1}, {rank - 2, rank - 1}}) {
        if (low < 1 || high > 9) {
            continue;
        }
        const std::array<Tile, 2> pair{Tile((discard & 0xF0) | low), Tile((discard & 0xF0) | high)};
        const int lowCount = CountOf(hand.concealed, pair[0]);
        const int highCount = CountOf(hand.concealed, pair[1]);
        if (lowCount == 0 || highCount == 0) {
            continue;
        }
        const int shared = lowCount + highCount;
        if (best[0] == 0 || shared < bestShared) {
            best = pair;
            bestShared = shared;
        }
    }
    return best;
}

Tile SingleKongTile(const Hand& hand, Tile wild) {
    if (const Tile harmless = HarmlessSingleKongTile(hand, wild); harmless != 0) {
        return harmless;
    }
    for (const Meld& meld : hand.melds) {
        if (meld.kind == Rules::kPung && !meld.upgraded && CountOf(hand.concealed, meld.tiles[0]) > 0) {
            return meld.tiles[0];
        }
    }
    for (const Tile tile : {Rules::kRedDragon, wild}) {
        if (CountOf(hand.concealed, tile) > 0) {
            return tile;
        }
    }
    return 0;
}
}  // namespace ComputerPlayer
