#include "computer/TurnMoves.h"

// Placeholders until the own seat can play: there is no hand to move yet.
void AutoPlayTurn(Client&) {}
void TimeoutPlayTurn(Client&) {}
