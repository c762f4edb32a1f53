#pragma once
#include "results/BoardWindow.h"
#include <array>
class Client;

// The player card: one seat's nickname, sex, location, points, credit and
// counts of log-ins, dropped connections, wins and losses.
class InformationWindow : public BoardWindow {
public:
    InformationWindow();
    // The captions Label1 to Label9 and their values, rows 0 to 8.
    std::array<QLabel*, 9> Label{};
    std::array<QLabel*, 9> Inf{};
};

// Writes a seat's record into the card.
void FillInformationCard(Client& c, int seat);
// The video component's mouse event over a remote seat's view: shows that
// seat's card at the view's third of the table, once, while it is not shown.
void MainForm_vshow1_MouseEvent(Client& c, int index);
// Lets the remote video views raise their mouse events.
void ConnectVideoViewEvents(Client& c);
