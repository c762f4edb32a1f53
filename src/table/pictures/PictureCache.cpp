#include "table/pictures/PictureCache.h"
#include <QCoreApplication>
#include <QThreadPool>
#include <map>
#include <utility>

namespace {
// Qt spreads the bigger fills of a drawing over the threads of its global pool,
// which then idle for half a minute by default; the pictures are drawn in
// bursts when something first shows, so idle threads soon go.
constexpr int kIdlePoolThreadMs = 1000;

// Pictures are immutable and the same for every client in the process, like the
// resources they stand in for, so one process-wide store serves them all.
std::map<std::pair<PictureKind, int>, QPixmap>& Store() {
    static std::map<std::pair<PictureKind, int>, QPixmap> store;
    return store;
}
}  // namespace

QPixmap CachedPicture(PictureKind kind, int key, const std::function<QImage()>& draw) {
    auto& store = Store();
    if (const auto found = store.find({kind, key}); found != store.end()) return found->second;
    QImage drawing = draw();
    if (drawing.isNull()) return {};
    static const bool clearedWithTheApplication = (qAddPostRoutine(ClearPictureCache), true);  // pixmaps must go first
    Q_UNUSED(clearedWithTheApplication);
    static const bool poolThreadsExpire = (QThreadPool::globalInstance()->setExpiryTimeout(kIdlePoolThreadMs), true);
    Q_UNUSED(poolThreadsExpire);
    // A drawing keeps the paint engine it was drawn with, and that engine keeps
    // the buffers of everything it drew; the stored copy has none of them.
    return store.emplace(std::pair{kind, key}, QPixmap::fromImage(drawing.copy())).first->second;
}

bool IsPictureDrawn(PictureKind kind, int key) { return Store().count({kind, key}) > 0; }

void ClearPictureCache() { Store().clear(); }
