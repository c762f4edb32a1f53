#pragma once
#include <array>
#include <cstdint>

class Client;

// The own seat's confirmed melds: each lays the meld row's images from the
// slots the answer filled and closes up the concealed row. The caller
// updates the seat's counters afterwards.

// A chow of own slots slotA < slotB and the claimed discard.
void ApplyOwnChow(Client& c, int16_t slotA, int16_t slotB, const std::array<int16_t, 3>& tiles);
// A pung of the first own pair of tiles(0) and the claimed discard.
void ApplyOwnPung(Client& c, const std::array<int16_t, 3>& tiles);
// A kong of own slots slot to slot + 2 and the claimed discard.
void ApplyOwnExposedKong(Client& c, int16_t slot, const std::array<int16_t, 3>& tiles);
// A kong of own slots slot to slot + 3.
void ApplyOwnConcealedKong(Client& c, int16_t slot, const std::array<int16_t, 3>& tiles);
// Takes the tile of a one-tile kong out of the concealed row; the caller lays it.
void ApplyOwnSingleKong(Client& c, int16_t slot);
