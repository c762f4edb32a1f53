#include "messages/MessageHandlers.h"

void HandleActionPrompt(Client&, GameMessage&) {}
