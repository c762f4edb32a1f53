#include "table/ClickGesture.h"

void ClickGesture::Press(QEvent::Type type, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    leftPressed_ = type == QEvent::MouseButtonPress || type == QEvent::GraphicsSceneMousePress;
}

bool ClickGesture::Release(Qt::MouseButton button, bool overTheControl) {
    if (button != Qt::LeftButton) return false;
    const bool click = leftPressed_ && overTheControl;
    leftPressed_ = false;
    return click;
}
