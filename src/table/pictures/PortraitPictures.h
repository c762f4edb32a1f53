#pragma once
#include <QImage>
#include <QSize>

// The player portraits: 0-9 the men m1-m10 (short hair), 10-19 the
// women w1-w10 (long hair and a hair flower), each with its own colours.
QImage DrawPortrait(int index);
inline constexpr QSize PortraitSize{85, 90};
