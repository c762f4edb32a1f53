#include "window/ChatSending.h"
#include "shared/Client.h"

// Placeholder until chat sending is built: sends nothing.
void SendChatLine(Client&, const std::optional<ChatPhrase>&) {}
