#include "messages/MessageHandlers.h"

void HandleDealTiles(Client&, GameMessage&) {}
void HandleTileDrawn(Client&, GameMessage&) {}
void HandleTileDiscarded(Client&, GameMessage&) {}
