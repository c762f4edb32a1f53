#pragma once
#include "connection/GamePacket.h"
#include <QString>
#include <array>
#include <cstdint>

// A Login (or, with type Reconnect, a reconnect request) as the client sends
// it: the account in bytes 16-31 and the password from byte 32, both GBK.
GamePacket LoginPacket(int type, const QString& account, const QString& password, std::array<uint8_t, 2> echo = {});
