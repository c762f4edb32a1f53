#pragma once
#include <array>
#include <cstdint>

class Client;

// Where a one-tile kong's tile goes: onto the seat's pung of the tile, or,
// for the Red Dragon and the wild tile, which match no pung, onto a pile of
// their own beside the seat's melds.
enum class SingleKongPile { None, RedDragon, WildTile };
// The Red Dragon wins when the wild tile is the Red Dragon.
SingleKongPile PileOfSingleKong(const Client& c, int16_t tile);

// Lays a one-tile kong's image, already at the seat's meld size, where its
// tile goes: onto the seat's pile for the Red Dragon or the wild tile, else
// onto the middle tile of the seat's pung of the tile, with the tile's face.
// Without such a pung the image stays where it is.
void PlaceSingleKongTile(Client& c, int seat, int16_t imageIndex, int16_t tile);
// Lays an announced one-tile kong (tile tiles[2]) of a local seat.
void LaySingleKong(Client& c, int seat, const std::array<int16_t, 3>& tiles);
// Re-stacks the left or right seat's piles after a one-tile kong of that seat.
void RepairSingleKongPiles(Client& c, int seat);
