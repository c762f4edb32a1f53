#pragma once
#include <functional>

// Runs the event loop until `done` holds or the time is up; false on time-out.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
