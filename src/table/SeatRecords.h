#pragma once
class Client;

// Puts the table state back to "no hand": used when the table is re-armed and
// when the user leaves for the lobby. Leaves the packet rings alone.
void ResetHandState(Client& c);
// The same before the ready message of the next hand; also empties both packet rings.
void ResetGameState(Client& c);
