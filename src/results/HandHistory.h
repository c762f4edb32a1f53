#pragma once
#include <QString>
#include <cstdint>
class Client;

// The hand-history file of the table: one section per finished hand with
// the eight lists of its score board.
QString HandHistoryPath(const Client& c);
// Stores the score board as it stands under the hand's number. A file that
// cannot be written is given up for the seating: the ticker says so (once
// until the table is left) and hands are neither stored nor reloaded.
void SaveHandHistory(Client& c, int16_t handNumber);
// Puts a stored hand back onto the score board; hand 0, or a history given
// up, changes nothing.
void LoadHandHistory(Client& c, int16_t handNumber);
// A new seating starts without the hands played so far: the file is
// removed. One that stays is given up for the seating, as above.
void StartHandHistory(Client& c);
// Leaving the table removes the file; one that stays is given up until a
// seating removes it.
void DropHandHistory(Client& c);
