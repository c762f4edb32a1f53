#include "window/ChatInput.h"
#include "shared/Client.h"

// Placeholder until chat input is built.
void ConnectChatEvents(Client&) {}
