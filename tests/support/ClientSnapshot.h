#pragma once
#include "support/SceneSnapshot.h"
#include "support/TestClient.h"
#include "support/WidgetSnapshot.h"
#include <array>

// A client on doubles as it was at one moment, so that one client can be put
// back there again and again instead of building a new one, which takes far
// longer: the state of every subsystem, the timers, what the doubles hold and
// have recorded, the table window and the side windows. A chat log, score
// board or hand list that exists at the snapshot is restored, one that does
// not is closed again; the reconnect controller and the closed-table notice
// must not exist at the snapshot and are closed.
class ClientSnapshot {
public:
    explicit ClientSnapshot(TestClient& t);
    void Restore(TestClient& t) const;

private:
    TransportState transport_;
    SchedulerState scheduler_;
    ConnectionState connection_;
    TableState table_;
    PlayState play_;
    ComputerState computer_;
    SoundState sound_;
    ResourceIds resourceIds_;
    WindowState window_;
    VideoState video_;
    std::array<SeatInfo, 4> seatInfo_;
    std::array<PlayerInfo, 4> playerInfo_;
    HandResult handResult_;
    FakeP2PSocket::Record peers_;
    struct {
        bool startSucceeds;
        int starts, stops;
        QString account;
    } camera_;
    std::array<bool, 3> timersEnabled_;

    int socketState_, socketStateAfterConnect_, connectCalls_;
    std::vector<QByteArray> sent_;
    std::vector<RecordingPageLoader::PendingLoad> pageLoads_;
    QStringList existingWindows_;
    std::vector<LobbyFrame> lobbyFrames_;
    QString listeningAs_;
    double now_, sleptSeconds_;
    int pumps_;
    std::function<void()> onPump_;
    std::vector<ShownDialog> shown_;
    std::deque<Dialogs::Answer> answers_;
    bool soundStarts_;
    std::vector<PlayedSound> played_;
    int soundStops_, volume_;

    std::array<QWidget*, 3> sideWindows_;  // chat log, score board, hand list, or null
    std::vector<WidgetSnapshot> windows_;
    SceneSnapshot surface_, underSurface_;
};
