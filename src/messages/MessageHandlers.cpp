#include "messages/MessageHandlers.h"

// Placeholders until the hand's end and the rebuild of a hand in progress are
// built: these messages change nothing but the echo bytes.
void HandleSeatResult(Client&, GameMessage&) {}
void HandleHandRevealed(Client&, GameMessage&) {}
void HandleResultDetail(Client&, GameMessage&) {}
void HandleTableRebuild(Client&, GameMessage&) {}
