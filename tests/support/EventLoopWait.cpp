#include "support/EventLoopWait.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the loop at least every 20 ms, so that the deadline and a change
    // no event tells of are seen when no event comes. (processEvents with a
    // time limit never sleeps: it would keep a core busy.)
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
