#pragma once
#include <array>
#include <cstdint>

// One number per suit index (0 honours, 1 bamboo, 2 characters, 3 circles)
// and rank 1 to 9; rank 0 stays unused so that ranks index directly.
using SuitTable = std::array<std::array<int16_t, 10>, 4>;

// What the computer player keeps about the hand.
struct ComputerState {
    // Tiles seen on the table in the current hand. Numbered tiles count from
    // every discard; honours only from claims.
    SuitTable SeenTiles{};
    // 1 when the weak suit must be worked out again at the next move.
    int16_t WeakSuitStale = 0;
    // The numbered suit given up first (1 to 3), −1 when none applies.
    int16_t WeakSuit = 0;
    // How many numbered suits the hand held when WeakSuit was worked out.
    int16_t SuitsPresent = 0;

    // The working tables of one evaluation: the own concealed tiles still to
    // place, the tiles set aside as melds, and the last pass's weights.
    SuitTable TileCount{};
    SuitTable MeldTiles{};
    SuitTable TileWeight{};

    // The hand tiles of the last claim decision: two own slots for a chow,
    // the claimed tile and 0 for a pung.
    int16_t ClaimTile1 = 0;
    int16_t ClaimTile2 = 0;
};
