#include "messages/SeatingHandlers.h"

// Placeholders until the table learns these messages: they change nothing
// but the echo bytes.
void HandleSeatName(Client&, GameMessage&) {}
void HandlePlayerJoined(Client&, GameMessage&) {}
