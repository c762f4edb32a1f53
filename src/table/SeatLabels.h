#pragma once
class Client;

// Places the seats' name, money and level labels and the location panel.
void LayoutPlayerInfo(Client& c);
// Empties a seat's portrait and its name, money and level labels.
void ClearSeatLabels(Client& c, int seat);
