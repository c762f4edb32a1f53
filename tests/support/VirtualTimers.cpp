#include "support/VirtualTimers.h"

void VirtualTimers::RunSeconds(double seconds) {
    const double end = t_.clock->now + seconds;
    while (t_.clock->now < end) {
        t_.Tick();
        FireDueTimers();
    }
}

void VirtualTimers::FireTimersFor(double seconds) {
    const double end = t_.clock->now + seconds;
    while (t_.clock->now < end) {
        t_.clock->now += 0.05;
        FireDueTimers();
    }
}

void VirtualTimers::FireDueTimers() {
    ReconnectController* r = t_->frmReconnect.get();
    if (r != seen_) {
        seen_ = r;
        reconnect_.at.reset();
        count_.at.reset();
    }
    if (!r) return;
    if (Fire(r->TimerReconnect, reconnect_, 1.0, frmReconnect_TimerReconnect_Timer)) return;
    Fire(r->TimerCount, count_, 3.0, frmReconnect_TimerCount_Timer);
}

bool VirtualTimers::Fire(const IntervalTimer& timer, Due& due, double interval, void (*tick)(Client&)) {
    const double now = t_.clock->now;
    if (!timer.Enabled()) {
        due.at.reset();
        return false;
    }
    if (!due.at) due.at = now + interval;
    if (now + 1e-9 < *due.at) return false;
    due.at = now + interval;
    tick(*t_);
    return true;
}
