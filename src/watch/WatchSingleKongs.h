#pragma once
#include <array>
#include <cstdint>
class Client;

// A one-tile kong (64) of tiles[2]: onto the seat's Red Dragon or wild pile
// or onto its pung of the tile; the replacement tile comes from the back.
void LayWatchedSingleKong(Client& c, int seat, const std::array<int16_t, 3>& tiles);
