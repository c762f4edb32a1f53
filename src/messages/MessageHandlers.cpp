#include "messages/MessageHandlers.h"

// Placeholders: each handler moves to its own file as the table learns to
// seat players and play hands. Until then these messages change nothing but
// the echo bytes.
void HandleDealTiles(Client&, GameMessage&) {}
void HandleTileDiscarded(Client&, GameMessage&) {}
void HandleHandStart(Client&, GameMessage&) {}
void HandleTileDrawn(Client&, GameMessage&) {}
void HandleActionPrompt(Client&, GameMessage&) {}
void HandleMeldMade(Client&, GameMessage&) {}
void HandleClearHandMarks(Client&, GameMessage&) {}
void HandleSeatResult(Client&, GameMessage&) {}
void HandleWildTileSet(Client&, GameMessage&) {}
void HandleHandRevealed(Client&, GameMessage&) {}
void HandleResultDetail(Client&, GameMessage&) {}
void HandleTableRebuild(Client&, GameMessage&) {}
void HandleHandSetup(Client&, GameMessage&) {}
