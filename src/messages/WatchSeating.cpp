#include "messages/WatchSeating.h"

// Placeholder until the spectator's seating is built: the gathered records
// are kept and the fourth goes on as a player's record would.
void SetupSpectatorView(Client&) {}
