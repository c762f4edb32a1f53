#pragma once
#include "shared/GameCentre.h"
#include "shared/GameMessage.h"
#include <QString>
class Client;

// The server's answer to the log-in: accepted (keep-alive, turn time,
// time-out limit, banner, lobby told) or refused (the client ends).
void HandleLoginReply(Client& c, GameMessage& msg);
// The server's answer to a reconnect request: accepted, or the client ends.
void HandleReconnectReply(Client& c, GameMessage& msg);
