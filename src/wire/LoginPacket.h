#pragma once
#include "shared/TransportState.h"
#include <QString>
#include <array>
class Client;

// The log-in packet: type 18, the account at bytes 16-31 and the password at
// bytes 32-259, one GBK byte each, zero-padded.
std::array<uint8_t, kPacketSize> BuildLoginPacket(const QString& userName, const QString& password);
// Turns the log-in packet into a reconnect request carrying the echo bytes,
// closes the socket and connects again.
void ReconnectToServer(Client& c, std::array<uint8_t, kPacketSize>& packet);
