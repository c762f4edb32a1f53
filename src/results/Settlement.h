#pragma once
#include "shared/GameMessage.h"
class Client;

// Closes a hand that has a winner, from the four seats' result items: money,
// records, score board, hand list, ticker, countdown and history file.
void SettleHand(Client& c, GameMessage& msg);
