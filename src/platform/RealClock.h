#pragma once
#include "platform/Clock.h"
#include <QElapsedTimer>
#include <QTimer>

class RealClock : public Clock {
public:
    RealClock();
    double Now() override;
    QDateTime LocalTime() override;
    void Sleep(double seconds) override;
    void Pump(double until) override;

private:
    QElapsedTimer timer_;
    // Wakes a pump that waits for events at its deadline.
    QTimer deadline_;
};
