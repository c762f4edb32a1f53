#include "messages/MessageHandlers.h"

void HandleMeldMade(Client&, GameMessage&) {}
void HandleClearHandMarks(Client&, GameMessage&) {}
