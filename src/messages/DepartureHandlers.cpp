#include "messages/DepartureHandlers.h"

// Placeholders until the table learns these messages: they change nothing
// but the echo bytes.
void HandlePlayerLeft(Client&, GameMessage&) {}
void HandlePlayerReady(Client&, GameMessage&) {}
void HandleGameAborted(Client&, GameMessage&) {}
void HandleServerNotice(Client&, GameMessage&) {}
