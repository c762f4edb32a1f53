#pragma once
#include <cstdint>
class Client;

// Lays the wild indicator face up on the back end of a rebuilt table's wall:
// on the stack at WallBack, one tier above its upper tile, or where the
// upper tile lay once only the lower one is left, in the size and picture
// set of that wall's side. An indicator that names no tile is not laid.
void ShowDiscardTile(Client& c, int16_t imageIndex);
