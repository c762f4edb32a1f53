#pragma once
#include "shared/ComputerState.h"
#include "shared/ConnectionState.h"
#include "shared/SchedulerState.h"
#include "shared/TransportState.h"
#include "platform/CameraDevice.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EndProgram.h"
#include "platform/IntervalTimer.h"
#include "platform/LobbyLink.h"
#include "platform/PageLoader.h"
#include "platform/ProgramPaths.h"
#include "platform/Shell.h"
#include "platform/SoundDevice.h"
#include "platform/TcpLink.h"
#include "shared/PlayState.h"
#include "shared/HandResult.h"
#include "shared/PlayerInfo.h"
#include "shared/SeatInfo.h"
#include "shared/ResourceIds.h"
#include "shared/SoundState.h"
#include "shared/TableState.h"
#include "platform/P2PSocket.h"
#include "shared/VideoState.h"
#include "shared/ChatState.h"
#include "shared/WindowState.h"
#include "shared/UpwardCalls.h"
#include <QSize>
#include <functional>
#include <memory>

class MainForm;
class TalkWindow;
class PhraseWindow;
class SoundSettingsDialog;
class ExitDialog;
class ScoreWindow;
class HeroWindow;
class InformationWindow;
class ReconnectController;
class TableClosedNotice;
class VideoWindow;

// A window the client owns whose class lives on a floor above this one: the
// unit that defines the window makes it (MakeWindow) and with it the way to
// delete it, so the client needs no more than the window's name.
template <class Window>
struct WindowDeleter {
    void (*destroy)(Window*) = nullptr;
    void operator()(Window* window) const { destroy(window); }
};
template <class Window>
using OwnedWindow = std::unique_ptr<Window, WindowDeleter<Window>>;
template <class Window, class... Args>
OwnedWindow<Window> MakeWindow(Args&&... args) {
    return OwnedWindow<Window>(new Window(std::forward<Args>(args)...),
                               WindowDeleter<Window>{[](Window* window) { delete window; }});
}

// The platform services the client runs on; real ones in the program, doubles in tests.
struct Platform {
    std::unique_ptr<TcpLink> socket;
    std::unique_ptr<LobbyLink> lobby;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<SoundDevice> sound;
    std::unique_ptr<EndProgram> end;
    std::unique_ptr<Shell> shell;
    // Fetches the banner's web pages.
    std::unique_ptr<PageLoader> pages;
    // The video component's peer socket and the own camera behind its capture control.
    std::unique_ptr<P2PSocket> peers;
    std::unique_ptr<CameraDevice> camera;
    ProgramPaths paths{QString()};
    // The program's arguments joined by blanks.
    QString commandLine;
    QSize screenSize{1024, 768};
    // False in tests: timers keep their flags and the test runs the ticks.
    bool liveTimers = true;
    // True when another table client is already running.
    std::function<bool()> anotherInstanceRunning = [] { return false; };
};

// The root of all program-wide state: one plain struct per owning subsystem,
// the windows, the timers and the platform services.
class Client {
public:
    explicit Client(Platform platform);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    Platform platform;
    TcpLink& Winsock1;

    TransportState transport;
    SchedulerState scheduler;
    ConnectionState connection;
    TableState table;
    PlayState play;
    ComputerState computer;
    SoundState sound;
    ResourceIds resourceIds;
    WindowState window;
    ChatState chat;
    VideoState video;
    std::array<SeatInfo, 4> seatInfo{};
    std::array<PlayerInfo, 4> playerInfo{};
    HandResult handResult{};
    UpwardCalls upward;

    OwnedWindow<MainForm> mainForm;
    OwnedWindow<TalkWindow> talk;
    OwnedWindow<PhraseWindow> huifu;
    OwnedWindow<SoundSettingsDialog> vosSet;
    OwnedWindow<ExitDialog> frmExit;
    OwnedWindow<ScoreWindow> score;
    OwnedWindow<HeroWindow> hero;
    OwnedWindow<InformationWindow> information;
    OwnedWindow<ReconnectController> frmReconnect;
    OwnedWindow<TableClosedNotice> frmOtherExit;
    P2PSocket& P2PSocket1;
    // The enlarged video windows by zoom index: 0 the own camera (frm_Local),
    // 1 to 3 the remote seats (frm_Remote1 to frm_Remote3); created on first use.
    std::array<OwnedWindow<VideoWindow>, 4> videoWindows;

    IntervalTimer TimerBong;
    IntervalTimer TimerKeepAlive;
    // The time a proxy has to bring the link up.
    IntervalTimer TimerProxyWait;
    // The chat throttle: Enter sends again once it has ticked.
    IntervalTimer TimerChat;
    // One-shot redraws: a remote seat's view (1 to 3; element 0 unused) and the video window last opened or resized.
    std::array<std::unique_ptr<IntervalTimer>, 4> Timer_Vshow;
    IntervalTimer Timer_Zoom;

    // The chat-log window, created on first use. Each of these is defined
    // beside its window's class.
    TalkWindow& Talk();
    // The quick-phrase window, the sound settings and the exit dialog, created on first use.
    PhraseWindow& Huifu();
    SoundSettingsDialog& VosSet();
    ExitDialog& FrmExit();
    // The score board and the hand list, created on first use.
    ScoreWindow& Score();
    HeroWindow& Hero();
    // The player card, created on first use.
    InformationWindow& Information();
    [[noreturn]] void End(const QString& reason);
};
