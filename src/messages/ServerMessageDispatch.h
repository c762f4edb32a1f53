#pragma once
#include "shared/GameMessage.h"
class Client;

// Applies one received message (CurrentMessage, with its packet in PacketIn)
// to the table. A run-time error in a handler restores the lobby window and
// ends the client.
void ProcessServerMessage(Client& c, GameMessage& msg);
// Re-arms the table for a new hand.
void RearmTable(Client& c);
