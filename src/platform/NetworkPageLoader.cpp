#include "platform/NetworkPageLoader.h"
#include <QNetworkReply>
#include <QTimer>

namespace {
std::optional<WebResource> Received(QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.error() != QNetworkReply::NoError || status < 200 || status > 299) return std::nullopt;
    WebResource resource{reply.read(NetworkPageLoader::kMaxBytes + 1), reply.rawHeader("Content-Type"), reply.url()};
    if (resource.body.size() > NetworkPageLoader::kMaxBytes) return std::nullopt;
    return resource;
}
}  // namespace

void NetworkPageLoader::Load(const QUrl& url, Done done) { Fetch(url, kMaxRedirects, std::move(done)); }

// Redirects are followed here rather than by Qt, whose own following loses
// the final answer after more than one of them; each new address must be
// a web address again.
void NetworkPageLoader::Fetch(const QUrl& url, int redirectsLeft, Done done) {
    if (!IsWebAddress(url)) {
        QTimer::singleShot(0, &network_, [done = std::move(done)] { done(std::nullopt); });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(kStallMs);
    QNetworkReply* reply = network_.get(request);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > kMaxBytes || total > kMaxBytes) reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, redirectsLeft, done = std::move(done)] {
        reply->deleteLater();
        const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
        if (reply->error() != QNetworkReply::NoError || !target.isValid())
            done(Received(*reply));
        else if (redirectsLeft > 0)
            Fetch(reply->url().resolved(target.toUrl()), redirectsLeft - 1, done);
        else
            done(std::nullopt);
    });
}
