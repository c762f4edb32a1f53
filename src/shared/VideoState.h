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
    // The video window the zoom redraw draws next: 0 own, 1 to 3 the remote seats.
    int16_t ZoomWindow = 0;
    // The command icons 0 to 15 that show their highlighted picture.
    std::array<bool, 16> IconHover{};
};
