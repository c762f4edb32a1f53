#pragma once
#include "platform/IntervalTimer.h"
#include <cstdint>

class Client;

constexpr int kMaxReconnectAttempts = 16;

// The hidden controller that retries a connection dropped during a game:
// a one-second countdown, then a check of the socket every three seconds.
class ReconnectController {
public:
    explicit ReconnectController(Client& c);

    IntervalTimer TimerReconnect;
    IntervalTimer TimerCount;
    int16_t ReconnectAttempts = 0;
    int16_t ReconnectCountdown = 1;
};

// Loads the controller after a drop during a game.
void LoadReconnectWindow(Client& c);

// The countdown before the first check (every second).
void frmReconnect_TimerReconnect_Timer(Client& c);

// One check (every three seconds): done when the socket is connected again,
// one more attempt while the game goes on, the end after the last attempt.
void frmReconnect_TimerCount_Timer(Client& c);
