#pragma once
#include "shared/GameMessage.h"
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class Client;
struct TestClient;

// One step of a scripted hand: a message from the server, or something the
// user does at the table.
struct HandStep {
    QString label;
    std::optional<GameMessage> server;
    std::function<void(TestClient&)> user;
};

// A whole hand at a table where the client sits at seat bit 1 (local seat 0;
// the right seat is bit 2, the opposite bit 4, the left bit 8) and deals:
// the deal, draws and discards, a pung, a chow chosen among two patterns, a
// concealed kong with its replacement tile from the wall back, a one-tile
// kong, another seat's kong on the own discard, a turn that runs out and the
// own win on a discard. The labels name the checkpoints a test looks at.
std::vector<HandStep> ScriptedHand();

// Starts the client on its doubles, logs it in with this turn time and seats
// it at seat bit 1 << ownSeat (1 unless given) of a table with three ready
// computer players.
void SeatAtScriptedTable(TestClient& t, int turnSeconds, int ownSeat = 0);
// The same for a client that has started and sent its log-in.
void LogInAtScriptedTable(TestClient& t, int turnSeconds, int ownSeat = 0);
// Plays one step: delivers the server's message and runs the ticks that
// dispatch it, or does what the user does.
void PlayStep(TestClient& t, const HandStep& step);

// A server message of the hand.
GameMessage HandMessage(int type, uint8_t seatBit, int p0 = 0, int p1 = 0, int p2 = 0, int p3 = 0);
inline GameMessage HandMessage(int type, uint8_t seatBit, std::array<int16_t, 4> params) {
    return HandMessage(type, seatBit, params[0], params[1], params[2], params[3]);
}
// The image of the first own concealed tile with this code, -1 when there is none.
int OwnTileImage(const Client& c, int tile);
