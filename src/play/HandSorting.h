#pragma once
#include <cstdint>
#include <span>
class Client;

// Display order: suit bit descending (circles, characters, bamboo, honours),
// rank ascending within a suit; only the low byte of a tile word counts.

// Sorts the first n concealed tiles of a local seat in place and gives the
// images their new pictures. Once a wild tile is known a player's own hand
// already shows faces, so only the own slots whose tile changed are redrawn.
void SortHand(Client& c, int seat, int n);
// Sorts tiles(0) to tiles(n − 1); draws nothing. A count beyond the list
// restores the lobby window and ends the program.
void SortTileArray(Client& c, std::span<int16_t> tiles, int n);
