#include "platform/NetworkPageLoader.h"
#include <QNetworkReply>
#include <QTimer>

namespace {
// After redirects Qt may keep the headers of several answers under one name;
// the last one is the final answer's.
QByteArray ContentType(const QNetworkReply& reply) {
    QByteArray type;
    for (const auto& [name, value] : reply.rawHeaderPairs())
        if (name.compare("Content-Type", Qt::CaseInsensitive) == 0) type = value;
    return type;
}

std::optional<WebResource> Received(QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.error() != QNetworkReply::NoError || status < 200 || status > 299) return std::nullopt;
    WebResource resource{reply.read(NetworkPageLoader::kMaxBytes + 1), ContentType(reply), reply.url()};
    if (resource.body.size() > NetworkPageLoader::kMaxBytes) return std::nullopt;
    return resource;
}
}  // namespace

void NetworkPageLoader::Load(const QUrl& url, Done done) {
    if (!IsWebAddress(url)) {
        QTimer::singleShot(0, &network_, [done = std::move(done)] { done(std::nullopt); });
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(kStallMs);
    QNetworkReply* reply = network_.get(request);
    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl& target) {
        if (IsWebAddress(target))
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > kMaxBytes || total > kMaxBytes) reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        done(Received(*reply));
    });
}
