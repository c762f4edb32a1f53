#pragma once

// Buttons of the table window's button row, by index.
namespace BarButton {
constexpr int Send = 0;
constexpr int ChatLog = 1;
constexpr int Start = 2;
constexpr int SoundSettings = 3;
constexpr int Hide = 4;
constexpr int ScoreBoard = 5;
constexpr int HandList = 6;
constexpr int Rules = 7;
constexpr int Exit = 8;
}  // namespace BarButton

// Entries of the bar pictures: a pair (normal, highlighted) per button, and a
// second pair for the start button, its continue pictures, so that the
// entries of the buttons after it lie two further.
constexpr int kContinuePictureEntry = 6;
inline int BarPictureEntry(int button) { return button <= BarButton::Start ? 2 * button : 2 * button + 2; }
