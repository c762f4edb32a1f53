#include "table/StackingOrder.h"
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <algorithm>
#include <limits>

namespace {
struct ZRange {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
};

ZRange ZRangeOfOthers(const QGraphicsItem& item) {
    ZRange range;
    if (const QGraphicsScene* scene = item.scene())
        for (const QGraphicsItem* other : scene->items())
            if (other != &item) {
                range.lowest = std::min(range.lowest, other->zValue());
                range.highest = std::max(range.highest, other->zValue());
            }
    return range;
}
}  // namespace

void BringToFront(QGraphicsItem& item) {
    const ZRange others = ZRangeOfOthers(item);
    if (others.highest >= item.zValue()) item.setZValue(others.highest + 1);
}

void SendToBack(QGraphicsItem& item) {
    const ZRange others = ZRangeOfOthers(item);
    if (others.lowest <= item.zValue()) item.setZValue(others.lowest - 1);
}
