#pragma once
#include <QByteArray>
#include <array>
#include <cstdint>

// Program-wide video words (index 1 to 3: remote local seats).
struct VideoState {
    bool CaptureOn = false;
    bool VideoLoginOk = false;
    std::array<bool, 4> VideoBlocked{};
    std::array<bool, 4> FirstFrameShown{};
    std::array<int16_t, 4> FrameSendCounter{};
    std::array<QByteArray, 4> LastVideoFrame;
};
