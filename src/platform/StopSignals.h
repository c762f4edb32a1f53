#pragma once
#include <functional>

class QObject;

// Runs `onStop` from the event loop whenever SIGINT or SIGTERM arrives, so
// that a program ends through its own closing steps instead of dying on the
// signal. The watch lives as long as `owner`; one watch per process.
void OnStopSignals(QObject& owner, std::function<void()> onStop);
