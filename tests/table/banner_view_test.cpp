#include "support/PngBytes.h"
#include "support/RecordingPageLoader.h"
#include "table/BannerView.h"
#include <QSignalSpy>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <memory>

namespace {
const QUrl kPage(QStringLiteral("http://127.0.0.1:8080/ads/banner.html"));

QByteArray Gbk(const QString& text) { return QStringEncoder("GBK").encode(text); }

// A banner view on a recording loader, 82 x 80 as on the table, with its two events counted.
class BannerViewTest : public ::testing::Test {
protected:
    BannerViewTest() {
        view->setGeometry(0, 0, 82, 80);
        view->SetPageLoader(loader);
    }

    void Answer(size_t load, std::optional<WebResource> resource) { loader.loads.at(load).done(std::move(resource)); }
    void AnswerPage(const QByteArray& contentType, const QByteArray& body, const QUrl& url = kPage) {
        Answer(0, WebResource{body, contentType, url});
    }
    QList<QUrl> Asked() const {
        QList<QUrl> urls;
        for (const auto& load : loader.loads) urls << load.url;
        return urls;
    }
    QString Text() const { return view->PageText().toPlainText(); }

    RecordingPageLoader loader;
    std::unique_ptr<BannerView> view = std::make_unique<BannerView>(nullptr);
    QSignalSpy completed{view.get(), &BannerView::DocumentComplete};
    QSignalSpy failed{view.get(), &BannerView::NavigateError};
};

TEST_F(BannerViewTest, APageIsShownAsTextWithoutItsScriptsAndInItsOwnCharacterSet) {
    struct Case {
        const char* name;
        QByteArray contentType, body;
        QString text;
    } cases[] = {
        {"html", "text/html", "<html><body><p>Dravik <b>banner</b></p></body></html>", QStringLiteral("Dravik banner")},
        {"script", "text/html; charset=utf-8",
         "<p>shown</p><script>document.write('Injected');</script><p onclick=\"alert(1)\">also shown</p>",
         QStringLiteral("shown\nalso shown")},
        {"charset in the header", "text/html; charset=GBK", Gbk(QStringLiteral("<p>麻将大赛</p>")), QStringLiteral("麻将大赛")},
        {"charset in the page", "text/html",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\"></head><body>" +
             Gbk(QStringLiteral("欢迎")) + "</body></html>",
         QStringLiteral("欢迎")},
        {"unknown charset", "text/html; charset=no-such-set", "<p>caf\xc3\xa9</p>", QStringLiteral("café")},
        {"plain text", "text/plain", "<b>not bold</b>", QStringLiteral("<b>not bold</b>")},
        {"no type", "", "<html><body>sniffed</body></html>", QStringLiteral("sniffed")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        completed.clear();
        loader.loads.clear();
        view->Navigate(kPage.toString());
        AnswerPage(c.contentType, c.body);
        EXPECT_EQ(completed.count(), 1);
        EXPECT_EQ(failed.count(), 0);
        EXPECT_EQ(Text().trimmed(), c.text);
        EXPECT_TRUE(view->PagePicture().isNull());
    }
}

TEST_F(BannerViewTest, APictureIsShownFromTheTopLeftAndScaledDownWhenItIsLarger) {
    struct Case {
        QSize size;
        QPoint inside, outside;
    } cases[] = {
        {{20, 10}, {19, 9}, {21, 11}},
        {{164, 80}, {81, 39}, {41, 41}},  // half the height once scaled to the view's width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size.width());
        loader.loads.clear();
        view->Navigate(kPage.toString());
        AnswerPage("image/png", PngBytes(c.size, Qt::red));
        EXPECT_EQ(view->PagePicture().size(), c.size);
        const QImage shown = view->grab().toImage();
        EXPECT_EQ(shown.pixelColor(c.inside), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(c.outside), QColor(Qt::white));
    }
    EXPECT_EQ(completed.count(), 2);
}

TEST_F(BannerViewTest, WhatCannotBeShownIsANavigationError) {
    QByteArray hugeBitmap = "P4\n4097 4096\n";  // one pixel wider than the largest picture decoded
    hugeBitmap += QByteArray(513 * 4096, '\0');
    const std::pair<const char*, std::optional<WebResource>> cases[] = {
        {"not loaded", std::nullopt},
        {"not a picture", WebResource{"GIF89a broken", "image/gif", kPage}},
        {"too many pixels", WebResource{hugeBitmap, "image/x-portable-bitmap", kPage}},
        {"another type", WebResource{"PK\x03\x04", "application/zip", kPage}},
    };
    for (const auto& [name, answer] : cases) {
        SCOPED_TRACE(name);
        failed.clear();
        loader.loads.clear();
        view->Navigate(kPage.toString());
        Answer(0, answer);
        EXPECT_EQ(failed.count(), 1);
        EXPECT_EQ(completed.count(), 0);
    }
}

TEST_F(BannerViewTest, ThePagesPicturesAreFetchedFromTheWebOnlyAndTheyCompleteThePage) {
    view->Navigate(QStringLiteral("http://127.0.0.1:8080/moved"));
    AnswerPage("text/html",
               "<p>top</p><img src=\"logo.png\"><img src=\"/ads/logo.png\"><img src=\"https://cdn.example/star.png\">"
               "<img src=\"file:///etc/hostname\"><img src=\"data:image/png;base64,AAAA\"><img src=\"ftp://127.0.0.1/x.png\">"
               "<table><tr><td><img src=\"missing.png\"></td></tr></table>");
    const QList<QUrl> expected = {QUrl(QStringLiteral("http://127.0.0.1:8080/moved")),
                                  QUrl(QStringLiteral("http://127.0.0.1:8080/ads/logo.png")),
                                  QUrl(QStringLiteral("https://cdn.example/star.png")),
                                  QUrl(QStringLiteral("http://127.0.0.1:8080/ads/missing.png"))};
    EXPECT_EQ(Asked(), expected) << "relative to where the page came from; each picture once";
    Answer(1, WebResource{PngBytes({30, 20}, Qt::blue), "image/png", expected[1]});
    Answer(2, WebResource{PngBytes({10, 10}, Qt::green), "image/png", expected[2]});
    EXPECT_EQ(completed.count(), 0) << "a picture is still on its way";
    Answer(3, std::nullopt);
    EXPECT_EQ(completed.count(), 1);
    EXPECT_EQ(failed.count(), 0) << "a missing picture does not fail the page";
    EXPECT_EQ(view->PageText().resource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png"))).value<QImage>().size(),
              QSize(30, 20));
    EXPECT_FALSE(view->PageText().resource(QTextDocument::ImageResource, QUrl(QStringLiteral("file:///etc/hostname"))).isValid());
}

TEST_F(BannerViewTest, OnlySoManyPicturesAreFetched) {
    view->Navigate(kPage.toString());
    QByteArray page;
    for (int i = 0; i < BannerView::kMaxImages + 5; ++i) page += "<img src=\"p" + QByteArray::number(i) + ".png\">";
    AnswerPage("text/html", page);
    ASSERT_EQ(loader.loads.size(), size_t(1 + BannerView::kMaxImages));
    for (size_t i = 1; i < loader.loads.size(); ++i) Answer(i, std::nullopt);
    EXPECT_EQ(completed.count(), 1);
}

TEST_F(BannerViewTest, ALaterNavigationTakesThePlaceOfTheOneUnderWay) {
    view->Navigate(QStringLiteral("http://127.0.0.1/first.html"));
    view->Navigate(QStringLiteral("http://127.0.0.1/second.html"));
    EXPECT_EQ(view->LocationURL(), QStringLiteral("http://127.0.0.1/second.html"));
    Answer(0, WebResource{"<p>first</p>", "text/html", kPage});
    EXPECT_EQ(completed.count(), 0);
    Answer(1, std::nullopt);
    EXPECT_EQ(failed.count(), 1);
    EXPECT_TRUE(Text().isEmpty());
}

// Nothing to compare: the answer must not reach the destroyed view, which
// the sanitizer build would report as a use after free.
TEST_F(BannerViewTest, AnswersForAViewThatIsGoneAreDropped) {
    view->Navigate(kPage.toString());
    view.reset();
    Answer(0, WebResource{"<p>late</p>", "text/html", kPage});
}
}  // namespace
