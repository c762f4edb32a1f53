#include "wire/GamePacket.h"
#include "e2e/LocalProxy.h"
#include "support/FakeGameServer.h"
#include "support/TableProcess.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>

namespace {
const QString kLobby = QStringLiteral("Jokro山庄");
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
constexpr int kStartMs = 15000;

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
