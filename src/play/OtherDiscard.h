#pragma once
#include <cstdint>
class Client;

// A seat's discard as the server reports it: recorded as the last discard
// and voiced; for another seat the tile it drew last turns into the
// discarded face and lies in the table centre until the next draw parks it.
// The own discard already lies there, laid by the discard click.
void ShowOtherDiscard(Client& c, uint8_t seatBit, int16_t tile);
