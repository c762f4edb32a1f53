#pragma once
#include "shared/GameMessage.h"
#include <QByteArray>
#include <cstdint>

class Client;
struct TransportState;

// Bytes waiting in a ring between its read and write positions.
int32_t WaitingBytes(int32_t read, int32_t write);
// A new connection starts with an empty receive stream: the bytes of a packet
// the old connection left incomplete are dropped; whole packets stay.
void DropPartialPacket(TransportState& transport);

// Appends received game bytes to the receive ring and wakes the receive job.
void AppendToReceiveRing(Client& c, const QByteArray& bytes);
// Restores the lobby window and ends the client: a ring ran over.
[[noreturn]] void RingOverflow(Client& c, const char* ring);
// Moves as many of the game bytes waiting in the socket as the receive ring
// has room for; the rest stay in the socket, in order, until the ring has
// room again, and TCP holds the server back meanwhile.
void PullReceivedBytes(Client& c);
// Received game bytes not yet handled: in the receive ring and in the socket.
qint64 ReceivedBytesWaiting(Client& c);
// The server closed the connection; the scheduler's watch notices the drop.
void MainForm_Winsock1_Close(Client& c);
// Takes one packet out of the receive ring into PacketIn and CurrentMessage.
// Always consumes exactly one packet, even after a decoding error.
void ReadPacket(Client& c);
// Encodes one message into a packet and queues it in the send ring.
void SendPacket(Client& c, GameMessage& message);
