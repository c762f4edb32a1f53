#include "shared/Client.h"
#include "connection/Reconnect.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"
#include <cstdlib>

Client::Client(Platform p)
    : platform(std::move(p)),
      Winsock1(*platform.socket),
      mainForm(std::make_unique<MainForm>()),
      TimerBong(50, platform.liveTimers),
      TimerKeepAlive(5000, platform.liveTimers) {}

Client::~Client() = default;

TalkWindow& Client::Talk() {
    if (!talk) talk = std::make_unique<TalkWindow>();
    return *talk;
}

void Client::End(const QString& reason) {
    platform.end->End(reason);
    std::abort();  // an end service never returns
}
