#include "platform/IntervalTimer.h"

IntervalTimer::IntervalTimer(int intervalMs, bool live) : live_(live) { timer_.setInterval(intervalMs); }

void IntervalTimer::OnTick(std::function<void()> tick) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(tick));
}

void IntervalTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!live_) return;
    if (enabled && !timer_.isActive())
        timer_.start();
    else if (!enabled)
        timer_.stop();
}
