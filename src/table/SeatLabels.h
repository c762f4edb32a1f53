#pragma once
class Client;

// Places the seats' name, money and level labels and the location panel.
void LayoutPlayerInfo(Client& c);
