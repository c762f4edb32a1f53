#include "support/EventLoopWait.h"
#include <QCoreApplication>
#include <QDeadlineTimer>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        // Wakes at least every 20 ms, so the deadline holds when no event comes.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}
