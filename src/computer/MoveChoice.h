#pragma once
#include <cstdint>
class Client;

// The computer player's decisions, each made by valuing the hand before and
// after the move. Neither sends anything or changes the table, except that
// the counts leave every own concealed slot holding the low byte of its tile.

// The own concealed tile whose discard leaves the most valuable hand, tiles
// of the weak suit first; of equal tiles the first in slot order.
int16_t ChooseDiscard(Client& c);
// Whether to claim the discarded tile: kind 1 as a chow, any other kind as a
// pung. True when the claim raises the value of the tile's suit by more than
// 150. Leaves the hand tiles to claim with in ClaimTile1 and ClaimTile2.
bool ShouldClaim(Client& c, int kind, int tile);
