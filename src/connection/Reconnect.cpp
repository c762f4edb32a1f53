#include "connection/Reconnect.h"
#include "shared/Client.h"

// Placeholder until automatic reconnect is built: the controller is loaded
// but makes no attempt.
void LoadReconnectWindow(Client& c) {
    if (!c.frmReconnect) c.frmReconnect = std::make_unique<ReconnectController>();
}
