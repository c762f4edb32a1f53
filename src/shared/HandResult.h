#pragma once
#include <array>
#include <cstdint>

// The settlement items of one hand as the server sends them: 48 per local
// seat. Held in 32 bits: item 0 is a whole wire word times 256.
using HandResult = std::array<std::array<int32_t, 48>, 4>;
