#pragma once
class Client;

// The hidden reconnect controller that retries a connection dropped during a game.
class ReconnectController {};

// Loads the reconnect controller (hidden) after a drop during a game.
void LoadReconnectWindow(Client& c);
