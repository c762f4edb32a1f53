#pragma once
#include <cstdint>
class Client;

// The hand-history file of the table: one section per finished hand with
// the eight lists of its score board.
void SaveHandHistory(Client& c, int16_t handNumber);
// Puts a stored hand back onto the score board; hand 0 changes nothing.
void LoadHandHistory(Client& c, int16_t handNumber);
