#pragma once
#include <cstdint>
class Client;

// The wall position of a hand's first tile: the first throw's total picks
// the wall (counted on from the dealer's), both totals the stack along it.
int16_t WallBreak(int dealerSeat, int firstThrow, int secondThrow);

// Marks the dealer of the last hand set-up at its seat and puts the wall's
// front and back at the break its two throw totals give. A client that
// comes to a hand in progress (a spectator, or a player back after a drop)
// has seen no hand start, and its rebuild lays the table from that break.
// Nothing changes while no seated player has the dealer's seat bit.
void MarkSetupDealer(Client& c);
