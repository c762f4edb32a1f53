#pragma once
#include "shared/GameMessage.h"
class Client;

// Closes a hand that has a winner, from the four seats' result items: money,
// records, score board, hand list, ticker, countdown and history file.
void SettleHand(Client& c, GameMessage& msg);
// Shows a drawn hand (all four hand totals 0) on the score board and the hand
// list, saves it and starts the 15-second countdown to the next hand.
void ShowDrawnHand(Client& c);
