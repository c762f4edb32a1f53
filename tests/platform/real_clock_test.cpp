// The real clock's waits: they sleep in the event loop until an event or
// their deadline comes, and they hand every event on in the order it came.
// Nothing here checks how long anything took; the deadlines are a few
// milliseconds so that the waits end quickly.
#include "platform/RealClock.h"
#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {
// Pumps until the deadline `seconds` from now, as the client's waits do; the
// number of pumps it took.
int WaitOn(RealClock& clock, double seconds) {
    const double until = clock.Now() + seconds;
    int pumps = 0;
    while (clock.Now() < until) {
        clock.Pump(until);
        ++pumps;
    }
    return pumps;
}

void Later(QObject& context, int ms, std::function<void()> run) {
    QTimer::singleShot(ms, Qt::PreciseTimer, &context, std::move(run));
}
}  // namespace

TEST(RealClockWait, SleepsUntilTheNextEventInsteadOfReturningEmptyHanded) {
    RealClock clock;
    QObject context;
    bool fired = false;
    Later(context, 20, [&fired] { fired = true; });
    // A few wake-ups of the platform's own may come first; a pump that does
    // not sleep runs out of tries long before the timer is due.
    int pumps = 0;
    while (!fired && pumps < 1000) {
        clock.Pump(clock.Now() + 30);
        ++pumps;
    }
    EXPECT_TRUE(fired);
    EXPECT_LE(pumps, 3);
}

// A wait that turned the loop over and over would count thousands of pumps.
TEST(RealClockWait, AQuietWaitWakesOnlyAtItsDeadline) {
    RealClock clock;
    EXPECT_LE(WaitOn(clock, 0.05), 3);
}

TEST(RealClockWait, HandlesEventsInTheOrderTheyCome) {
    RealClock clock;
    QObject context;
    std::vector<int> order;
    QMetaObject::invokeMethod(&context, [&order] { order.push_back(1); }, Qt::QueuedConnection);
    Later(context, 5, [&] {
        order.push_back(2);
        QMetaObject::invokeMethod(&context, [&order] { order.push_back(3); }, Qt::QueuedConnection);
    });
    Later(context, 15, [&order] { order.push_back(4); });
    WaitOn(clock, 0.04);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
}

TEST(RealClockWait, APumpPastItsDeadlineHandlesWhatIsWaitingWithoutSleeping) {
    RealClock clock;
    QObject context;
    std::vector<int> order;
    for (int i = 1; i <= 3; ++i)
        QMetaObject::invokeMethod(&context, [&order, i] { order.push_back(i); }, Qt::QueuedConnection);
    // Nothing else would wake a pump that slept here: the test would hang.
    clock.Pump(clock.Now() - 1);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}
