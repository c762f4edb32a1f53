#include "results/HandHistory.h"

// Placeholders until the hand-history file is built.
void SaveHandHistory(Client&, int16_t) {}
void LoadHandHistory(Client&, int16_t) {}
