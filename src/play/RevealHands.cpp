#include "play/RevealHands.h"

// Placeholder until the revealed hands are built.
void RevealHands(Client&, uint8_t, std::array<int16_t, 4>&) {}
