#pragma once
#include <cstdint>
class Client;

// The first step of every deal pass and draw: moves the discard left in the
// table centre to the next place of its discarder's rows (eight to a row)
// and starts its blinking. Nothing moves after a kong announcement, and the
// own discard waits until the right seat, who plays next, draws.
void ParkLastDiscard(Client& c, uint8_t seatBit, int count);
