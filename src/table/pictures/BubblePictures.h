#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The side of a speech bubble whose tail points at the speaking seat.
enum class BubbleTail { Left, Up, Right };

// A white speech bubble with an optional text.
QImage DrawSpeechBubble(QSize size, BubbleTail tail, const QString& text);
// Bubbles saying "扣牌", entries 0-2 for the seats left, opposite and right.
QImage DrawHoldBubble(int entry);
// Bubbles saying "跟庄" (the discard follows the dealer's), entries 0-2 for the seats left, opposite and right.
QImage DrawFollowBubble(int entry);
inline constexpr QSize SeatBubbleSize{85, 85};
