#pragma once
#include <QString>
#include <array>

// The table window's own words: the button row, the boss key, chat and banner.
struct WindowState {
    std::array<bool, 9> AnNiuUsed{};
    std::array<bool, 9> AnNiuHover{};
    bool StartButtonOn = true;
    bool BossKey = false;
    // Alt seen, C seen: the chord that shows or hides the chat log.
    std::array<int16_t, 2> HotkeyState{};
    bool ChromeNormal = true;
    bool ResultPending = false;
    bool ChatAllowed = true;
    bool BannerFailed = false;
    QString BannerUrl;
    // The exit dialog's leave sequence is running: its waits must not start a second one.
    bool ExitLeaveRunning = false;
};
