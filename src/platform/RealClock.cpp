#include "platform/RealClock.h"
#include <QCoreApplication>
#include <QThread>
#include <cmath>

RealClock::RealClock() {
    timer_.start();
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
}

double RealClock::Now() { return timer_.nsecsElapsed() / 1e9; }

QDateTime RealClock::LocalTime() { return QDateTime::currentDateTime(); }

void RealClock::Sleep(double seconds) {
    if (seconds > 0) QThread::usleep(static_cast<unsigned long>(seconds * 1e6));
}

// The event loop sleeps until something happens; the deadline's timer is
// one of the things that can. (processEvents with a time limit never waits.)
void RealClock::Pump(double until) {
    const double left = until - Now();
    if (left <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    deadline_.start(static_cast<int>(std::ceil(left * 1000)));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    deadline_.stop();
}
