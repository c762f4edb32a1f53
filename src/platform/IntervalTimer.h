#pragma once
#include <QTimer>
#include <functional>

// A timer control: an interval, an enabled flag and a tick procedure. In the
// program it fires from the event loop; in tests it only keeps its flag and
// the test calls the tick procedure itself.
class IntervalTimer {
public:
    IntervalTimer(int intervalMs, bool live);
    void OnTick(std::function<void()> tick);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int IntervalMs() const { return timer_.interval(); }
    // A running timer starts its interval anew.
    void SetIntervalMs(int intervalMs) { timer_.setInterval(intervalMs); }

private:
    QTimer timer_;
    bool live_;
    bool enabled_ = false;
};
