#include "run/StartUp.h"
#include "wire/CommandLine.h"
#include "wire/LobbyWindowLink.h"
#include "run/LobbyMessages.h"
#include "run/TableEvents.h"
#include "wire/LoginPacket.h"
#include "wire/PacketTransport.h"
#include "wire/Proxy.h"
#include "run/Reconnect.h"
#include "run/Scheduler.h"
#include "wire/ServerConnection.h"
#include "platform/CaptureControl.h"
#include "shared/Client.h"
#include "video/VideoWindow.h"
#include "table/DesignPictures.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/TableLayout.h"
#include "table/Sound.h"
#include "window/SkinFrame.h"
#include "window/TalkWindow.h"
#include "table/Ticker.h"

namespace {
const QString kWarningTitle = QStringLiteral("警告");
const QString kTableCaption = QStringLiteral("Dravik麻将");
constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;
constexpr double kSmallScale = 0.78125;

[[noreturn]] void Refuse(Client& c, const QString& text) {
    c.platform.dialogs->MsgBox(text, Dialogs::OkOnly, kWarningTitle);
    c.End(text);
}

// The window fills a screen up to the table's size; a larger screen gets the
// skinned frame around a table of exactly the design size.
void SizeWindow(Client& c) {
    MainForm& f = *c.mainForm;
    const QSize screen = c.platform.screenSize;
    int windowHeight = screen.height(), surfaceTop = 0, surfaceHeight = screen.height();
    if (screen.height() > kDesignHeight) {
        windowHeight = 11940 / 15;
        // The frame is painted for the size the window has at that moment.
        f.resize(f.width(), windowHeight);
        PaintSkinFrame(c);
        surfaceHeight = windowHeight - 420 / 15;
        surfaceTop = 300 / 15;
    }
    int windowWidth = screen.width(), surfaceLeft = 0, surfaceWidth = screen.width();
    if (screen.width() > kDesignWidth) {
        windowWidth = 15600 / 15;
        f.resize(windowWidth, windowHeight);
        PaintSkinFrame(c);
        surfaceWidth = windowWidth - 240 / 15;
        surfaceLeft = 120 / 15;
    }
    f.setGeometry(0, 0, windowWidth, windowHeight);
    f.Pic1->setGeometry(surfaceLeft, surfaceTop, surfaceWidth, surfaceHeight);
    f.scene.setSceneRect(0, 0, surfaceWidth, surfaceHeight);

    const bool fullSize = screen.width() >= kDesignWidth && screen.height() >= kDesignHeight;
    c.table.ScaleX = fullSize ? 1.0 : kSmallScale;
    c.table.ScaleY = fullSize ? 1.0 : kSmallScale;
    if (fullSize) return;
    f.Pic1->SetPicture(LazyDesignPicture(DesignPictureId::SmallTable));
    f.Pic1->lower();
    f.Host->Move(6, 200);
    f.Zhuang->Move(45, 200);
    for (auto* line : f.Sysmsg) {
        QFont font = line->font();
        font.setPointSize(8);
        line->setFont(font);
    }
}

void SetStartValues(Client& c) {
    c.scheduler = SchedulerState{};
    c.window.BannerFailed = false;
    c.window.ChatAllowed = true;
    c.window.ResultPending = false;
    c.connection.LoginPending = false;
    c.connection.AutoPlayRequested = false;
    c.sound.MusicOn = c.sound.SystemSoundOn = c.sound.EffectSoundOn = true;
    c.table.TableCleared = false;
    c.table.ChatBlinkCount = 0;
    c.table.PlayerCount = 0;
    c.table.HandStarted = 0;
    c.table.HandNumber = 0;
    c.table.LastDiscardImage = -1;
    c.table.PrevBlinkImage = -1;
}

void StartSound(Client& c) {
    InitSoundPaths(c);
    if (!c.sound.EffectSoundOn) return;
    InitDirectSound(c);
    StopSound(c);
    PlaySoundFile(c, c.sound.WavePath[1], true);
    SetSoundVolume(c, 3000);
}

void ApplyCommandLine(Client& c, const CommandLine& line) {
    ConnectionState& k = c.connection;
    c.table.SpectatorMode = line.SpectatorMode;
    const auto text = [&](int number, QString& into) {
        if (const QString* field = line.Field(number)) into = *field;
    };
    text(1, k.UserName);
    c.seatInfo[0].Account = k.UserName;
    text(3, k.ServerAddr.HostName);
    if (const QString* port = line.Field(4)) k.ServerAddr.Port = static_cast<uint16_t>(port->toUInt());
    if (const QString* location = line.Field(5)) {
        LabelControl& label = *c.mainForm->Location;
        if (c.table.ScaleX < 1) label.SetFontSize(10);
        if (location->size() > 10) label.SetFontSize(label.Font().pointSizeF() - 2);
        k.LocationText = *location;
        label.SetCaption(*location);
        if (line.SpectatorMode) c.playerInfo[0].UserId = line.WatchedTail.trimmed().toDouble();
    }
    if (const QString* type = line.Field(6)) k.ProxyType = static_cast<int16_t>(type->toInt());
    text(7, k.ProxyAddr.HostName);
    if (const QString* port = line.Field(8)) k.ProxyAddr.Port = static_cast<uint16_t>(port->toUInt());
    if (const QString* user = line.Field(9)) {
        k.ProxyAuth.User = *user;
        k.ProxyAuth.UserLen = static_cast<uint8_t>(user->size());
    }
    if (const QString* password = line.Field(10)) {
        k.ProxyAuth.Password = *password;
        k.ProxyAuth.PasswordLen = static_cast<uint8_t>(password->size());
    }
    k.AutoPlayRequested = line.AutoPlayRequested();
    text(12, k.LobbyCaption);
    text(13, k.WindowCaption);
}

}  // namespace

void MainForm_Form_Load(Client& c) {
    // The lobby is looked up by the caption the command line gives, so the
    // line is split before the first look-up; an empty line names no lobby.
    const CommandLine line = SplitCommandLine(c.platform.commandLine);
    c.connection.LobbyCaption = line.LobbyCaption();
    if (c.platform.anotherInstanceRunning()) {
        c.platform.dialogs->MsgBox(QStringLiteral("Dravik麻将游戏已经运行！"), Dialogs::OkOnly, kWarningTitle);
        if (!line.Empty) RestoreLobbyWindow(c);
        c.End(QStringLiteral("another table client is running"));
    }

    MainForm& f = *c.mainForm;
    f.OnResize = [&c] { MainForm_Form_Resize(c); };
    f.OnUnload = [&c] { MainForm_Form_Unload(c); };
    c.TimerBong.OnTick([&c] { MainForm_TimerBong_Timer(c); });
    c.TimerKeepAlive.OnTick([&c] { MainForm_TimerKeepAlive_Timer(c); });
    c.TimerProxyWait.OnTick([&c] { TimerProxyWait_Timer(c); });
    QObject::connect(&c.Winsock1, &TcpLink::Connected, [&c] { MainForm_Winsock1_Connect(c); });
    QObject::connect(&c.Winsock1, &TcpLink::DataArrival, [&c] { MainForm_Winsock1_DataArrival(c); });
    QObject::connect(&c.Winsock1, &TcpLink::PeerClosed, [&c] { MainForm_Winsock1_Close(c); });

    if (!line.Empty) RestoreLobbyWindow(c);
    c.window.StartButtonOn = true;
    c.table.AutoPlay = false;
    c.table.TurnSeconds = 8;
    c.window.ChromeNormal = true;

    SizeWindow(c);
    SetStartValues(c);
    StartSound(c);
    InitResourceIds(c);
    InitTableLayout(c);

    if (line.Empty) Refuse(c, QStringLiteral("本游戏需从游戏大厅中启动！"));
    if (const auto bad = FindBadField(line)) Refuse(c, QStringLiteral("命令行参数错误：") + *bad);
    ApplyCommandLine(c, line);
    c.transport.LinkReady = true;

    c.P2PSocket1.RelayHost = c.connection.ServerAddr.HostName;
    c.P2PSocket1.RelayPort = 8888;
    c.P2PSocket1.PeerCount = 3;
    c.P2PSocket1.PeerLogin(c.seatInfo[0].Account);
    c.P2PSocket1.Visible = false;

    f.Sysmsg[0]->clear();
    f.Sysmsg[0]->addItem(QStringLiteral("正在连接服务器..."));
    c.TimerBong.SetEnabled(false);
    c.transport.LinkReady = true;

    // The password goes into the log-in packet and nowhere else.
    c.connection.LoginPacket = BuildLoginPacket(c.connection.UserName, line.Field(2) ? *line.Field(2) : QString());
    ConnectToServer(c);
    f.show();

    if (c.connection.AutoPlayRequested) {
        f.setWindowTitle(c.connection.WindowCaption);
        c.table.TurnSeconds = 2;
        c.table.AutoPlay = true;
    } else {
        c.connection.LobbyCaption = QStringLiteral("Jokro山庄");
    }
    InitTableControls(c);
    ConnectTableEvents(c);
    c.seatInfo[0].SeatBit = 0;
    c.connection.Reconnected = false;
    c.table.MustLeaveTable = false;
    if (c.table.SpectatorMode) c.table.HandNumber = 0;

    QObject::connect(c.platform.lobby.get(), &LobbyLink::MessageReceived,
                     [&c](uint32_t msg, uint32_t wParam, uint32_t lParam) { MainFormWndProc(c, msg, wParam, lParam); });
    if (!c.platform.lobby->Listen(f.windowTitle()))
        qWarning("the table window cannot be reached under \"%s\"", qPrintable(f.windowTitle()));
}

void MainForm_Form_Resize(Client& c) {
    MainForm& f = *c.mainForm;
    if (f.IsMinimized()) {
        for (int z = 0; z <= 3; ++z)
            if (VideoWindowShown(c, z)) UnloadVideoWindow(c, z);
        return;
    }
    f.raise();
    f.activateWindow();
    if (c.window.BossKey) {
        c.table.TurnSeconds = c.table.AutoPlay ? 1 : 8;
        c.window.BossKey = false;
    }
    // What the user types next belongs in the chat line.
    f.Chat->setFocus();
    MinimizeLobbyWindow(c);
    c.table.TimeoutStreak = 0;
}

void MainForm_Form_Unload(Client& c) {
    c.platform.lobby->StopListening();
    if (c.sound.MusicOn) StopMusic(c);
    if (c.sound.EffectSoundOn) StopSound(c);
    c.P2PSocket1.CloseAll();
    if (c.video.CaptureOn) {
        c.mainForm->vcap1->StopCapture();
        c.mainForm->vcap1->CloseCapture();
    }
    for (int z = 0; z <= 3; ++z) UnloadVideoWindow(c, z);
    c.frmReconnect.reset();
    if (c.talk) c.talk->close();
    c.End(QStringLiteral("the table window was closed"));
}
