#pragma once
class Client;

// Connects the tile images, the claim buttons, the choice pictures and the
// table surface to the own seat's play procedures.
void ConnectHandPlayEvents(Client& c);
