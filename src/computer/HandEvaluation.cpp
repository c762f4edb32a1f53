#include "computer/HandEvaluation.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/TileAccess.h"
#include <cstdlib>

namespace {
constexpr int kMaxPasses = 5;
constexpr int kMeldBonus = 1000;
// Above every weight and cost a hand can produce.
constexpr int kNoWeight = 20000;

// Meld flags of a rank.
constexpr int kEndsRun = 1;
constexpr int kMiddleOfRun = 2;
constexpr int kStartsRun = 4;
constexpr int kTriplet = 8;

// The values are kept to 16 bits, as every table of the evaluation is.
int16_t Narrowed(int value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw RuntimeError("hand value " + std::to_string(value) + " out of range");
    return static_cast<int16_t>(value);
}

struct Meld {
    int ranks[3];
};

// One extraction pass: weighs every held rank, sets aside the meld of the
// lightest rank that can form one. False when no rank can.
bool SetAsideOneMeld(std::array<int16_t, 10>& count, std::array<int16_t, 10>& weight,
                     std::array<int16_t, 10>& melded, bool numbered) {
    const auto held = [&](int r) { return IsRank(r) ? count[r] : 0; };
    std::array<int, 10> flags{};
    weight.fill(0);
    for (int r = 1; r <= 9; ++r) {
        if (count[r] < 1) continue;
        int w = 3 * count[r];
        int f = 0;
        if (numbered) {
            w += held(r - 2) + 2 * held(r - 1) + 2 * held(r + 1) + held(r + 2);
            if (held(r - 2) > 0 && held(r - 1) > 0) f |= kEndsRun;
            if (r >= 2 && r <= 8 && held(r - 1) > 0 && held(r + 1) > 0) f |= kMiddleOfRun;
            if (held(r + 1) > 0 && held(r + 2) > 0) f |= kStartsRun;
        }
        if (count[r] >= 3) f |= kTriplet;
        flags[r] = f;
        weight[r] = Narrowed(f == 0 ? 0 : w);
    }

    int picked = 0;
    int lightest = kNoWeight;
    for (int r = 1; r <= 9; ++r)
        if (weight[r] > 0 && weight[r] < lightest) {
            lightest = weight[r];
            picked = r;
        }
    if (picked == 0) return false;

    const int r = picked;
    const auto w = [&](int rank) { return IsRank(rank) ? int(weight[rank]) : 0; };
    int cost = kNoWeight;
    Meld meld{};
    const auto consider = [&](int flag, int candidateCost, Meld candidate) {
        if ((flags[r] & flag) && candidateCost < cost) {
            cost = candidateCost;
            meld = candidate;
        }
    };
    consider(kTriplet, 2 * w(r), {{r, r, r}});
    consider(kStartsRun, w(r + 1) + w(r + 2), {{r, r + 1, r + 2}});
    consider(kMiddleOfRun, w(r - 1) + w(r + 1), {{r - 1, r, r + 1}});
    consider(kEndsRun, w(r - 2) + w(r - 1), {{r - 2, r - 1, r}});
    for (int rank : meld.ranks) {
        --count[rank];
        ++melded[rank];
    }
    return true;
}

// What the tiles left over in a suit are worth: nothing good on their own,
// less for each copy already seen; numbered tiles gain from close neighbours,
// held or melded, and from lying near the middle of the suit.
int LeftoverValue(const std::array<int16_t, 10>& count, const std::array<int16_t, 10>& melded,
                  const std::array<int16_t, 10>& seen, bool numbered) {
    int value = 0;
    if (!numbered) {
        for (int r = 1; r <= 7; ++r)
            if (count[r] > 0) value += (count[r] == 1 ? -60 : -30) - 2 * seen[r] + 50 * melded[r];
        return value;
    }
    for (int r = 1; r <= 9; ++r) {
        if (count[r] <= 0) continue;
        value += -60 - 2 * seen[r] + 4 - std::abs(5 - r);
        for (int r2 = 1; r2 <= 9; ++r2) {
            const int d = std::abs(r - r2);
            if (count[r2] > 0) {
                if (d <= 1)
                    value += (3 * count[r2] * (10 - d)) / 2;
                else if (d == 2)
                    value += (count[r2] * (10 - d)) / 2;
                else if (d <= 4)
                    value += (count[r2] * (10 - d)) / 3;
            }
            if (melded[r2] > 0 && d < 3) value += (melded[r2] * (10 - d)) / 2;
        }
    }
    return value;
}
}  // namespace

int SuitIndex(int tile) { return BitToIndex(static_cast<uint8_t>((tile >> 4) & 15)); }

void CountHandTiles(Client& c) {
    ComputerState& k = c.computer;
    for (auto& suit : k.TileCount) suit.fill(0);
    for (auto& suit : k.MeldTiles) suit.fill(0);
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot) {
        int16_t& tile = OwnSlot(c, slot).Tile;
        tile &= 0xFF;
        const int r = tile & 15;
        if (IsRank(r)) ++k.TileCount[SuitIndex(tile)][r];
    }
}

int16_t EvaluateSuit(Client& c, int mode, int tile) {
    ComputerState& k = c.computer;
    const int s = SuitIndex(tile);
    const int r0 = tile & 15;
    auto& count = k.TileCount[s];
    // A tile of no rank was never counted, so there is nothing to leave out.
    const bool leaveOut = mode == 1 && IsRank(r0);
    if (leaveOut) --count[r0];

    int value = 0;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        if (!SetAsideOneMeld(count, k.TileWeight[s], k.MeldTiles[s], s > 0)) break;
        if (mode <= 3) value += kMeldBonus;
    }
    value += LeftoverValue(count, k.MeldTiles[s], k.SeenTiles[s], s > 0);

    if (leaveOut) ++count[r0];
    return Narrowed(value);
}

void FindWeakSuit(Client& c) {
    ComputerState& k = c.computer;
    k.WeakSuit = -1;
    k.SuitsPresent = 0;
    std::array<int, 4> tiles{};
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot)
        ++tiles[SuitIndex(OwnSlot(c, slot).Tile)];
    for (int s = 1; s <= 3; ++s)
        if (tiles[s] > 0) ++k.SuitsPresent;
    if (k.SuitsPresent != 3) return;
    int fewest = 20;
    for (int s = 1; s <= 3; ++s)
        if (tiles[s] <= fewest) {
            k.WeakSuit = static_cast<int16_t>(s);
            fewest = tiles[s];
        }
}

bool IsHandNearlyReady(Client& c) {
    int sum = 0;
    for (int16_t s = 0; s <= 3; ++s) {
        CountHandTiles(c);
        sum += EvaluateSuit(c, 4, IndexToBit(s) * 16 + 1);
    }
    return sum > -100;
}
