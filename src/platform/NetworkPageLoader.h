#pragma once
#include "platform/PageLoader.h"
#include <QNetworkAccessManager>

// Fetches over http and https with Qt Network. A resource must answer with a
// success status, within the size limit and without stalling; redirects are
// followed only to other http and https addresses.
class NetworkPageLoader : public PageLoader {
public:
    static constexpr qint64 kMaxBytes = 1 << 20;
    static constexpr int kMaxRedirects = 5;
    static constexpr int kStallMs = 30000;

    void Load(const QUrl& url, Done done) override;

private:
    void Fetch(const QUrl& url, int redirectsLeft, Done done);

    QNetworkAccessManager network_;
};
