#pragma once
#include <array>
#include <cstdint>
class Client;

// Lays one seat's revealed tiles open at the end of a hand; the last of the
// three other seats completes the end-of-hand picture.
void RevealHands(Client& c, uint8_t seatBit, std::array<int16_t, 4>& words);
