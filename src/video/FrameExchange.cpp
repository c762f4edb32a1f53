#include "video/FrameExchange.h"
#include <algorithm>
#include "platform/CaptureControl.h"
#include "platform/VideoView.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "video/VideoPanels.h"
#include "video/VideoWindow.h"

namespace {
constexpr int16_t kLinked = 10;
constexpr int16_t kFramesAtFirst = 3;
// A link that is not fully ready gets the first three frames, then one in 21.
constexpr int16_t kThrottleRestart = 23;

// A video window's view shows a frame and comes to the front of the window.
void ShowInVideoWindow(Client& c, int zoomIndex, const QByteArray& frame) {
    if (!VideoWindowShown(c, zoomIndex)) return;
    VideoView& view = *VideoWindowOf(c, zoomIndex).vshow1;
    view.ShowFrame(frame);
    view.show();
    view.raise();
}

// The remote seat whose player the link carries: the lowest seat with that
// account. A slot without an account names nobody, not an empty seat.
int SeatOfLink(Client& c, int16_t slot) {
    const QString account = c.P2PSocket1.UserID(slot);
    if (account.isEmpty()) return 0;
    for (int k = 1; k <= 3; ++k)
        if (account == c.seatInfo[k].Account) return k;
    return 0;
}
}  // namespace

void MainForm_P2PSocket1_LoginResult(Client& c, int16_t code) {
    if (code == PeerLogin::LoggedIn) c.video.VideoLoginOk = true;
}

void MainForm_P2PSocket1_StateChange(Client& c, int16_t slot, int16_t state) {
    if (state != PeerLink::Linked && state != PeerLink::Ready) return;
    CaptureControl& camera = *c.mainForm->vcap1;
    c.P2PSocket1.SendFormat(slot, camera.CaptureFormat());
    c.P2PSocket1.SendCaptureMode(slot, camera.CaptureMode);
    // Without a camera the kept frame is empty, and the component sends nothing.
    c.P2PSocket1.SendToPeer(slot, c.video.LastVideoFrame[0]);
}

void MainForm_vcap1_FrameCaptured(Client& c, const QByteArray& frame) {
    c.video.LastVideoFrame[0] = frame;
    P2PSocket& peers = c.P2PSocket1;
    // The counters exist for three slots; a socket reporting more has no counters for the rest.
    const int16_t slotCount = std::min<int16_t>(peers.PeerCount, int16_t(c.video.FrameSendCounter.size() - 1));
    for (int16_t slot = 1; slot <= slotCount; ++slot) {
        const int16_t state = peers.PeerState(slot);
        if (state < kLinked) continue;
        if (state == PeerLink::Ready) {
            peers.SendToPeer(slot, frame);
            continue;
        }
        int16_t& sent = c.video.FrameSendCounter[slot];
        if (sent < kFramesAtFirst) {
            peers.SendToPeer(slot, frame);
            ++sent;
        } else if (sent >= kThrottleRestart) {
            sent = kFramesAtFirst;
            peers.SendToPeer(slot, frame);
        } else {
            ++sent;
        }
    }
    ShowInVideoWindow(c, 0, frame);
}

void MainForm_P2PSocket1_DataArrival(Client& c, int16_t slot, const QByteArray& frame) {
    const int k = SeatOfLink(c, slot);
    if (k == 0) return;
    const bool open = c.P2PSocket1.PeerState(slot) >= kLinked && !c.video.VideoBlocked[k];
    // Seat 1 keeps a frame only while its video is let through; seats 2 and 3 keep every one.
    if (k == 1 && !open) return;
    c.video.LastVideoFrame[k] = frame;
    if (!open) return;
    MainForm& f = *c.mainForm;
    VideoView& view = *f.vshow1[k];
    if (view.isHidden() && !c.video.FirstFrameShown[k]) {
        ShowSeatPanel(c, k);
        c.Timer_Vshow[k]->SetEnabled(true);
        c.video.FirstFrameShown[k] = true;
        view.ShowFrame(c.video.LastVideoFrame[k]);
    } else {
        view.ShowFrame(frame);
    }
    ShowInVideoWindow(c, k, frame);
}

void ConnectVideoEvents(Client& c) {
    P2PSocket& peers = c.P2PSocket1;
    peers.OnLoginResult = [&c](int16_t code) { MainForm_P2PSocket1_LoginResult(c, code); };
    peers.OnStateChange = [&c](int16_t slot, int16_t state) { MainForm_P2PSocket1_StateChange(c, slot, state); };
    peers.OnDataArrival = [&c](int16_t slot, const QByteArray& frame) { MainForm_P2PSocket1_DataArrival(c, slot, frame); };
    c.mainForm->vcap1->OnFrameCaptured = [&c](const QByteArray& frame) { MainForm_vcap1_FrameCaptured(c, frame); };
    ConnectVideoPanelEvents(c);
}
