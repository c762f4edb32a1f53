#pragma once
#include <array>
#include <cstdint>
class Client;

// A spectator's layout of announced melds. TileWidth/TileHeight hold the
// watched meld sizes; every seat's meld tiles show their faces, the watched
// seat's included, except the other seats' concealed kongs.

// A chow (4) or pung (8) of a local seat on the last discard.
void LayWatchedChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
// A kong on the last discard (16) or a concealed kong (32); the seat's next
// draw is a replacement tile from the wall back.
void LayWatchedKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
