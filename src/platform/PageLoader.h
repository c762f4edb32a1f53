#pragma once
#include <QByteArray>
#include <QUrl>
#include <functional>
#include <optional>

// One resource fetched from the web: its body, its declared type and the
// address it finally came from (after redirects).
struct WebResource {
    QByteArray body;
    QByteArray contentType;
    QUrl url;
};

// True for the only addresses the table fetches from the web: http and https
// with a host. Everything else (files, scripts, data, other protocols) is refused.
bool IsWebAddress(const QUrl& url);

// Fetches web resources for the banner. The answer comes later, from the
// event loop, exactly once: the resource, or nothing when the address was
// refused or could not be loaded.
class PageLoader {
public:
    using Done = std::function<void(std::optional<WebResource>)>;
    virtual ~PageLoader() = default;
    virtual void Load(const QUrl& url, Done done) = 0;
};
