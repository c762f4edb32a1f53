#include "dravik-server/ServerPackets.h"
#include "platform/NetworkPageLoader.h"
#include "support/EventLoopWait.h"
#include "support/LoopbackHttpServer.h"
#include "support/PngBytes.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/BannerView.h"
#include <QSignalSpy>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {
constexpr int kWaitMs = 10000;

void StartAndSendLogIn(TestClient& t) {
    ASSERT_EQ(t.Load(), std::nullopt);
    t.Tick(4);
}

void LogIn(TestClient& t, const QByteArray& bannerUrl) {
    t.Deliver(ToByteArray(LoginReplyPacket(1, 15, 0, bannerUrl, {0, 1})));
    t.Tick(2);
}

// How far the banner is in the stacking of the table's windowed controls.
qsizetype StackingPlace(const QWidget& control) { return control.parentWidget()->children().indexOf(&control); }

TEST(BannerBrowser, ACompletedPageIsPlacedOnItsFrameInFrontOfTheOtherControlsAndShown) {
    struct Case {
        QSize screen;
        QPoint place;
        QSize size;
    } cases[] = {
        {{1024, 768}, {938, 682}, {82, 80}},
        {{800, 600}, {733, 533}, {64, 62}},  // the frame is scaled, the margin of 2 is not
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.width());
        TestClient t(TestClient::DefaultCommandLine(), c.screen);
        StartAndSendLogIn(t);
        MainForm& f = *t->mainForm;
        LogIn(t, "http://127.0.0.1/banner.html");
        ASSERT_EQ(t.pages->loads.size(), 1u);
        EXPECT_FALSE(f.WebBrowser1->isHidden()) << "shown at once, before its page has come";
        // A page with frames completes more than once: each completion places the banner again.
        for (int completion = 0; completion < 2; ++completion) {
            f.WebBrowser1->move(0, 0);
            f.WebBrowser1->hide();
            f.Chat->raise();
            if (completion == 0)
                t.pages->loads[0].done(WebResource{"<p>banner</p>", "text/html", t.pages->loads[0].url});
            else
                emit f.WebBrowser1->DocumentComplete();
            EXPECT_EQ(f.WebBrowser1->geometry(), QRect(c.place, c.size));
            EXPECT_FALSE(f.WebBrowser1->isHidden());
            EXPECT_GT(StackingPlace(*f.WebBrowser1), StackingPlace(*f.Chat));
        }
        EXPECT_FALSE(t->window.BannerFailed);
    }
}

// A client whose banner page could not be loaded.
class FailedBanner : public ::testing::Test {
protected:
    void SetUp() override {
        StartAndSendLogIn(t);
        LogIn(t, "http://127.0.0.1/missing.html");
        t.pages->loads.at(0).done(std::nullopt);
    }
    BannerView& banner() { return *t->mainForm->WebBrowser1; }
    TestClient t;
};

TEST_F(FailedBanner, IsHiddenForGood) {
    EXPECT_TRUE(banner().isHidden());
    EXPECT_TRUE(t->window.BannerFailed);

    // The completion of an error page, or of a frame still coming, changes nothing.
    banner().move(0, 0);
    emit banner().DocumentComplete();
    EXPECT_TRUE(banner().isHidden());
    EXPECT_EQ(banner().pos(), QPoint(0, 0));
    EXPECT_TRUE(t->window.BannerFailed);
}

TEST_F(FailedBanner, IsShownAgainOnlyByAnotherLogInBeforeTheFirstHand) {
    LogIn(t, "http://127.0.0.1/banner.html");
    ASSERT_EQ(t.pages->loads.size(), 2u);
    EXPECT_FALSE(banner().isHidden());
    t.pages->loads[1].done(WebResource{"<p>banner</p>", "text/html", t.pages->loads[1].url});
    EXPECT_FALSE(banner().isHidden());
    EXPECT_TRUE(t->window.BannerFailed) << "nothing sets it back";

    t->table.HandStarted = 1;
    t.pages->loads[1].done(std::nullopt);
    LogIn(t, "http://127.0.0.1/banner.html");
    EXPECT_EQ(t.pages->loads.size(), 2u) << "a log-in after a hand navigates no more";
    EXPECT_TRUE(banner().isHidden());
}

// The whole client with the real page loader, against a web server of the test on loopback.
TEST(BannerBrowser, TheBannerShowsWhatALoopbackWebServerAnswersAndHidesWhatItCannotLoad) {
    LoopbackHttpServer server;
    server.Serve("/banner.html", LoopbackHttpServer::Ok("text/html; charset=utf-8",
                                                        "<html><body><img src=\"dot.png\"><p>Dravik banner</p></body></html>"));
    server.Serve("/dot.png", LoopbackHttpServer::Ok("image/png", PngBytes({6, 4}, Qt::red)));
    server.Serve("/old-banner", LoopbackHttpServer::Redirect("/banner.html"));
    server.Serve("/missing.html", LoopbackHttpServer::Status(404, "Not Found"));
    server.Serve("/hang-up", "");
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QByteArray nobody = "http://127.0.0.1:" + QByteArray::number(closed.serverPort()) + "/banner.html";
    closed.close();
    const QByteArray port = QByteArray::number(server.Url("/").port());

    struct Case {
        QByteArray address;
        bool shown;
    } cases[] = {
        {server.Url("/banner.html").toEncoded(), true},
        {server.Url("/old-banner").toEncoded(), true},
        {server.Url("/missing.html").toEncoded(), false},
        {server.Url("/hang-up").toEncoded(), false},
        {nobody, false},
        {"ftp://127.0.0.1:" + port + "/banner.html", false},
        {"file:///etc/hostname", false},
        {"javascript:document.write('x')", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        TestClient t;
        t->platform.pages = std::make_unique<NetworkPageLoader>();
        t.pages = nullptr;
        StartAndSendLogIn(t);
        BannerView& banner = *t->mainForm->WebBrowser1;
        QSignalSpy completed(&banner, &BannerView::DocumentComplete);
        const qsizetype requestsBefore = server.Requests().size();
        LogIn(t, c.address);
        ASSERT_TRUE(WaitUntil([&] { return completed.count() > 0 || t->window.BannerFailed; }, kWaitMs));

        EXPECT_EQ(banner.isHidden(), !c.shown);
        EXPECT_EQ(t->window.BannerFailed, !c.shown);
        if (c.shown) {
            EXPECT_EQ(banner.PageText().toPlainText().trimmed(), QStringLiteral("\uFFFC\nDravik banner"));
            EXPECT_EQ(banner.PageText().resource(QTextDocument::ImageResource, QUrl("dot.png")).value<QImage>().size(), QSize(6, 4));
        }
        if (!c.address.startsWith("http://")) {
            EXPECT_EQ(server.Requests().size(), requestsBefore) << "refused without asking";
        }
    }
}
}  // namespace
