#include "shared/Client.h"
#include "wire/Proxy.h"
#include "run/Reconnect.h"
#include "run/TableClosedNotice.h"
#include "table/MainForm.h"
#include "window/ExitDialog.h"
#include "window/PhraseWindow.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "video/VideoWindow.h"
#include <cstdlib>

Client::Client(Platform p)
    : platform(std::move(p)),
      Winsock1(*platform.socket),
      mainForm(std::make_unique<MainForm>(*platform.camera)),
      P2PSocket1(*platform.peers),
      TimerBong(50, platform.liveTimers),
      TimerKeepAlive(5000, platform.liveTimers),
      TimerProxyWait(kProxyWaitMs, platform.liveTimers),
      TimerChat(800, platform.liveTimers),
      Timer_Zoom(100, platform.liveTimers) {
    for (int k = 1; k <= 3; ++k) Timer_Vshow[k] = std::make_unique<IntervalTimer>(30, platform.liveTimers);
}

Client::~Client() = default;

TalkWindow& Client::Talk() {
    if (!talk) talk = std::make_unique<TalkWindow>(*this);
    return *talk;
}

PhraseWindow& Client::Huifu() {
    if (!huifu) huifu = std::make_unique<PhraseWindow>(*this);
    return *huifu;
}

SoundSettingsDialog& Client::VosSet() {
    if (!vosSet) vosSet = std::make_unique<SoundSettingsDialog>(*this);
    return *vosSet;
}

ExitDialog& Client::FrmExit() {
    if (!frmExit) frmExit = std::make_unique<ExitDialog>(*this);
    return *frmExit;
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
