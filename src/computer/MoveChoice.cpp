#include "computer/MoveChoice.h"
#include "computer/HandEvaluation.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "table/TileAccess.h"

namespace {
constexpr int kWeakSuitBonus = 6000;
// A claim must raise the suit's value by more than this.
constexpr int kClaimMargin = 150;
// Below every value a hand can have.
constexpr int kNoValue = -20000;

// The first own concealed slot holding the tile; the tile itself when none does.
int16_t SlotHolding(Client& c, int16_t tile) {
    const SeatInfo& own = c.seatInfo[0];
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot)
        if (OwnSlot(c, slot).Tile == tile) return static_cast<int16_t>(slot);
    return tile;
}

// The best chow of the tile: the suit's value with the two hand tiles laid
// out as an exposed meld, or kNoValue when the hand holds no pair for it.
int BestChow(Client& c, int tile) {
    ComputerState& k = c.computer;
    const int s = SuitIndex(tile);
    const int r = tile & 15;
    const auto code = [&](int rank) { return static_cast<int16_t>(IndexToBit(static_cast<int16_t>(s)) * 16 + rank); };
    int best = kNoValue;
    if (!IsRank(r)) return best;
    // The hand tiles of the three shapes, the lower rank first; an earlier shape wins a tie.
    const int shapes[3][2] = {{r - 2, r - 1}, {r - 1, r + 1}, {r + 1, r + 2}};
    for (const auto& shape : shapes) {
        if (!IsRank(shape[0]) || !IsRank(shape[1])) continue;
        CountHandTiles(c);
        auto& count = k.TileCount[s];
        if (count[shape[0]] <= 0 || count[shape[1]] <= 0) continue;
        --count[shape[0]];
        --count[shape[1]];
        const int value = EvaluateSuit(c, 2, tile) + 1000;
        if (value > best) {
            best = value;
            k.ClaimTile1 = code(shape[0]);
            k.ClaimTile2 = code(shape[1]);
        }
    }
    if (best == kNoValue) return best;
    k.ClaimTile1 = SlotHolding(c, k.ClaimTile1);
    k.ClaimTile2 = SlotHolding(c, k.ClaimTile2);
    return best;
}

// The suit's value after a pung of the tile, or kNoValue when the hand does
// not hold the pair to make it with.
int PungValue(Client& c, int tile) {
    ComputerState& k = c.computer;
    CountHandTiles(c);
    const int r = tile & 15;
    k.ClaimTile1 = static_cast<int16_t>(tile);
    if (!IsRank(r)) return kNoValue;
    int16_t& count = k.TileCount[SuitIndex(tile)][r];
    if (count < 2) return kNoValue;
    count -= 2;
    return EvaluateSuit(c, 3, tile) + 1000;
}
}  // namespace

int16_t ChooseDiscard(Client& c) {
    const ComputerState& k = c.computer;
    const SeatInfo& own = c.seatInfo[0];
    // A discard changes only its own suit, so every other suit keeps the
    // value it has now.
    std::array<int, 4> suitValue{};
    for (int16_t suit = 0; suit <= 3; ++suit) {
        CountHandTiles(c);
        suitValue[suit] = EvaluateSuit(c, 0, IndexToBit(suit) * 16 + 1);
    }
    const int wholeHand = suitValue[0] + suitValue[1] + suitValue[2] + suitValue[3];
    int best = kNoValue;
    int chosen = own.FirstConcealed;
    for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot) {
        const int tile = OwnSlot(c, slot).Tile;
        const int suit = SuitIndex(tile);
        CountHandTiles(c);
        int value = wholeHand - suitValue[suit] + EvaluateSuit(c, 1, tile);
        if (k.SuitsPresent == 3 && suit == k.WeakSuit) value += kWeakSuitBonus;
        if (value > best) {
            best = value;
            chosen = slot;
        }
    }
    return OwnSlot(c, chosen).Tile;
}

bool ShouldClaim(Client& c, int kind, int tile) {
    tile &= 0xFF;
    c.computer.ClaimTile1 = 0;
    c.computer.ClaimTile2 = 0;
    const int claimed = kind == 1 ? BestChow(c, tile) : PungValue(c, tile);
    if (claimed == kNoValue) return false;
    CountHandTiles(c);
    const int current = EvaluateSuit(c, 0, tile);
    return claimed - current > kClaimMargin;
}
