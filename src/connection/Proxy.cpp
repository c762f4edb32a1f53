#include "connection/Proxy.h"
#include "shared/Client.h"

// Placeholders until the SOCKS5 client is built: received bytes go to the
// proxy reply buffer and the handshake never completes.
void ConnectViaProxy(Client& c) { c.transport.LinkReady = false; }

void HandleProxyReply(Client&) {}
