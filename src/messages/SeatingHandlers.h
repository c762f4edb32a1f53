#pragma once
#include "shared/GameMessage.h"
class Client;

// The handlers of the server's messages about players taking their seats.
void HandleSeatName(Client& c, GameMessage& msg);
void HandlePlayerJoined(Client& c, GameMessage& msg);
