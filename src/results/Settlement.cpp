#include "results/Settlement.h"

// Placeholder until the settlement is built.
void SettleHand(Client&, GameMessage&) {}
void ShowDrawnHand(Client&) {}
