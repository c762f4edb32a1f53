#include "messages/MessageHandlers.h"

// Placeholder until the rebuild of a hand in progress is built: the message
// changes nothing but the echo bytes.
void HandleTableRebuild(Client&, GameMessage&) {}
