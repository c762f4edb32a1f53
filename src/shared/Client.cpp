#include "shared/Client.h"
#include <cstdlib>

Client::Client(Platform p)
    : platform(std::move(p)),
      Winsock1(*platform.socket),
      P2PSocket1(*platform.peers),
      TimerBong(50, platform.liveTimers),
      TimerKeepAlive(5000, platform.liveTimers),
      TimerProxyWait(kProxyWaitMs, platform.liveTimers),
      TimerChat(800, platform.liveTimers),
      Timer_Zoom(100, platform.liveTimers) {
    for (int k = 1; k <= 3; ++k) Timer_Vshow[k] = std::make_unique<IntervalTimer>(30, platform.liveTimers);
}

Client::~Client() = default;

void Client::End(const QString& reason) {
    platform.end->End(reason);
    std::abort();  // an end service never returns
}
