#include "support/TableProcess.h"
#include <QCoreApplication>
#include <QProcessEnvironment>
#include <csignal>


TableProcess::TableProcess(const QString& program, const QString& runtimeDir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DRAVIK_DIALOGS"), QStringLiteral("auto"));
    env.insert(QStringLiteral("DRAVIK_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("DRAVIK_PROGRAM_DIR"), programDir_.path());
    process_.setProcessEnvironment(env);
    process_.setProgram(program);
    QObject::connect(&process_, &QProcess::readyReadStandardError,
                     [this] { stderr_ += QString::fromUtf8(process_.readAllStandardError()); });
}

TableProcess::~TableProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void TableProcess::UseDisplay(const QString& display) {
    QProcessEnvironment env = process_.processEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    process_.setProcessEnvironment(env);
}

void TableProcess::SetEnvironment(const QString& name, const QString& value) {
    QProcessEnvironment env = process_.processEnvironment();
    env.insert(name, value);
    process_.setProcessEnvironment(env);
}

void TableProcess::Start(const QStringList& arguments) {
    process_.setArguments(arguments);
    process_.start();
}

bool TableProcess::WaitForStderr(const QString& text, int timeoutMs) {
    return WaitUntil([&] { return stderr_.contains(text); }, timeoutMs);
}

bool TableProcess::WaitForExit(int timeoutMs) {
    return WaitUntil([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
}

void TableProcess::Signal(int signal) { ::kill(pid_t(process_.processId()), signal); }

bool TableProcess::EndedWithStatusZero() const {
    return process_.state() == QProcess::NotRunning && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
}

LobbyRecorder::LobbyRecorder(const QString& runtimeDir, const QString& caption) : link(runtimeDir) {
    QObject::connect(&link, &LobbyLink::MessageReceived,
                     [this](uint32_t msg, uint32_t wParam, uint32_t lParam) { frames.push_back({msg, wParam, lParam}); });
    link.Listen(caption);
}

bool LobbyRecorder::WaitForMessage(uint32_t msg, int timeoutMs) {
    return WaitUntil([&] {
        return std::any_of(frames.begin(), frames.end(), [&](const ReceivedFrame& f) { return f.msg == msg; });
    }, timeoutMs);
}

std::vector<uint32_t> LobbyRecorder::Messages() const {
    std::vector<uint32_t> numbers;
    for (const auto& frame : frames) numbers.push_back(frame.msg);
    return numbers;
}

namespace {
// The 13 fields of a player who connects to the server itself, without a proxy.
QStringList DirectFields(quint16 port, const QString& account, const QString& password) {
    return {account, password, QStringLiteral("127.0.0.1"), QString::number(port), QStringLiteral("本地"),
            QStringLiteral("0"), QString(), QStringLiteral("0"), QString(), QString(), QString(), QString(), QString()};
}

// Every field is ended by "$", the last one too.
QString JoinFields(const QStringList& fields) { return fields.join(QLatin1Char('$')) + QLatin1Char('$'); }
}  // namespace

QString DirectCommandLine(quint16 port, const QString& account, const QString& password) {
    return JoinFields(DirectFields(port, account, password));
}

QString AutoPlayCommandLine(quint16 port, const QString& account, const QString& lobbyCaption,
                            const QString& windowCaption) {
    QStringList fields = DirectFields(port, account, QStringLiteral("pw"));
    fields[10] = QStringLiteral("1");
    fields[11] = lobbyCaption;
    fields[12] = windowCaption;
    return JoinFields(fields);
}
