#pragma once
class Client;

// Starts the figures of a countdown at `seconds`: green, on their plate,
// in front of the table. The turn and between-hands jobs count them down.
void ShowCountdownFrom(Client& c, int seconds);
