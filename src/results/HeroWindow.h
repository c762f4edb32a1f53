#pragma once
#include "results/BoardWindow.h"
#include <array>
class Client;

// The list of the hands played at this table: hand numbers, each seat's
// result per hand and running totals. A double-click on a line opens that
// hand on the score board. Created on first use and hidden rather than closed.
class HeroWindow : public BoardWindow {
public:
    explicit HeroWindow(Client& c);
    QListWidget* Num;
    std::array<QListWidget*, 4> Grade{};
    std::array<QLabel*, 4> ID{};
    std::array<QLabel*, 4> Tou{};
    std::array<QLabel*, 4> sumScore{};
    QLabel* Label1;
    QLabel* Label2;
    // The close areas.
    std::array<QLabel*, 2> Image1{};

    // The window's load step: made translucent, restored and centred over the
    // table window, with each result list that holds lines scrolled to its end.
    void Hero_Form_Load();
    // The lists' own events.
    void Hero_Grade_DblClick(int index);
    void Hero_Num_DblClick();
    void Hero_Grade_MouseDown(int index);
    void Hero_Num_MouseDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenHand(int position);
    Client& c_;
};
