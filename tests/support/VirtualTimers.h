#pragma once
#include "run/Reconnect.h"
#include "support/TestClient.h"
#include <optional>

// Runs virtual time: the scheduler ticks every 50 ms, and the reconnect
// controller's timers fire once their interval has passed since they were
// switched on, as live timers would.
class VirtualTimers {
public:
    explicit VirtualTimers(TestClient& t) : t_(t) {}

    void RunSeconds(double seconds);

    // Only the controller's timers, as while a modal box pumps events.
    void FireTimersFor(double seconds);

private:
    struct Due {
        std::optional<double> at;
    };

    void FireDueTimers();
    // True when the timer fired (the controller may be gone since).
    bool Fire(const IntervalTimer& timer, Due& due, double interval, void (*tick)(Client&));

    TestClient& t_;
    ReconnectController* seen_ = nullptr;
    Due reconnect_, count_;
};
