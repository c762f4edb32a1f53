#include "support/TestClient.h"
#include <QCoreApplication>
#include "wire/GamePacket.h"
#include <QDir>
#include "run/Scheduler.h"
#include "run/StartUp.h"
#include "run/ClientAssembly.h"
#include "table/MainForm.h"

TestClient::TestClient(const QString& commandLine, QSize screen) {
    Platform platform;
    auto fakeSocket = std::make_unique<FakeTcpLink>();
    auto fakeLobby = std::make_unique<FakeLobbyLink>();
    auto fakeClock = std::make_unique<VirtualClock>();
    auto fakeDialogs = std::make_unique<ScriptedDialogs>();
    auto fakeSound = std::make_unique<RecordingSound>();
    socket = fakeSocket.get();
    lobby = fakeLobby.get();
    clock = fakeClock.get();
    dialogs = fakeDialogs.get();
    sound = fakeSound.get();
    platform.socket = std::move(fakeSocket);
    platform.lobby = std::move(fakeLobby);
    platform.clock = std::move(fakeClock);
    platform.dialogs = std::move(fakeDialogs);
    platform.sound = std::move(fakeSound);
    platform.end = std::make_unique<ThrowingEnd>();
    auto fakeShell = std::make_unique<RecordingShell>();
    shell = fakeShell.get();
    platform.shell = std::move(fakeShell);
    auto fakePages = std::make_unique<RecordingPageLoader>();
    pages = fakePages.get();
    platform.pages = std::move(fakePages);
    auto fakePeers = std::make_unique<FakeP2PSocket>();
    peers = fakePeers.get();
    platform.peers = std::move(fakePeers);
    auto fakeCamera = std::make_unique<FakeCamera>();
    camera = fakeCamera.get();
    platform.camera = std::move(fakeCamera);
    // The program folder exists, as the executable's folder always does.
    QDir().mkpath(programDir.path() + QStringLiteral("/table"));
    platform.paths = ProgramPaths(programDir.path() + QStringLiteral("/table"));
    platform.commandLine = commandLine;
    platform.screenSize = screen;
    platform.liveTimers = false;
    client = std::make_unique<Client>(std::move(platform));
    AssembleClient(*client);
}

QString TestClient::DefaultCommandLine() {
    return QStringLiteral("abc$pw$127.0.0.1$4000$北京$0$$0$$$$$$");
}

std::optional<QString> TestClient::Load() {
    try {
        MainForm_Form_Load(*client);
        // What the start-up leaves to the event loop's first turn, as the table window's calls.
        QCoreApplication::sendPostedEvents(client->mainForm.get(), QEvent::MetaCall);
    } catch (const ProgramEnded& end) {
        return end.reason;
    }
    return std::nullopt;
}

void TestClient::Deliver(const GameMessage& message, const QByteArray& payload) {
    Deliver(ToByteArray(EncodeGamePacket(message, payload)));
}

void TestClient::Tick(int count) {
    for (int i = 0; i < count; ++i) {
        clock->now += 0.05;
        MainForm_TimerBong_Timer(*client);
    }
}
