#pragma once
#include "results/BoardWindow.h"
#include <array>

// The score board of one hand: per local seat the player's name and portrait,
// the fan and settlement lines (State 0-3) and the final lines (State 4-7).
// Created on first use and hidden rather than closed.
class ScoreWindow : public BoardWindow {
public:
    ScoreWindow();
    std::array<QLabel*, 4> ID{};
    std::array<QLabel*, 4> Tou{};
    std::array<QListWidget*, 8> State{};
    // The close areas.
    std::array<QLabel*, 2> Image1{};
};
