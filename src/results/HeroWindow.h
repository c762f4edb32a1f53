#pragma once
#include <QLabel>
#include <QListWidget>
#include <QWidget>
#include <array>

// The list of the hands played at this table: hand numbers, each seat's
// result per hand and running total. Created on first use and hidden rather
// than closed. Its arrangement comes with the hand history.
class HeroWindow : public QWidget {
    Q_OBJECT
public:
    HeroWindow();
    QListWidget* Num;
    std::array<QListWidget*, 4> Grade{};
    std::array<QLabel*, 4> ID{};
    std::array<QLabel*, 4> Tou{};
    std::array<QLabel*, 4> sumScore{};
};
