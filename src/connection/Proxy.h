#pragma once
class Client;

// Starts (or restarts) the SOCKS5 handshake on the table's socket.
void ConnectViaProxy(Client& c);
// Judges the proxy's reply gathered in the proxy reply buffer.
void HandleProxyReply(Client& c);
