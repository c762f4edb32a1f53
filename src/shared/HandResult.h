#pragma once
#include <array>
#include <cstdint>

// The settlement items of one hand as the server sends them: 48 per local seat.
using HandResult = std::array<std::array<int16_t, 48>, 4>;
