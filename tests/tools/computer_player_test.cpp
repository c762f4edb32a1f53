#include "dravik-server/ComputerPlayer.h"
#include <gtest/gtest.h>
#include <algorithm>

using Rules::Hand;
using Rules::Meld;
using Rules::Tile;

namespace {
constexpr Tile kWild = 0x47;

struct DiscardCase {
    const char* name;
    std::vector<Tile> concealed;
    Tile discard;
};

TEST(ComputerPlayer, DiscardsTheLeastUsefulTile) {
    const DiscardCase cases[] = {
        {"a lone honour first", {0x11, 0x21, 0x22, 0x45, 0x46}, 0x11},
        {"an isolated terminal before an isolated middle tile", {0x85, 0x21, 0x44, 0x44, 0x44}, 0x21},
        {"an isolated tile before the tiles of a run", {0x85, 0x21, 0x22, 0x11, 0x11}, 0x85},
        {"a lone honour before a pair of honours", {0x11, 0x11, 0x12, 0x21, 0x22}, 0x12},
        {"never the wild tile while another will do", {kWild, kWild, 0x21, 0x22, 0x23}, 0x21},
        {"the wild tile when nothing else is left", {kWild, kWild}, kWild},
    };
    for (const DiscardCase& c : cases) {
        EXPECT_EQ(ComputerPlayer::ChooseDiscard({c.concealed, {}}, kWild), c.discard) << c.name;
    }
}

struct SelfDrawCase {
    const char* name;
    Hand hand;
    int offered;
    int answer;
    // The tile SingleKongTile names, 0 when not asked.
    Tile singleKongTile;
};

TEST(ComputerPlayer, AnswersItsOwnDraw) {
    const Meld pungOf29{Rules::kPung, {0x29, 0x29, 0x29}, false};
    constexpr int W = Rules::kWin, CK = Rules::kConcealedKong, SK = Rules::kSingleKong;
    const SelfDrawCase cases[] = {
        {"a win before a kong", {{0x23, 0x23, 0x23, 0x23, 0x11, 0x11}, {}}, W | CK, W, 0},
        {"four equal tiles make a kong", {{0x23, 0x23, 0x23, 0x23, 0x11}, {}}, CK, CK, 0},
        {"a lone Red Dragon is laid aside", {{0x15, 0x21, 0x24, 0x27, 0x81}, {}}, SK, SK, 0x15},
        {"a pair of Red Dragons is kept", {{0x15, 0x15, 0x24, 0x27, 0x81}, {}}, SK, 0, 0x15},
        {"the wild tile is kept, though it is the only one-tile kong", {{kWild, 0x21, 0x24, 0x27, 0x81}, {}}, SK, 0,
         kWild},
        {"a lone fourth tile of a pung", {{0x29, 0x21, 0x24, 0x44, 0x81}, {pungOf29}}, SK, SK, 0x29},
        {"a fourth tile that sits in a run is kept", {{0x29, 0x28, 0x27, 0x44, 0x81}, {pungOf29}}, SK, 0, 0x29},
        {"nothing offered", {{0x23, 0x23, 0x23, 0x23, 0x11}, {}}, 0, 0, 0},
    };
    for (const SelfDrawCase& c : cases) {
        EXPECT_EQ(ComputerPlayer::ChooseSelfDrawAnswer(c.hand, c.offered, kWild), c.answer) << c.name;
        if (c.singleKongTile != 0) {
            EXPECT_EQ(ComputerPlayer::SingleKongTile(c.hand, kWild), c.singleKongTile) << c.name;
        }
    }
}

struct ClaimCase {
    const char* name;
    std::vector<Tile> concealed;
    int offered;
    Tile discard;
    int answer;
};

TEST(ComputerPlayer, AnswersAnotherSeatsDiscard) {
    constexpr int P = Rules::kPass, C = Rules::kChow, U = Rules::kPung, K = Rules::kExposedKong, W = Rules::kWin;
    const ClaimCase cases[] = {
        {"a win before a pung", {0x81, 0x81, 0x22, 0x23}, W | U, 0x81, W},
        {"a pung", {0x81, 0x81, 0x22, 0x25}, U, 0x81, U},
        {"a kong before a pung", {0x81, 0x81, 0x81, 0x25}, U | K, 0x81, K},
        {"a chow of two single tiles", {0x22, 0x23, 0x11, 0x45}, C, 0x24, C},
        {"no chow that breaks a pair", {0x22, 0x22, 0x23, 0x11}, C, 0x24, P},
        {"no pung of the wild tile", {kWild, kWild, 0x22, 0x25}, U, kWild, P},
        {"nothing offered", {0x81, 0x81, 0x22, 0x25}, 0, 0x81, P},
    };
    for (const ClaimCase& c : cases) {
        EXPECT_EQ(ComputerPlayer::ChooseClaimAnswer({c.concealed, {}}, c.offered, c.discard, kWild), c.answer)
            << c.name;
    }
}

TEST(ComputerPlayer, ChowTilesMakeARunWithTheDiscard) {
    using Pair = std::array<Tile, 2>;
    EXPECT_EQ(ComputerPlayer::ChowTiles({{0x25, 0x26, 0x11}, {}}, 0x24), (Pair{0x25, 0x26}));
    EXPECT_EQ(ComputerPlayer::ChowTiles({{0x23, 0x25, 0x11}, {}}, 0x24), (Pair{0x23, 0x25}));
    EXPECT_EQ(ComputerPlayer::ChowTiles({{0x28, 0x27, 0x11}, {}}, 0x29), (Pair{0x27, 0x28}));
    EXPECT_EQ(ComputerPlayer::ChowTiles({{0x22, 0x22, 0x23, 0x25}, {}}, 0x24), (Pair{0x23, 0x25}))
        << "the pair is kept";
    EXPECT_EQ(ComputerPlayer::ChowTiles({{0x12, 0x13}, {}}, 0x11), (Pair{0, 0})) << "honours make no run";
}

void Remove(std::vector<Tile>& tiles, Tile tile, int count) {
    for (int i = 0; i < count; ++i) {
        const auto it = std::find(tiles.begin(), tiles.end(), tile);
        ASSERT_NE(it, tiles.end()) << "tile " << int(tile) << " is not held";
        tiles.erase(it);
    }
}

// Four computer players play whole hands by the rules; every answer must be
// one the rules offered and every tile named must be in the hand.
class ComputerTable {
public:
    explicit ComputerTable(quint32 seed) : random_(seed), wall_(Rules::ShuffledWall(random_)) {
        wild_ = Rules::WildTileOf(wall_.back());
        back_ = wall_.size() - 1;
        for (Hand& hand : hands_) {
            hand.concealed.assign(wall_.begin() + long(front_), wall_.begin() + long(front_) + 13);
            front_ += 13;
        }
    }

    // Returns the winner, -1 for a drawn hand.
    int Play() {
        int seat = 0;
        bool fromWall = true;
        for (;;) {
            if (fromWall) {
                if (WallEmpty()) {
                    return -1;
                }
                hands_[size_t(seat)].concealed.push_back(wall_[front_++]);
                if (PlayOwnDraw(seat)) {
                    return seat;
                }
            }
            if (::testing::Test::HasFatalFailure()) {
                return -1;
            }
            const int claimer = Claim(seat, Discard(seat));
            if (::testing::Test::HasFatalFailure()) {
                return -1;
            }
            fromWall = claimer < 0;
            if (fromWall) {
                seat = (seat + 1) % 4;
                continue;
            }
            seat = claimer;
            const int claim = claims_[size_t(claimer)];
            if (claim == Rules::kWin || (claim == Rules::kExposedKong && PlayOwnDraw(seat))) {
                return seat;
            }
        }
    }

private:
    bool WallEmpty() const { return front_ == back_; }

    void DrawReplacement(Hand& hand) { hand.concealed.push_back(wall_[--back_]); }

    // Declares wins and kongs after a tile from the wall; true when the seat won.
    bool PlayOwnDraw(int seat) {
        Hand& hand = hands_[size_t(seat)];
        for (;;) {
            const int offered = Rules::SelfDrawOptions(hand, wild_, WallEmpty());
            const int answer = ComputerPlayer::ChooseSelfDrawAnswer(hand, offered, wild_);
            EXPECT_TRUE(answer == 0 || (offered & answer) == answer) << offered << " " << answer;
            if (offered & Rules::kWin) {
                EXPECT_EQ(answer, Rules::kWin);
                return true;
            }
            if (answer == Rules::kConcealedKong) {
                const auto four = std::find_if(hand.concealed.begin(), hand.concealed.end(), [&](Tile t) {
                    return t != wild_ && std::count(hand.concealed.begin(), hand.concealed.end(), t) == 4;
                });
                if (four == hand.concealed.end()) {
                    ADD_FAILURE() << "a concealed kong without four equal tiles";
                    return false;
                }
                const Tile tile = *four;
                Remove(hand.concealed, tile, 4);
                hand.melds.push_back({Rules::kConcealedKong, {tile, tile, tile}, false});
            } else if (answer == Rules::kSingleKong) {
                LaySingleKong(hand);
            } else {
                return false;
            }
            if (::testing::Test::HasFatalFailure()) {
                return false;
            }
            DrawReplacement(hand);
        }
    }

    void LaySingleKong(Hand& hand) {
        const Tile tile = ComputerPlayer::SingleKongTile(hand, wild_);
        Remove(hand.concealed, tile, 1);
        const auto pung = std::find_if(hand.melds.begin(), hand.melds.end(), [&](const Meld& m) {
            return m.kind == Rules::kPung && !m.upgraded && m.tiles[0] == tile;
        });
        if (pung != hand.melds.end()) {
            pung->upgraded = true;
        } else if (tile == wild_) {
            ++hand.wildTilesAside;
        } else {
            ASSERT_EQ(tile, Rules::kRedDragon);
            ++hand.redDragonsAside;
        }
    }

    Tile Discard(int seat) {
        Hand& hand = hands_[size_t(seat)];
        EXPECT_EQ(hand.concealed.size() + 3 * hand.melds.size(), 14u);
        const Tile discard = ComputerPlayer::ChooseDiscard(hand, wild_);
        Remove(hand.concealed, discard, 1);
        return discard;
    }

    // Asks the other seats, lays the claim taken; returns the claimer or -1.
    int Claim(int discarder, Tile discard) {
        claims_ = {};
        for (int step = 1; step <= 3; ++step) {
            const int seat = (discarder + step) % 4;
            const Hand& hand = hands_[size_t(seat)];
            const int offered = Rules::DiscardOptions(hand, discard, step == 1, wild_, WallEmpty());
            const int answer = ComputerPlayer::ChooseClaimAnswer(hand, offered, discard, wild_);
            EXPECT_TRUE(answer == Rules::kPass || (offered & answer) == answer) << offered << " " << answer;
            if (offered & Rules::kWin) {
                EXPECT_EQ(answer, Rules::kWin);
            }
            claims_[size_t(seat)] = answer;
        }
        const int claimer = Rules::ClaimWinner(claims_, discarder);
        if (claimer < 0) {
            return claimer;
        }
        Hand& hand = hands_[size_t(claimer)];
        switch (claims_[size_t(claimer)]) {
        case Rules::kWin:
            hand.concealed.push_back(discard);
            EXPECT_TRUE(Rules::IsWinningHand(hand.concealed, wild_));
            break;
        case Rules::kPung:
            Remove(hand.concealed, discard, 2);
            hand.melds.push_back({Rules::kPung, {discard, discard, discard}, false});
            break;
        case Rules::kExposedKong:
            Remove(hand.concealed, discard, 3);
            hand.melds.push_back({Rules::kExposedKong, {discard, discard, discard}, false});
            DrawReplacement(hand);
            break;
        case Rules::kChow: {
            const std::array<Tile, 2> pair = ComputerPlayer::ChowTiles(hand, discard);
            std::array<Tile, 3> run{pair[0], pair[1], discard};
            std::sort(run.begin(), run.end());
            EXPECT_TRUE(run[0] >> 4 == run[2] >> 4 && run[1] == run[0] + 1 && run[2] == run[0] + 2);
            Remove(hand.concealed, pair[0], 1);
            Remove(hand.concealed, pair[1], 1);
            hand.melds.push_back({Rules::kChow, run, false});
            break;
        }
        default: ADD_FAILURE() << "claim " << claims_[size_t(claimer)];
        }
        return claimer;
    }

    QRandomGenerator random_;
    std::vector<Tile> wall_;
    Tile wild_ = 0;
    size_t front_ = 0;
    // The replacement tiles come from the back; the last tile is the wild tile's indicator.
    size_t back_ = 0;
    std::array<Hand, 4> hands_{};
    std::array<int, 4> claims_{};
};

TEST(ComputerPlayer, PlaysWholeHandsOnlyWithTilesItHolds) {
    int wins = 0;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        ComputerTable table(seed);
        wins += table.Play() >= 0;
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_GT(wins, 30);
}
}  // namespace
