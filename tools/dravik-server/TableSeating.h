#pragma once
#include "connection/GamePacket.h"
#include <QByteArray>
#include <vector>

// Everything that seats the client with `account` at a table of its own with
// three computer players, in the order the client applies it: the four seat
// names, the four player records and the computers' ready marks. The client
// sits at seat bit 1 (北). The echo bytes are left 0 for the sender to fill.
std::vector<GamePacket> SeatingPackets(const QByteArray& account);
