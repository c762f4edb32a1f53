#include "support/TableChecks.h"
#include "platform/LobbyLink.h"
#include "support/TestClient.h"
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <algorithm>

namespace {
template <typename Order>
bool BeforeAllOthers(const QGraphicsItem& item, Order order) {
    const QList<QGraphicsItem*> items = item.scene()->items();
    return std::all_of(items.begin(), items.end(),
                       [&](const QGraphicsItem* other) { return other == &item || order(item.zValue(), other->zValue()); });
}
}  // namespace

bool InFrontOfAll(const QGraphicsItem& item) { return BeforeAllOthers(item, std::greater<>()); }
bool BehindAll(const QGraphicsItem& item) { return BeforeAllOthers(item, std::less<>()); }

bool LobbyGotSysCommand(const TestClient& t, uint32_t command) {
    for (const LobbyFrame& frame : t.lobby->frames)
        if (frame.caption == QStringLiteral("Jokro山庄") && frame.msg == WindowMessage::WM_SYSCOMMAND &&
            frame.wParam == command)
            return true;
    return false;
}
