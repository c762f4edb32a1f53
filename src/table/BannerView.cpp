#include "table/BannerView.h"
#include "platform/PageLoader.h"
#include <QBuffer>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QPointer>
#include <QStringDecoder>
#include <QTextBlock>

namespace {
// "text/html; charset=gbk" gives "text/html" and "gbk".
QString MimeType(const QByteArray& contentType) {
    return QString::fromLatin1(contentType.split(';').first()).trimmed().toLower();
}

QByteArray Charset(const QByteArray& contentType) {
    for (const QByteArray& parameter : contentType.split(';').mid(1)) {
        const QByteArray pair = parameter.trimmed();
        if (pair.toLower().startsWith("charset=")) return pair.mid(8).replace('"', QByteArray()).trimmed();
    }
    return {};
}

QString DecodeText(const QByteArray& body, const QByteArray& charset, bool html) {
    QStringDecoder decoder(charset.constData());
    if (charset.isEmpty() || !decoder.isValid())
        decoder = html ? QStringDecoder::decoderForHtml(body) : QStringDecoder(QStringDecoder::Utf8);
    if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(body);
}

// A picture whose header claims more pixels than the banner could ever use is
// not decoded at all.
QImage DecodeImage(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > BannerView::kMaxImagePixels) return {};
    return reader.read();
}
}  // namespace

QList<QUrl> BannerDocument::ImageAddresses(int limit) const {
    QList<QUrl> addresses;
    for (QTextBlock block = begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QUrl address = baseUrl().resolved(QUrl(format.toImageFormat().name()));
            if (IsWebAddress(address) && !addresses.contains(address) && addresses.size() < limit) addresses << address;
        }
    return addresses;
}

QVariant BannerDocument::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource) return {};
    const auto found = images.constFind(baseUrl().resolved(name));
    return found == images.cend() ? QVariant() : QVariant(*found);
}

BannerView::BannerView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    document_.setDefaultFont(font());
}

void BannerView::Navigate(const QString& url) {
    if (!loader_) return;
    const quint64 navigation = ++navigation_;
    location_ = url;
    Clear();
    loader_->Load(QUrl(url), [this, alive = QPointer(this), navigation](std::optional<WebResource> page) {
        if (!alive || navigation != navigation_) return;
        if (page)
            Show(navigation, *page);
        else
            emit NavigateError();
    });
}

void BannerView::Show(quint64 navigation, const WebResource& page) {
    QString type = MimeType(page.contentType);
    if (type.isEmpty()) type = QMimeDatabase().mimeTypeForData(page.body).name();
    if (type.startsWith(QLatin1String("image/"))) {
        picture_ = DecodeImage(page.body);
        if (picture_.isNull()) {
            emit NavigateError();
            return;
        }
    } else if (type == QLatin1String("text/html") || type == QLatin1String("application/xhtml+xml")) {
        document_.setBaseUrl(page.url);
        ShowHtml(navigation, DecodeText(page.body, Charset(page.contentType), true));
        return;
    } else if (type.startsWith(QLatin1String("text/"))) {
        document_.setPlainText(DecodeText(page.body, Charset(page.contentType), false));
    } else {
        emit NavigateError();
        return;
    }
    update();
    emit DocumentComplete();
}

void BannerView::ShowHtml(quint64 navigation, const QString& html) {
    html_ = html;
    document_.setHtml(html);
    const QList<QUrl> addresses = document_.ImageAddresses(kMaxImages);
    imagesPending_ = int(addresses.size());
    if (addresses.isEmpty()) {
        update();
        emit DocumentComplete();
        return;
    }
    for (const QUrl& address : addresses)
        loader_->Load(address, [this, alive = QPointer(this), navigation, address](std::optional<WebResource> image) {
            if (!alive || navigation != navigation_) return;
            TakeImage(address, image ? DecodeImage(image->body) : QImage());
        });
}

// A picture that cannot be had leaves its place empty; the page is complete
// once every picture has come or failed.
void BannerView::TakeImage(const QUrl& address, const QImage& image) {
    if (!image.isNull()) document_.images.insert(address, image);
    if (--imagesPending_ > 0) return;
    // Laid out again, so that each picture takes its own size.
    document_.setHtml(html_);
    update();
    emit DocumentComplete();
}

void BannerView::Clear() {
    picture_ = QImage();
    document_.clear();
    document_.images.clear();
    html_.clear();
    imagesPending_ = 0;
    update();
}

void BannerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) {
        // A picture larger than the view is scaled down to fit; a smaller one keeps its size.
        QSize shown = picture_.size();
        if (shown.width() > width() || shown.height() > height()) shown.scale(size(), Qt::KeepAspectRatio);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(), shown), picture_);
    } else if (imagesPending_ == 0) {
        document_.setTextWidth(width());
        document_.drawContents(&painter, QRectF(rect()));
    }
}
