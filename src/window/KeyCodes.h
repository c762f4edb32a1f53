#pragma once
#include <cstdint>
#include <functional>
class QKeyEvent;
class QWidget;

// Key codes as the key procedures number them: the virtual-key numbers of the
// platform the game was made for.
namespace KeyCode {
constexpr int16_t Backspace = 8;
constexpr int16_t Enter = 13;
constexpr int16_t Shift = 16;
constexpr int16_t Control = 17;
constexpr int16_t Alt = 18;
constexpr int16_t Escape = 27;
constexpr int16_t C = 67;
constexpr int16_t F1 = 112;
}  // namespace KeyCode

// The key code of a pressed key; 0 for a key that has none.
int16_t KeyCodeOf(const QKeyEvent& event);
// The shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt, added up.
int16_t ShiftOf(const QKeyEvent& event);
// Hands each key-down of the widget to `keyDown` before the widget sees it;
// a true result keeps the key from the widget.
void OnKeyDown(QWidget& widget, std::function<bool(const QKeyEvent&)> keyDown);
