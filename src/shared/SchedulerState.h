#pragma once
#include <cstdint>

// The 50 ms scheduler's job flags, tick counters and countdown time stamps.
struct SchedulerState {
    bool SendJobOn = false;
    bool ReceiveJobOn = false;
    bool LoginJobOn = false;
    bool BlinkJobOn = false;
    bool TurnCountdownOn = false;
    bool ReadyCountdownOn = false;
    bool WatchJobOn = false;
    bool BubbleJobOn = false;

    int SendJobTicks = 0;
    int ReceiveJobTicks = 0;
    int LoginJobTicks = 0;
    int BlinkJobTicks = 0;
    int WatchJobTicks = 0;
    int TurnCountdownTicks = 0;
    int ReadyCountdownTicks = 0;
    int BubbleJobTicks = 0;

    double TurnTickTime = 0;
    double ReadyTickTime = 0;
    int32_t SilenceTicks = 0;
    // True while a tick runs, so that no tick starts inside another.
    bool TickRunning = false;
};
