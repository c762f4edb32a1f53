#include "window/KeyCodes.h"
#include <QKeyEvent>
#include <QWidget>

namespace {
class KeyDownFilter : public QObject {
public:
    KeyDownFilter(std::function<bool(const QKeyEvent&)> keyDown, QObject* parent)
        : QObject(parent), keyDown_(std::move(keyDown)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::KeyPress && keyDown_(static_cast<const QKeyEvent&>(*event));
    }

private:
    std::function<bool(const QKeyEvent&)> keyDown_;
};
}  // namespace

int16_t KeyCodeOf(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return int16_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return int16_t(112 + key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
    return int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                   (modifiers & Qt::AltModifier ? 4 : 0));
}

void OnKeyDown(QWidget& widget, std::function<bool(const QKeyEvent&)> keyDown) {
    widget.installEventFilter(new KeyDownFilter(std::move(keyDown), &widget));
}
