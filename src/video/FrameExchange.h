#pragma once
#include <QByteArray>
#include <cstdint>

class Client;

// The video component's events: the relay log-in, a peer link's new state,
// an own frame and a frame from a peer.
void MainForm_P2PSocket1_LoginResult(Client& c, int16_t code);
void MainForm_P2PSocket1_StateChange(Client& c, int16_t slot, int16_t state);
void MainForm_vcap1_FrameCaptured(Client& c, const QByteArray& frame);
void MainForm_P2PSocket1_DataArrival(Client& c, int16_t slot, const QByteArray& frame);
// Routes the component's events to the procedures above.
void ConnectVideoEvents(Client& c);
