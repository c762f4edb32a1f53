#pragma once
#include <QString>
#include <cstdint>
class Client;

// The hand-history file of the table: one section per finished hand with
// the eight lists of its score board.
QString HandHistoryPath(const Client& c);
// Stores the score board as it stands under the hand's number.
void SaveHandHistory(Client& c, int16_t handNumber);
// Puts a stored hand back onto the score board; hand 0 changes nothing.
void LoadHandHistory(Client& c, int16_t handNumber);
// Removes the file when the table's company changes or the table is left;
// false when it could not be removed.
bool DeleteHandHistory(const Client& c);
