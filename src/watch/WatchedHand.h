#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
class Client;

// The watched seat's slots hold the real tile codes although its row shows
// backs. The tiles that leave its concealed run are found by their codes,
// so that the codes left in the run stay those of the tiles still held.

// A tile that leaves the run and the slot the layout takes it from.
struct LeavingTile {
    int16_t tile;
    int slot;
};

// For each leaving tile in turn, exchanges the run's slot that holds its
// code (low byte), and was not gathered before, with the slot the layout
// takes it from: tile code, flag and image change slots together, and the
// two images change places, so each slot's image still stands at its
// slot's place. A code that no slot holds leaves its slot as it is.
void GatherWatchedTiles(Client& c, std::initializer_list<LeavingTile> leaving);
// The two tiles of a chow or pung that come from the claimant's hand: the
// three of the claim less the claimed discard, or the first two when the
// discard is not among them.
std::array<int16_t, 2> TilesFromHand(const std::array<int16_t, 3>& tiles, int16_t discard);
