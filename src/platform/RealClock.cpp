#include "platform/RealClock.h"
#include <QCoreApplication>
#include <QThread>

RealClock::RealClock() { timer_.start(); }

double RealClock::Now() { return timer_.nsecsElapsed() / 1e9; }

QDateTime RealClock::LocalTime() { return QDateTime::currentDateTime(); }

void RealClock::Sleep(double seconds) {
    if (seconds > 0) QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

void RealClock::Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}
