#pragma once
#include <array>
#include <cstdint>

// The tables that map a picture's role to its resource id.
struct ResourceIds {
    std::array<int16_t, 20> BarButtonIds{};
    std::array<int16_t, 3> LevelNoticeIds{};
    std::array<int16_t, 180> TileImageIds{};
    std::array<int16_t, 18> ActionButtonIds{};
    std::array<int16_t, 16> DiceImageIds{};
    std::array<int16_t, 8> ActionWordIds{};
    std::array<int16_t, 20> PortraitIds{};
    std::array<int16_t, 8> DialogButtonIds{};
    std::array<int16_t, 4> CompassIds{};
    std::array<int16_t, 3> HoldBubbleIds{};
    std::array<int16_t, 4> HoldButtonIds{};
    std::array<int16_t, 3> FollowBubbleIds{};
    std::array<int16_t, 6> VideoScreenIds{};
    std::array<int16_t, 13> VideoIconIds{};
};
