#include "run/ClientAssembly.h"
#include "run/StartUp.h"
#include "platform/EndProgram.h"
#include "video/CameraDevices.h"
#include "platform/DesktopShell.h"
#include "platform/InstanceLock.h"
#include "platform/NetworkPageLoader.h"
#include "platform/QtDialogs.h"
#include "platform/RelayPeerSocket.h"
#include "platform/QtSoundDevice.h"
#include "platform/QtTcpLink.h"
#include "platform/RealClock.h"
#include "platform/RuntimeDir.h"
#include "platform/StopSignals.h"
#include "platform/UnixLobbyLink.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString error;
    const QString runtimeDir = PrepareRuntimeDir(&error);
    if (runtimeDir.isEmpty()) {
        std::fprintf(stderr, "dravik-table: %s\n", qPrintable(error));
        return 1;
    }
    InstanceLock instanceLock;

    Platform platform;
    platform.socket = std::make_unique<QtTcpLink>();
    platform.lobby = std::make_unique<UnixLobbyLink>(runtimeDir);
    platform.clock = std::make_unique<RealClock>();
    platform.dialogs = std::make_unique<QtDialogs>();
    platform.sound = std::make_unique<QtSoundDevice>();
    platform.end = std::make_unique<ProcessEnd>();
    platform.shell = std::make_unique<DesktopShell>();
    platform.pages = std::make_unique<NetworkPageLoader>();
    platform.peers = std::make_unique<RelayPeerSocket>();
    platform.camera = OpenCameraDevice();
    platform.paths = ProgramPaths::FromEnvironment();
    platform.commandLine = app.arguments().mid(1).join(QLatin1Char(' ')).trimmed();
    platform.screenSize = app.primaryScreen()->size();
    platform.anotherInstanceRunning = [&] { return !instanceLock.TryLock(runtimeDir); };

    Client client(std::move(platform));
    AssembleClient(client);
    // Ctrl-C and a terminate request close the table window as the lobby's
    // WM_CLOSE does: its closing steps run and the program ends with them.
    OnStopSignals(app, [&client] { client.mainForm->close(); });
    MainForm_Form_Load(client);
    return app.exec();
}
