#include "dravik-server/Scoring.h"
#include <algorithm>

// The settlement scores the winner's hand with these items and no others
// (the rest stay 0):
//   item 5 mod 16: 4 七小对 (seven pairs, no meld laid), else 2 对对胡 (only
//                  pungs and kongs) when the hand is not scored as 一条龙;
//   item 5 \ 16:   4 风一色 (honours only), 1 清一色 (one numbered suit),
//                  2 混一色 (one numbered suit and honours);
//   item 4 \ 16:   1 一条龙 (runs 1-2-3, 4-5-6 and 7-8-9 of one suit);
//   item 13:       明杠, kongs on a discard, pungs made kongs and the Red
//                  Dragons and wild tiles laid aside;
//   item 14:       暗杠;
//   item 20:       杠开, a self-drawn win on a kong's replacement tile;
//   item 21:       抢杠, a win on the tile added to another seat's pung.
// Where one hand reads as more than one shape, the shape of more fan counts:
// seven pairs, then 一条龙, then 对对胡. Wild tiles stand in for any tile and
// count for no suit; tiles laid aside as one-tile kongs are not part of the
// hand's sets and count for no suit either. Every win is worth at least
// kMinimumFan, so that every win moves money.
namespace {
using Rules::Hand;
using Rules::Meld;
using Rules::Tile;

constexpr int kMinimumFan = 1;
constexpr int kSuitHonours = 1;

enum Item {
    kItemDragon = 4,
    kItemShape = 5,
    kItemDealtIn = 6,
    kItemExposedKongs = 13,
    kItemConcealedKongs = 14,
    kItemFanSign = 17,
    kItemFanHigh = 18,
    kItemFanLow = 19,
    kItemKongReplacement = 20,
    kItemRobbedKong = 21,
    kItemWinnerOrLoss = 30,
};

constexpr uint8_t kSevenPairs = 4, kAllPungs = 2;
constexpr uint8_t kAllHonours = 4 << 4, kHalfFlush = 2 << 4, kFullFlush = 1 << 4;
constexpr uint8_t kDragon = 1 << 4;
constexpr uint8_t kDealtIn = 1, kSelfDrawn = 2;
constexpr uint8_t kWinner = 1, kNegativeMoney = 2, kFanNegative = 2;

int SuitOf(Tile tile) { return tile >> 4; }

bool IsSelfDrawn(const HandOutcome& outcome) {
    return outcome.discarder < 0 || outcome.discarder > 3 || outcome.discarder == outcome.winner;
}

bool HasChow(const Hand& hand) {
    return std::any_of(hand.melds.begin(), hand.melds.end(), [](const Meld& m) { return m.kind == Rules::kChow; });
}

// The flush item of the hand's tiles, wild tiles left out.
uint8_t FlushItem(const Hand& hand, Tile wild) {
    std::vector<Tile> tiles;
    for (const Tile tile : hand.concealed) {
        if (tile != wild) {
            tiles.push_back(tile);
        }
    }
    for (const Meld& meld : hand.melds) {
        tiles.insert(tiles.end(), meld.tiles.begin(), meld.tiles.end());
    }
    int numberedSuit = 0;
    bool honours = false;
    for (const Tile tile : tiles) {
        if (SuitOf(tile) == kSuitHonours) {
            honours = true;
        } else if (numberedSuit == 0) {
            numberedSuit = SuitOf(tile);
        } else if (numberedSuit != SuitOf(tile)) {
            return 0;
        }
    }
    if (numberedSuit == 0) {
        return honours ? kAllHonours : 0;
    }
    return honours ? kHalfFlush : kFullFlush;
}

// True when the hand holds the runs 1-2-3, 4-5-6 and 7-8-9 of one suit, laid
// or concealed, and the concealed tiles left over still make a complete hand.
bool HasDragon(const Hand& hand, Tile wild) {
    for (const int suit : {2, 4, 8}) {
        std::vector<Tile> rest = hand.concealed;
        bool complete = true;
        for (const int low : {1, 4, 7}) {
            const Tile first = Tile(suit << 4 | low);
            const bool laid = std::any_of(hand.melds.begin(), hand.melds.end(), [first](const Meld& m) {
                return m.kind == Rules::kChow && m.tiles[0] == first;
            });
            for (int step = 0; !laid && complete && step < 3; ++step) {
                // A tile of its own first: a wild tile is worth more elsewhere.
                auto it = std::find(rest.begin(), rest.end(), Tile(first + step));
                if (it == rest.end()) {
                    it = std::find(rest.begin(), rest.end(), wild);
                }
                complete = it != rest.end();
                if (complete) {
                    rest.erase(it);
                }
            }
        }
        if (complete && Rules::IsWinningHand(rest, wild)) {
            return true;
        }
    }
    return false;
}

// The fan of each item set on the winner, and the items themselves.
int ScoreWinner(const HandOutcome& outcome, SeatSettlement& winner) {
    const Hand& hand = outcome.hands[size_t(outcome.winner)];
    auto& items = winner.items;
    int fan = 0;
    if (hand.melds.empty() && Rules::IsSevenPairs(hand.concealed, outcome.wild)) {
        items[kItemShape] = kSevenPairs;
        fan += 20;
    } else if (HasDragon(hand, outcome.wild)) {
        items[kItemDragon] = kDragon;
        fan += 15;
    } else if (!HasChow(hand) && Rules::IsAllPungsHand(hand.concealed, outcome.wild)) {
        items[kItemShape] = kAllPungs;
        fan += 5;
    }
    const uint8_t flush = FlushItem(hand, outcome.wild);
    items[kItemShape] |= flush;
    fan += flush == kAllHonours ? 50 : flush == kFullFlush ? 20 : flush == kHalfFlush ? 5 : 0;

    int exposedKongs = hand.redDragonsAside + hand.wildTilesAside;
    int concealedKongs = 0;
    for (const Meld& meld : hand.melds) {
        exposedKongs += meld.kind == Rules::kExposedKong || meld.upgraded;
        concealedKongs += meld.kind == Rules::kConcealedKong;
    }
    items[kItemExposedKongs] = uint8_t(exposedKongs);
    items[kItemConcealedKongs] = uint8_t(concealedKongs);
    fan += 2 * exposedKongs + 4 * concealedKongs;

    const bool selfDrawn = IsSelfDrawn(outcome);
    if (selfDrawn && outcome.onKongReplacement) {
        items[kItemKongReplacement] = 1;
        fan += 5;
    }
    if (!selfDrawn && outcome.robbedKong) {
        items[kItemRobbedKong] = 1;
        fan += 5;
    }
    return std::max(fan, kMinimumFan);
}

void SetFan(SeatSettlement& seat, int fan, bool negative) {
    seat.items[kItemFanSign] = negative ? kFanNegative : 0;
    seat.items[kItemFanHigh] = uint8_t(fan >> 8);
    seat.items[kItemFanLow] = uint8_t(fan & 0xFF);
}
}  // namespace

std::array<SeatSettlement, 4> SettleHand(const HandOutcome& outcome, int64_t moneyPerFan) {
    std::array<SeatSettlement, 4> seats{};
    if (outcome.winner < 0 || outcome.winner > 3) {
        return seats;
    }
    SeatSettlement& winner = seats[size_t(outcome.winner)];
    winner.winner = true;
    winner.items[kItemWinnerOrLoss] = kWinner;
    const int fan = ScoreWinner(outcome, winner);
    SetFan(winner, fan, false);

    const bool selfDrawn = IsSelfDrawn(outcome);
    if (selfDrawn) {
        winner.items[kItemDealtIn] = kSelfDrawn;
    }
    const int64_t stake = moneyPerFan * fan * (selfDrawn ? 2 : 1);
    for (int seat = 0; seat < 4; ++seat) {
        if (seat == outcome.winner || (!selfDrawn && seat != outcome.discarder)) {
            continue;
        }
        SeatSettlement& payer = seats[size_t(seat)];
        payer.money = -stake;
        winner.money += stake;
        payer.items[kItemDealtIn] = selfDrawn ? 0 : kDealtIn;
        SetFan(payer, fan, true);
    }
    for (SeatSettlement& seat : seats) {
        if (seat.money < 0) {
            seat.items[kItemWinnerOrLoss] = kNegativeMoney;
        }
        seat.handTotal = seat.money;
    }
    return seats;
}
