#pragma once
#include <QHash>
#include <QImage>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

class PageLoader;
struct WebResource;

// A page's text for the banner: it shows only the pictures the banner has
// fetched for it and loads nothing else itself (no files, no style sheets).
class BannerDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;
    // The pictures fetched for the page, by their whole address.
    QHash<QUrl, QImage> images;

    // The distinct http and https addresses of the page's pictures, resolved
    // against the page's own address, at most `limit` of them.
    QList<QUrl> ImageAddresses(int limit) const;

protected:
    QVariant loadResource(int type, const QUrl& name) override;
};

// The table's banner browser: fetches one http or https address through a
// page loader and shows what came simply, with no scripts: an HTML page as
// formatted text with the pictures it names, a text file as text, a picture
// scaled into the view. Reports when the page is shown or cannot be.
class BannerView : public QWidget {
    Q_OBJECT
public:
    // The most pictures of one page that are fetched.
    static constexpr int kMaxImages = 16;
    // The largest picture decoded, in pixels.
    static constexpr qint64 kMaxImagePixels = 4096 * 4096;

    explicit BannerView(QWidget* parent);
    void SetPageLoader(PageLoader& loader) { loader_ = &loader; }
    // Starts showing an address; the page already shown goes. Without a page
    // loader nothing happens.
    void Navigate(const QString& url);
    QString LocationURL() const { return location_; }
    // What the view shows: a picture page, or the text of the page.
    const QImage& PagePicture() const { return picture_; }
    const BannerDocument& PageText() const { return document_; }

signals:
    void DocumentComplete();
    void NavigateError();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Show(quint64 navigation, const WebResource& page);
    void ShowHtml(quint64 navigation, const QString& html);
    void TakeImage(const QUrl& address, const QImage& image);
    void Clear();

    PageLoader* loader_ = nullptr;
    QString location_;
    quint64 navigation_ = 0;
    QImage picture_;
    BannerDocument document_;
    QString html_;
    int imagesPending_ = 0;
};
