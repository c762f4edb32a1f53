#include "platform/StopSignals.h"
#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a pipe; the event loop reads the other end.
int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(stopPipe[1], &byte, 1);
}

// Empties the pipe, so that the notifier fires once per burst of signals.
void DrainStopPipe() {
    char bytes[16];
    while (::read(stopPipe[0], bytes, sizeof bytes) > 0) {}
}

}  // namespace

void OnStopSignals(QObject& owner, std::function<void()> onStop) {
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner, [onStop = std::move(onStop)] {
        DrainStopPipe();
        onStop();
    });

    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}
