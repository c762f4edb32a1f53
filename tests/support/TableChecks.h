#pragma once
#include <array>
#include <cstdint>
class QGraphicsItem;
struct TestClient;

// Seat bits of local seats 0 (own) to 3 when the own seat has bit 1.
constexpr std::array<uint8_t, 4> kSeatBits{1, 8, 4, 2};

// True when the control lies above, or below, every other control of its scene.
bool InFrontOfAll(const QGraphicsItem& item);
bool BehindAll(const QGraphicsItem& item);

// True when the client sent the lobby window this system command.
bool LobbyGotSysCommand(const TestClient& t, uint32_t command);
