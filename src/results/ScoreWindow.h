#pragma once
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <array>

// The score board of one hand: per local seat the player's name and portrait,
// the fan lines (State 0-3) and the final lines (State 4-7). Created on first
// use and hidden rather than closed. Its arrangement comes with the settlement.
class ScoreWindow : public QWidget {
    Q_OBJECT
public:
    ScoreWindow();
    std::array<QLabel*, 4> ID{};
    std::array<QLabel*, 4> Tou{};
    std::array<QListWidget*, 8> State{};
};
