#pragma once
struct TransportState;
class Client;

// Starts the SOCKS5 handshake afresh, cancelling one under way: resolves the
// hosts to IPv4, connects to the proxy and returns; the socket's connected
// event sends the greeting.
void ConnectViaProxy(Client& c);
// The socket's connected event: greets the proxy when a handshake waits for it.
void MainForm_Winsock1_Connect(Client& c);
// Sends the message of the current step (1 greeting, 3 user name and
// password, 5 CONNECT) and advances to the step that waits for its reply.
void SendProxyRequest(Client& c);
// Judges the proxy's reply in the reply buffer once it is complete.
void HandleProxyReply(Client& c);
void ResetProxyBuffer(TransportState& t);
// The proxy did not bring the link up in time.
void TimerProxyWait_Timer(Client& c);
// The socket's data event: pulls the game bytes that fit into the receive
// ring (or, during a proxy handshake, appends every waiting byte to the proxy
// reply buffer).
void MainForm_Winsock1_DataArrival(Client& c);
