#pragma once
#include <array>
#include <cstdint>
class Client;

// A spectator's drawing of the moves at the table: every hand as standing
// backs, discards straight into their rows, claims with a pause.

// A deal pass (count 4) or a single draw (count 1) into a seat's hand.
void SideReceiveTiles(Client& c, uint8_t seatBit, int count, const std::array<int16_t, 4>& tiles);
// A seat's discard.
void SideShowDiscard(Client& c, uint8_t seatBit, int16_t tile);
// An announced claim of any seat.
void SideShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles);
