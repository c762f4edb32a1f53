#pragma once
#include "shared/GameMessage.h"
class Client;

// The handlers of the server's messages about players leaving, getting ready, and the server closing the table.
void HandlePlayerLeft(Client& c, GameMessage& msg);
void HandlePlayerReady(Client& c, GameMessage& msg);
void HandleGameAborted(Client& c, GameMessage& msg);
void HandleServerNotice(Client& c, GameMessage& msg);
// Empties one other seat (s of 1 to 3): ready mark, portrait, labels, account
// and the player record, which keeps only what identifies the player's voice and id.
void VacateSeat(Client& c, int s);
