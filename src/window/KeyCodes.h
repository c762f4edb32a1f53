#pragma once
#include <Qt>
#include <cstdint>

// The key codes the key procedures work with: letters and digits as their
// capital ASCII codes, F1 to F12 from 112, the control keys by their own
// numbers (Backspace 8, Enter 13, Alt 18, Esc 27 ...); 0 for other keys.
int16_t KeyCodeOf(int qtKey);
// The shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int16_t ShiftOf(Qt::KeyboardModifiers modifiers);
