#pragma once
#include <QCoreApplication>
#include <QTimer>

// Runs the event loop until `done()` holds or `timeoutMs` has passed; true
// when it holds. Handles events as they come, never sleeping a fixed time.
template <typename Condition>
bool WaitUntil(Condition done, int timeoutMs = 5000) {
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.start(timeoutMs);
    while (!done() && timeout.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
