#include "messages/MessageHandlers.h"

void HandleHandSetup(Client&, GameMessage&) {}
void HandleHandStart(Client&, GameMessage&) {}
void HandleWildTileSet(Client&, GameMessage&) {}
