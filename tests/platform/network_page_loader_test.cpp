#include "platform/NetworkPageLoader.h"
#include "support/EventLoopWait.h"
#include "support/LoopbackHttpServer.h"
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {
constexpr int kWaitMs = 10000;

struct Outcome {
    int answers = 0;
    std::optional<WebResource> resource;
};

// Loads one address and waits for its answer.
Outcome LoadAndWait(NetworkPageLoader& loader, const QUrl& url) {
    auto outcome = std::make_shared<Outcome>();
    loader.Load(url, [outcome](std::optional<WebResource> resource) {
        ++outcome->answers;
        outcome->resource = std::move(resource);
    });
    EXPECT_TRUE(WaitUntil([&] { return outcome->answers > 0; }, kWaitMs)) << url.toString().toStdString();
    return *outcome;
}

TEST(WebAddress, OnlyHttpAndHttpsWithAHostAreWebAddresses) {
    const std::pair<const char*, bool> cases[] = {
        {"http://127.0.0.1/banner.html", true},
        {"https://banner.example:8443/a?b=c", true},
        {"HTTP://127.0.0.1/", true},
        {"http://", false},
        {"http:///no-host", false},
        {"127.0.0.1/banner.html", false},
        {"file:///etc/hostname", false},
        {"ftp://127.0.0.1/banner.gif", false},
        {"javascript:alert(1)", false},
        {"data:text/html,<b>hi</b>", false},
        {"about:blank", false},
        {"", false},
    };
    for (const auto& [address, web] : cases) {
        SCOPED_TRACE(address);
        EXPECT_EQ(IsWebAddress(QUrl(QString::fromLatin1(address))), web);
    }
}

class NetworkPageLoaderTest : public ::testing::Test {
protected:
    LoopbackHttpServer server;
    NetworkPageLoader loader;
};

TEST_F(NetworkPageLoaderTest, ASuccessfulAnswerGivesTheBodyItsTypeAndTheAddressItCameFrom) {
    const QByteArray page = "<html><body>banner</body></html>";
    server.Serve("/banner.html", LoopbackHttpServer::Ok("text/html; charset=gbk", page));
    server.Serve("/moved", LoopbackHttpServer::Redirect("/banner.html"));
    server.Serve("/moved-whole", LoopbackHttpServer::Redirect(server.Url("/moved").toEncoded()));
    server.Serve("/empty", "HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n");
    struct Case {
        QByteArray path;
        QByteArray body, contentType, finalPath;
    } cases[] = {
        {"/banner.html", page, "text/html; charset=gbk", "/banner.html"},
        {"/moved", page, "text/html; charset=gbk", "/banner.html"},
        {"/moved-whole", page, "text/html; charset=gbk", "/banner.html"},
        {"/empty", "", "", "/empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Outcome outcome = LoadAndWait(loader, server.Url(c.path));
        EXPECT_EQ(outcome.answers, 1);
        ASSERT_TRUE(outcome.resource.has_value());
        EXPECT_EQ(outcome.resource->body, c.body);
        EXPECT_EQ(outcome.resource->contentType, c.contentType);
        EXPECT_EQ(outcome.resource->url, server.Url(c.finalPath));
    }
}

TEST_F(NetworkPageLoaderTest, FailedAndUnsafeAnswersGiveNothing) {
    server.Serve("/missing-page", LoopbackHttpServer::Status(404, "Not Found"));
    server.Serve("/broken", LoopbackHttpServer::Status(500, "Internal Server Error"));
    server.Serve("/hang-up", "");
    server.Serve("/to-file", LoopbackHttpServer::Redirect("file:///etc/hostname"));
    server.Serve("/to-ftp", LoopbackHttpServer::Redirect("ftp://127.0.0.1/banner.gif"));
    server.Serve("/loop", LoopbackHttpServer::Redirect("/loop"));
    server.Serve("/choices", "HTTP/1.1 300 Multiple Choices\r\nConnection: close\r\nContent-Length: 2\r\n\r\nab");
    server.Serve("/huge", LoopbackHttpServer::Ok("text/html", QByteArray(NetworkPageLoader::kMaxBytes + 1, 'x')));
    server.Serve("/huge-unannounced", "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/html\r\n\r\n" +
                                          QByteArray(NetworkPageLoader::kMaxBytes + 1, 'x'));
    for (const QByteArray path :
         {"/missing-page", "/not-served", "/broken", "/hang-up", "/choices", "/to-file", "/to-ftp", "/loop", "/huge",
          "/huge-unannounced"}) {
        SCOPED_TRACE(path.toStdString());
        const Outcome outcome = LoadAndWait(loader, server.Url(path));
        EXPECT_EQ(outcome.answers, 1);
        EXPECT_FALSE(outcome.resource.has_value());
    }
    EXPECT_EQ(server.Requests().count("/loop"), NetworkPageLoader::kMaxRedirects + 1);
}

TEST_F(NetworkPageLoaderTest, TheLargestBodyAllowedStillComes) {
    const QByteArray body(NetworkPageLoader::kMaxBytes, 'x');
    server.Serve("/largest", LoopbackHttpServer::Ok("text/plain", body));
    const Outcome outcome = LoadAndWait(loader, server.Url("/largest"));
    ASSERT_TRUE(outcome.resource.has_value());
    EXPECT_EQ(outcome.resource->body.size(), body.size());
}

TEST_F(NetworkPageLoaderTest, AnAddressWhereNothingListensGivesNothing) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    const Outcome outcome = LoadAndWait(loader, QUrl(QStringLiteral("http://127.0.0.1:%1/banner.html").arg(port)));
    EXPECT_FALSE(outcome.resource.has_value());
}

TEST_F(NetworkPageLoaderTest, OtherAddressesAreRefusedWithoutAsking) {
    const QString port = QString::number(server.Url("/").port());
    for (const QString& address : {QStringLiteral("ftp://127.0.0.1:") + port + QStringLiteral("/banner.html"),
                                   QStringLiteral("file:///etc/hostname"), QStringLiteral("javascript:alert(1)"),
                                   QStringLiteral("127.0.0.1:") + port + QStringLiteral("/banner.html"), QString()}) {
        SCOPED_TRACE(address.toStdString());
        const Outcome outcome = LoadAndWait(loader, QUrl(address));
        EXPECT_EQ(outcome.answers, 1);
        EXPECT_FALSE(outcome.resource.has_value());
    }
    EXPECT_TRUE(server.Requests().isEmpty());
}
}  // namespace
