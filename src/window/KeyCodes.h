#pragma once
#include <Qt>
#include <cstdint>
#include <functional>
class QKeyEvent;
class QWidget;

// The key codes the key procedures work with: letters and digits as their
// capital ASCII codes, F1 to F12 from 112, the control keys by their own
// numbers (Backspace 8, Enter 13, Alt 18, Esc 27 ...); 0 for other keys.
int16_t KeyCodeOf(int qtKey);
// The shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int16_t ShiftOf(Qt::KeyboardModifiers modifiers);
// Hands each key-down of the widget to `keyDown` before the widget sees it;
// a true result keeps the key from the widget.
void OnKeyDown(QWidget& widget, std::function<bool(const QKeyEvent&)> keyDown);
