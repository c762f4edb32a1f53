#pragma once
#include <array>
#include <cstdint>

class Client;

// Draws a claim the server announced for any seat: another seat's bubble,
// word picture and voice, then the claim laid out on the table.
void ShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles);
