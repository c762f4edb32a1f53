#pragma once
class Client;

// Marks the dealer of the last hand set-up at its seat and puts the wall's
// front and back at the break its two throw totals give. A client that
// comes to a hand in progress (a spectator, or a player back after a drop)
// has seen no hand start, and its rebuild lays the table from that break.
// Nothing changes while no seated player has the dealer's seat bit.
void MarkSetupDealer(Client& c);
