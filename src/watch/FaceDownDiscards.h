#pragma once
class Client;

// The discards of a rebuilt table, whose faces the server does not tell:
// each seat's count of them taken from the wall front after the wild
// indicator and laid face down in the seat's discard rows.
void LayFaceDownTiles(Client& c);
