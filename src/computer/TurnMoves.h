#pragma once
class Client;

// The computer player's move for the user when a turn runs out in auto-play mode.
void AutoPlayTurn(Client& c);
// The plain time-out move: pass an unanswered prompt, then discard the last tile.
void TimeoutPlayTurn(Client& c);
