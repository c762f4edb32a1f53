#pragma once
#include "platform/UnixLobbyLink.h"
#include "support/EventLoopWait.h"
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>


// One run of the real `dravik-table` binary: offscreen, dialogs answered at
// once, in its own runtime and program folders.
class TableProcess {
public:
    TableProcess(const QString& program, const QString& runtimeDir);
    ~TableProcess();
    // Runs the client on an X display instead of offscreen; before Start.
    void UseDisplay(const QString& display);
    // Sets one more environment variable for the client; before Start.
    void SetEnvironment(const QString& name, const QString& value);
    void Start(const QStringList& arguments);
    bool WaitForStderr(const QString& text, int timeoutMs);
    bool WaitForExit(int timeoutMs);
    void Signal(int signal);
    // True when the process ended by itself (not by a signal) with status 0.
    bool EndedWithStatusZero() const;
    QString Stderr() const { return stderr_; }
    qint64 Pid() const { return process_.processId(); }
    // The program folder the client runs in, where it keeps its files.
    QString ProgramDir() const { return programDir_.path(); }

private:
    QTemporaryDir programDir_;
    QProcess process_;
    QString stderr_;
};

struct ReceivedFrame {
    uint32_t msg, wParam, lParam;
};

// The lobby window as a test sees it: listens under its caption and keeps
// every frame it receives.
class LobbyRecorder {
public:
    LobbyRecorder(const QString& runtimeDir, const QString& caption);
    UnixLobbyLink link;
    std::vector<ReceivedFrame> frames;
    bool WaitForMessage(uint32_t msg, int timeoutMs);
    std::vector<uint32_t> Messages() const;
};

// The 13-field command line of a seated player who connects directly.
QString DirectCommandLine(quint16 port, const QString& account = QStringLiteral("abc"),
                          const QString& password = QStringLiteral("pw"));

// The same player in auto-play mode: the client moves for itself, looks for the
// lobby window under `lobbyCaption` and takes `windowCaption` as its own.
QString AutoPlayCommandLine(quint16 port, const QString& account, const QString& lobbyCaption,
                            const QString& windowCaption);
