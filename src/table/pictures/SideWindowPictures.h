#pragma once
#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <array>

// Backgrounds of the side windows and their close areas.

// Text that reads well on the dark boards.
inline const QColor kLightText{255, 235, 160};
// Where a board shows a seat's portrait and, beside it, the name.
struct BoardHead {
    QRect portrait;
    QRect name;
};
using BoardHeads = std::array<BoardHead, 4>;
// The score board: a title, four seat columns headed by their seats' heads.
QImage DrawScoreBoardBackground(const BoardHeads& heads);
inline constexpr QSize ScoreBoardSize{640, 480};
// The hand list: a title, the hand-number column, four seat columns headed
// by their seats' heads, and the totals row.
QImage DrawHandListBackground(const BoardHeads& heads);
inline constexpr QSize HandListSize{655, 454};
// The player card.
QImage DrawPlayerCardBackground();
inline constexpr QSize PlayerCardSize{220, 330};
// A close area of a side window: 0 the dash, 1 the cross.
QImage DrawCloseArea(int kind, QSize size);
