#pragma once
#include "shared/GameMessage.h"
class Client;

// The handlers of the server's messages about the hand.
void HandleDealTiles(Client& c, GameMessage& msg);
void HandleTileDiscarded(Client& c, GameMessage& msg);
void HandleHandStart(Client& c, GameMessage& msg);
void HandleTileDrawn(Client& c, GameMessage& msg);
void HandleActionPrompt(Client& c, GameMessage& msg);
void HandleMeldMade(Client& c, GameMessage& msg);
void HandleClearHandMarks(Client& c, GameMessage& msg);
void HandleSeatResult(Client& c, GameMessage& msg);
void HandleWildTileSet(Client& c, GameMessage& msg);
void HandleHandRevealed(Client& c, GameMessage& msg);
void HandleResultDetail(Client& c, GameMessage& msg);
void HandleTableRebuild(Client& c, GameMessage& msg);
void HandleHandSetup(Client& c, GameMessage& msg);
