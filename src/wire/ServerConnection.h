#pragma once
class Client;

// Connects to the game server the way the command line chose: directly, and
// the scheduler's log-in job sends the log-in once the socket is up; or
// through the SOCKS5 proxy, whose handshake sends it. Any other proxy type
// opens no connection.
void ConnectToServer(Client& c);
