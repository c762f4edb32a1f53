#pragma once
#include <QImage>
#include <QSize>

// Backgrounds of the side windows and their close areas.

// The score board: a title, four seat columns and a strip for the final scores.
QImage DrawScoreBoardBackground();
inline constexpr QSize ScoreBoardSize{640, 480};
// The hand list: a title, the hand-number column, four seat columns and the totals row.
QImage DrawHandListBackground();
inline constexpr QSize HandListSize{655, 454};
// The player card.
QImage DrawPlayerCardBackground();
inline constexpr QSize PlayerCardSize{220, 330};
// A close area of a side window: 0 the dash, 1 the cross.
QImage DrawCloseArea(int kind, QSize size);
