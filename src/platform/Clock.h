#pragma once
#include <QDateTime>

// Time as the client sees it: a monotonic clock in seconds, the local date
// and time of day, a blocking sleep and one turn of the event loop. Tests use a virtual clock that advances
// instantly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double Now() = 0;
    // The wall clock's local date and time, for names that carry the moment.
    virtual QDateTime LocalTime() = 0;
    // Blocks the whole client; no event is handled meanwhile.
    virtual void Sleep(double seconds) = 0;
    // Handles the events that are waiting; when none is, waits for the next
    // one, but not past the moment `until` (in Now()'s seconds).
    virtual void Pump(double until) = 0;
};
