#pragma once
class Client;

// The 50 ms tick: send one queued packet, receive and dispatch one packet,
// log in once connected, blink, step the countdowns, watch the socket and
// hide the speech bubble.
void MainForm_TimerBong_Timer(Client& c);
// The 5-second keep-alive.
void MainForm_TimerKeepAlive_Timer(Client& c);

// Seconds the log-in job waits for the connection before it counts as dropped.
constexpr double kConnectWaitSeconds = 30.0;
