#pragma once
#include "table/BarButtons.h"
class Client;

// Frees the send, chat and start/continue buttons that a hand's set-up
// disabled, so that the next hand can be started once this one is over.
void EnableHandButtons(Client& c);
// A click on button index of the button row; other indexes do nothing.
void MainForm_AnNiu_Click(Client& c, int index);
// Connects the button row's clicks and hovers, and the portraits' hovers
// that bring up the player card.
void ConnectButtonRowEvents(Client& c);
