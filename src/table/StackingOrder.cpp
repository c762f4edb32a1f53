#include "table/StackingOrder.h"
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <algorithm>

namespace {
// The highest and lowest z a control of the scene holds, kept on the scene
// itself: looking over every control at each call cost more than all the rest
// of laying out a hand. Controls get their stacking only here, so no control
// lies beyond these bounds; the bounds only ever widen, which keeps "above
// every other" and "below every other" true without a look at the others.
constexpr char kHighestZ[] = "highestControlZ";
constexpr char kLowestZ[] = "lowestControlZ";

// The bounds as the scene's controls stand on the first call for a scene.
void FindBounds(QGraphicsScene& scene) {
    double highest = 0, lowest = 0;
    for (const QGraphicsItem* item : scene.items()) {
        highest = std::max(highest, item->zValue());
        lowest = std::min(lowest, item->zValue());
    }
    scene.setProperty(kHighestZ, highest);
    scene.setProperty(kLowestZ, lowest);
}

// Gives the item the z one step beyond the scene's bound and makes it the new bound.
void MoveBeyond(QGraphicsItem& item, const char* bound, double step) {
    QGraphicsScene* scene = item.scene();
    if (!scene) return;
    if (!scene->property(bound).isValid()) FindBounds(*scene);
    const double z = scene->property(bound).toDouble() + step;
    item.setZValue(z);
    scene->setProperty(bound, z);
}
}  // namespace

void BringToFront(QGraphicsItem& item) { MoveBeyond(item, kHighestZ, 1); }

void SendToBack(QGraphicsItem& item) { MoveBeyond(item, kLowestZ, -1); }
