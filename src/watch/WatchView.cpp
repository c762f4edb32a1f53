#include "watch/WatchView.h"

// Placeholders until the spectator's view of the moves is built: a spectator
// sees the hand set up and the wall built, but no tile moves yet.
void SideReceiveTiles(Client&, uint8_t, int, const std::array<int16_t, 4>&) {}
void SideShowDiscard(Client&, uint8_t, int16_t) {}
void SideShowOperation(Client&, int16_t, uint8_t, const std::array<int16_t, 3>&) {}
