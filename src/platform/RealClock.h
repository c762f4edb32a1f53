#pragma once
#include "platform/Clock.h"
#include <QElapsedTimer>

class RealClock : public Clock {
public:
    RealClock();
    double Now() override;
    QDateTime LocalTime() override;
    void Sleep(double seconds) override;
    void Pump() override;

private:
    QElapsedTimer timer_;
};
