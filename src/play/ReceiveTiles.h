#pragma once
#include <array>
#include <cstdint>
class Client;

// Moves tiles from the wall into one seat's hand: a deal pass (count 4) or
// a single draw (count 1). The image standing at the wall position drawn is
// the one that moves. The own seat shows the faces of `tiles` (a deal pass
// takes all four, a draw the last); the other seats get standing backs.
// The previous discard is parked first.
void ReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles);
