#include "connection/GamePacket.h"
#include "support/FakeGameServer.h"
#include "support/TableProcess.h"
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
constexpr int kStartMs = 15000;

quint16 FreeLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One of Debian's SOCKS5 servers, listening on a free loopback port for one test.
class LocalProxy {
public:
    struct Kind {
        const char* name;
        const char* program;
        QString user;
        QString password;
    };

    explicit LocalProxy(const Kind& kind)
        : path_(QStandardPaths::findExecutable(QLatin1String(kind.program),
                                               {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")})),
          port_(FreeLoopbackPort()) {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&process_, &QProcess::readyRead, [this] { output_ += process_.readAll(); });
        if (path_.isEmpty()) return;
        process_.setProgram(path_);
        process_.setArguments(path_.endsWith(QStringLiteral("danted")) ? DanteArguments() : MicrosocksArguments(kind));
    }

    ~LocalProxy() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(5000);
    }

    bool Installed() const { return !path_.isEmpty(); }
    quint16 Port() const { return port_; }
    QString Output() const { return QString::fromLocal8Bit(output_); }

    // Starts the proxy and waits until it accepts connections.
    bool Start(int timeoutMs) {
        process_.start();
        return WaitUntil([&] {
            if (process_.state() == QProcess::NotRunning) return true;
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port_);
            return probe.waitForConnected(200);
        }, timeoutMs) && process_.state() == QProcess::Running;
    }

private:
    QStringList MicrosocksArguments(const Kind& kind) const {
        QStringList arguments{QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port_)};
        if (!kind.user.isEmpty()) arguments << QStringLiteral("-u") << kind.user << QStringLiteral("-P") << kind.password;
        return arguments;
    }

    QStringList DanteArguments() {
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
        return {QStringLiteral("-f"), config, QStringLiteral("-p"), dir_.filePath(QStringLiteral("danted.pid"))};
    }

    QTemporaryDir dir_;
    QString path_;
    quint16 port_;
    QProcess process_;
    QByteArray output_;
};

QString ProxyCommandLine(quint16 serverPort, quint16 proxyPort, const QString& user, const QString& password) {
    return QStringLiteral("abc$pw$127.0.0.1$%1$本地$5$127.0.0.1$%2$%3$%4$$$$")
        .arg(serverPort)
        .arg(proxyPort)
        .arg(user, password);
}

GamePacket ExpectedLogin() {
    GamePacket login{};
    login[3] = MessageType::Login;
    login[16] = 'a', login[17] = 'b', login[18] = 'c';
    login[32] = 'p', login[33] = 'w';
    return login;
}

struct ProxyLogin : ::testing::TestWithParam<LocalProxy::Kind> {
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), kLobby};
    FakeGameServer server;
};

TEST_P(ProxyLogin, TheClientLogsInThroughTheProxyAndTheGameStreamFlowsBothWays) {
    LocalProxy proxy(GetParam());
    if (!proxy.Installed()) GTEST_SKIP() << GetParam().program << " is not installed (scripts/install-deps.sh installs it)";
    ASSERT_TRUE(proxy.Start(kStartMs)) << proxy.Output().toStdString();

    TableProcess table(kTableBinary, runtime.path());
    table.Start({ProxyCommandLine(server.Port(), proxy.Port(), GetParam().user, GetParam().password)});

    ASSERT_TRUE(server.WaitForPackets(1, kStartMs)) << table.Stderr().toStdString() << proxy.Output().toStdString();
    EXPECT_EQ(server.Received()[0], ExpectedLogin());
    // One 0x303 when the proxy reaches the server, one when the server's
    // log-in reply has come back through it.
    ASSERT_TRUE(WaitUntil([&] {
        const auto messages = lobby.Messages();
        return std::count(messages.begin(), messages.end(), 0x303u) >= 2;
    }, kStartMs)) << table.Stderr().toStdString();
    EXPECT_FALSE(table.Stderr().contains(QStringLiteral("DIALOG")));
}

INSTANTIATE_TEST_SUITE_P(
    DebianProxies, ProxyLogin,
    ::testing::Values(LocalProxy::Kind{"microsocks_without_authentication", "microsocks", {}, {}},
                      LocalProxy::Kind{"microsocks_with_user_and_password", "microsocks", QStringLiteral("gamer"),
                                       QStringLiteral("s3cret")},
                      LocalProxy::Kind{"dante_without_authentication", "danted", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProxyLoginRefused, AWrongPasswordShowsTheProxysAuthenticationMessage) {
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), kLobby};
    FakeGameServer server;
    LocalProxy proxy({"microsocks", "microsocks", QStringLiteral("gamer"), QStringLiteral("s3cret")});
    if (!proxy.Installed()) GTEST_SKIP() << "microsocks is not installed (scripts/install-deps.sh installs it)";
    ASSERT_TRUE(proxy.Start(kStartMs)) << proxy.Output().toStdString();

    TableProcess table(kTableBinary, runtime.path());
    table.Start({ProxyCommandLine(server.Port(), proxy.Port(), QStringLiteral("gamer"), QStringLiteral("wrong"))});
    EXPECT_TRUE(table.WaitForStderr(QStringLiteral("DIALOG\tDravik麻将\t代理服务器用户验证失败！"), kStartMs))
        << table.Stderr().toStdString();
    EXPECT_TRUE(server.Received().empty());
}
}  // namespace
