#pragma once
#include <array>
#include <cstdint>

// What the computer player keeps about the hand.
struct ComputerState {
    // Tiles seen on the table, by suit index (1 bamboo, 2 characters, 3
    // circles; 0 honours, counted only from claims) and rank 1 to 9.
    std::array<std::array<int16_t, 10>, 4> SeenTiles{};
    // 1 when the weak suit must be worked out again at the next move.
    int16_t WeakSuitStale = 0;
    int16_t WeakSuit = 0;
};
