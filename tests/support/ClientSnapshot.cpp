#include "support/ClientSnapshot.h"
#include "run/Reconnect.h"
#include "run/TableClosedNotice.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"
#include <stdexcept>

namespace {
std::array<IntervalTimer*, 3> Timers(Client& c) { return {&c.TimerBong, &c.TimerKeepAlive, &c.TimerProxyWait}; }

std::array<QWidget*, 3> SideWindows(Client& c) { return {c.talk.get(), c.score.get(), c.hero.get()}; }

template <typename Window>
void PutBack(OwnedWindow<Window>& window, const QWidget* before) {
    if (!before) return window.reset();
    if (window.get() != before) throw std::logic_error("a side window was replaced since the snapshot");
}
}  // namespace

ClientSnapshot::ClientSnapshot(TestClient& t)
    : transport_(t->transport),
      scheduler_(t->scheduler),
      connection_(t->connection),
      table_(t->table),
      play_(t->play),
      computer_(t->computer),
      sound_(t->sound),
      resourceIds_(t->resourceIds),
      window_(t->window),
      video_(t->video),
      seatInfo_(t->seatInfo),
      playerInfo_(t->playerInfo),
      handResult_(t->handResult),
      peers_(t.peers->record),
      camera_{t.camera->startSucceeds, t.camera->starts, t.camera->stops, t.camera->account},
      socketState_(t.socket->state),
      socketStateAfterConnect_(t.socket->stateAfterConnect),
      connectCalls_(t.socket->connectCalls),
      sent_(t.socket->sent),
      pageLoads_(t.pages->loads),
      existingWindows_(t.lobby->existingWindows),
      lobbyFrames_(t.lobby->frames),
      listeningAs_(t.lobby->listeningAs),
      now_(t.clock->now),
      sleptSeconds_(t.clock->sleptSeconds),
      pumps_(t.clock->pumps),
      onPump_(t.clock->onPump),
      shown_(t.dialogs->shown),
      answers_(t.dialogs->answers),
      soundStarts_(t.sound->startSucceeds),
      played_(t.sound->played),
      soundStops_(t.sound->stops),
      volume_(t.sound->volume),
      sideWindows_(SideWindows(*t)),
      surface_(t->mainForm->scene),
      underSurface_(t->mainForm->underSurface) {
    if (t->frmReconnect || t->frmOtherExit)
        throw std::logic_error("a client snapshot cannot hold the reconnect controller or the closed-table notice");
    windows_.emplace_back(*t->mainForm);
    for (QWidget* window : sideWindows_)
        if (window) windows_.emplace_back(*window);
    const auto timers = Timers(*t);
    for (size_t i = 0; i < timers.size(); ++i) timersEnabled_[i] = timers[i]->Enabled();
}

void ClientSnapshot::Restore(TestClient& t) const {
    Client& c = *t;
    c.transport = transport_;
    c.scheduler = scheduler_;
    c.connection = connection_;
    c.table = table_;
    c.play = play_;
    c.computer = computer_;
    c.sound = sound_;
    c.resourceIds = resourceIds_;
    c.window = window_;
    c.video = video_;
    c.seatInfo = seatInfo_;
    c.playerInfo = playerInfo_;
    c.handResult = handResult_;
    const auto timers = Timers(c);
    for (size_t i = 0; i < timers.size(); ++i) timers[i]->SetEnabled(timersEnabled_[i]);

    PutBack(c.talk, sideWindows_[0]);
    PutBack(c.score, sideWindows_[1]);
    PutBack(c.hero, sideWindows_[2]);
    c.frmReconnect.reset();
    c.frmOtherExit.reset();

    // The records are replaced, not assigned, so that what an input grew them by goes.
    t.socket->GetData(t.socket->BytesWaiting());  // bytes delivered but never taken
    t.peers->record = peers_;
    t.camera->startSucceeds = camera_.startSucceeds;
    t.socket->state = socketState_;
    t.socket->stateAfterConnect = socketStateAfterConnect_;
    t.socket->connectCalls = connectCalls_;
    t.socket->sent = std::vector(sent_);
    t.pages->loads = std::vector(pageLoads_);
    t.lobby->existingWindows = existingWindows_;
    t.lobby->frames = std::vector(lobbyFrames_);
    t.lobby->listeningAs = listeningAs_;
    t.clock->now = now_;
    t.clock->sleptSeconds = sleptSeconds_;
    t.clock->pumps = pumps_;
    t.clock->onPump = onPump_;
    t.dialogs->shown = std::vector(shown_);
    t.dialogs->answers = std::deque(answers_);
    t.sound->startSucceeds = soundStarts_;
    t.sound->played = std::vector(played_);
    t.sound->stops = soundStops_;
    t.sound->volume = volume_;

    for (const WidgetSnapshot& window : windows_) window.Restore();
    surface_.Restore();
    underSurface_.Restore();
    // After the camera control was put back, which drives the camera.
    t.camera->starts = camera_.starts;
    t.camera->stops = camera_.stops;
    t.camera->account = camera_.account;
}
