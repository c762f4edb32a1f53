#pragma once
#include "shared/GameMessage.h"
class Client;

// The handlers of the server's messages about players taking their seats.
void HandleSeatName(Client& c, GameMessage& msg);
void HandlePlayerJoined(Client& c, GameMessage& msg);
// Shows a seated player's portrait (by its index into the portraits),
// name, money and level at the table and on the score board and hand list.
void ShowSeatPlayer(Client& c, int seat, int portraitIndex);
