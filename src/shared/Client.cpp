#include "shared/Client.h"
#include "connection/Proxy.h"
#include "connection/Reconnect.h"
#include "connection/TableClosedNotice.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include <cstdlib>

Client::Client(Platform p)
    : platform(std::move(p)),
      Winsock1(*platform.socket),
      mainForm(std::make_unique<MainForm>()),
      TimerBong(50, platform.liveTimers),
      TimerKeepAlive(5000, platform.liveTimers),
      TimerProxyWait(kProxyWaitMs, platform.liveTimers) {}

Client::~Client() = default;

TalkWindow& Client::Talk() {
    if (!talk) talk = std::make_unique<TalkWindow>();
    return *talk;
}

ScoreWindow& Client::Score() {
    if (!score) score = std::make_unique<ScoreWindow>();
    return *score;
}

HeroWindow& Client::Hero() {
    if (!hero) hero = std::make_unique<HeroWindow>(*this);
    return *hero;
}

InformationWindow& Client::Information() {
    if (!information) information = std::make_unique<InformationWindow>();
    return *information;
}

void Client::End(const QString& reason) {
    platform.end->End(reason);
    std::abort();  // an end service never returns
}
