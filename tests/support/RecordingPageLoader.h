#pragma once
#include "platform/PageLoader.h"
#include <vector>

// A page loader that fetches nothing: it keeps each load so that a test can
// answer it when it likes.
class RecordingPageLoader : public PageLoader {
public:
    struct PendingLoad {
        QUrl url;
        Done done;
    };
    std::vector<PendingLoad> loads;

    void Load(const QUrl& url, Done done) override { loads.push_back({url, std::move(done)}); }
};
