#pragma once
#include "wire/GamePacket.h"
#include <QByteArray>
#include <vector>

// TCP delivers a stream, not packets: bytes of one connection are gathered in
// `pending`, and every whole 272-byte packet is cut off its front. A partial
// packet stays in `pending` until the rest arrives.
std::vector<GamePacket> TakeWholePackets(QByteArray& pending);
