#pragma once
#include <array>
#include <cstdint>
class Client;

// Turns up the own seat's wind (0 北, 1 西, 2 南, 3 東) among four standing backs.
void ShowWindDraw(Client& c, int16_t wind);
// Points the compass at the own seat's wind.
void ShowCompass(Client& c);
// Builds the four walls stack by stack, tells the lobby, and clears the hand's kong and reveal lists.
void BuildWall(Client& c);
// Throws the dice twice with the server's values (entries 0-1 and 2-3); a die
// of 0 becomes 1 in the caller's array.
void RollDice(Client& c, int16_t dealerSeat, std::array<int16_t, 4>& dice);
