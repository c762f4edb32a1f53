#pragma once
#include "dravik-server/Rules.h"
#include <array>
#include <cstdint>

// How a hand ended, as the settlement needs it. Seats are 0-3 (seat bit 1 << seat).
struct HandOutcome {
    // -1: a drawn hand (the wall ran out).
    int winner = -1;
    // The seat whose discard was won, -1 for a self-drawn win.
    int discarder = -1;
    // The winner's tiles with the winning tile among the concealed ones.
    std::array<Rules::Hand, 4> hands{};
    Rules::Tile winningTile = 0;
    Rules::Tile wild = 0;
    int dealer = 0;
    // The win came with the replacement tile of the winner's own kong.
    bool onKongReplacement = false;
    // The win took the tile another seat added to its pung.
    bool robbedKong = false;
};

// One seat's settlement as the client shows it.
struct SeatSettlement {
    // Result items by number, as the client's ResultDetail carries them: the
    // fan items 3 to 21 and item 30 are filled here; items 0, 1, 22-29 and
    // 31-46 are written by the packet from the fields below and the seat's record.
    std::array<uint8_t, 48> items{};
    bool winner = false;
    // The seat's money result, negative for a loss; the four add up to 0.
    int64_t money = 0;
    // The hand total the seat's SeatResult carries ("胡牌总分").
    int64_t handTotal = 0;
};

// The fan of the winner's hand and the money each seat wins or pays: the
// discarder pays a win on a discard, the three others a self-drawn one, which
// counts double. A drawn hand moves no money and gives every total 0.
std::array<SeatSettlement, 4> SettleHand(const HandOutcome& outcome, int64_t moneyPerFan);
