#include "e2e/LocalProxy.h"
#include "support/EventLoopWait.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <filesystem>
#include <system_error>

namespace {
// A proxy whose port was taken again before it could bind it ends at once;
// it then gets a fresh port.
constexpr int kPortAttempts = 3;

// A port the kernel has just handed out and that is free again.
quint16 FreeLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// "socket:[inode]" for every socket listening on 127.0.0.1:port, from the kernel's table.
QStringList ListeningSockets(quint16 port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly)) return {};
    const QByteArray local = "0100007F:" + QByteArray::number(port, 16).rightJustified(4, '0').toUpper();
    constexpr QByteArrayView kListen = "0A";
    QStringList sockets;
    for (const QByteArray& line : table.readAll().split('\n')) {
        // sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode ...
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 9 && fields[1] == local && fields[3] == kListen)
            sockets << QStringLiteral("socket:[%1]").arg(QString::fromLatin1(fields[9]));
    }
    return sockets;
}

// Whether the process itself holds a socket listening on the port: another
// program that happens to listen there, or a proxy that has not bound yet,
// does not count.
bool ProcessListensOn(qint64 pid, quint16 port) {
    const QStringList sockets = ListeningSockets(port);
    if (sockets.isEmpty()) return false;
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(fd.path(), error);
        if (!error && sockets.contains(QString::fromStdString(target.string()))) return true;
    }
    return false;
}
}  // namespace

LocalProxy::LocalProxy(const Kind& kind)
    : kind_(kind),
      path_(QStandardPaths::findExecutable(QLatin1String(kind.program),
                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")})) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process_, &QProcess::readyRead, [this] { output_ += process_.readAll(); });
    process_.setProgram(path_);
}

LocalProxy::~LocalProxy() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
    process_.waitForFinished(5000);
}

bool LocalProxy::Start(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (int attempt = 0; attempt < kPortAttempts && !deadline.hasExpired(); ++attempt) {
        if (StartOnFreePort(int(deadline.remainingTime()))) return true;
        // Still starting when the time ran out: a fresh port would not help.
        if (process_.state() != QProcess::NotRunning) return false;
    }
    return false;
}

bool LocalProxy::StartOnFreePort(int timeoutMs) {
    port_ = FreeLoopbackPort();
    process_.setArguments(Arguments());
    process_.start();
    // Running only once the start has been reported: the proxy may already
    // listen while QProcess still says Starting.
    const bool listening = WaitUntil([&] {
        return process_.state() == QProcess::NotRunning ||
               (process_.state() == QProcess::Running && ProcessListensOn(process_.processId(), port_));
    }, timeoutMs) && process_.state() == QProcess::Running;
    output_ += process_.readAll();
    return listening;
}

QStringList LocalProxy::Arguments() const {
    if (path_.endsWith(QStringLiteral("danted")))
        return {QStringLiteral("-f"), WriteDanteConfig(), QStringLiteral("-p"), dir_.filePath(QStringLiteral("danted.pid"))};
    QStringList arguments{QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port_)};
    if (!kind_.user.isEmpty()) arguments << QStringLiteral("-u") << kind_.user << QStringLiteral("-P") << kind_.password;
    return arguments;
}

QString LocalProxy::WriteDanteConfig() const {
    const QString config = dir_.filePath(QStringLiteral("danted.conf"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("logoutput: stderr\n"
                                  "internal: 127.0.0.1 port = %1\n"
                                  "external: 127.0.0.1\n"
                                  "socksmethod: none\n"
                                  "clientmethod: none\n"
                                  "user.privileged: root\n"
                                  "user.unprivileged: nobody\n"
                                  "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
                                  "socks pass { from: 127.0.0.0/8 to: 127.0.0.0/8 }\n")
                       .arg(port_)
                       .toUtf8());
    }
    return config;
}

void PrintTo(const LocalProxy::Kind& kind, std::ostream* out) { *out << kind.name; }
