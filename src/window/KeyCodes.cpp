#include "window/KeyCodes.h"
#include <QKeyEvent>
#include <QWidget>
#include <utility>

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

int16_t KeyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    // Letters and digits carry their code as Qt's key number.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return int16_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return int16_t(KeyCode::F1 + (key - Qt::Key_F1));
    static constexpr std::pair<int, int16_t> kOthers[] = {
        {Qt::Key_Backspace, KeyCode::Backspace}, {Qt::Key_Tab, 9},       {Qt::Key_Return, KeyCode::Enter},
        {Qt::Key_Enter, KeyCode::Enter},         {Qt::Key_Shift, KeyCode::Shift}, {Qt::Key_Control, KeyCode::Control},
        {Qt::Key_Alt, KeyCode::Alt},             {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},
        {Qt::Key_Escape, KeyCode::Escape},       {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},                  {Qt::Key_End, 35},      {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},                      {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},                      {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},
    };
    for (const auto& [qtKey, code] : kOthers)
        if (key == qtKey) return code;
    return 0;
}

int16_t ShiftOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) +
                   (modifiers & Qt::AltModifier ? 4 : 0));
}

void OnKeyDown(QWidget& widget, std::function<bool(const QKeyEvent&)> keyDown) {
    widget.installEventFilter(new KeyDownFilter(std::move(keyDown), &widget));
}
