#pragma once
#include <QImage>
#include <QSize>

// The table's button row: entries 0-19 in pairs (normal, highlighted) for send,
// chat, start, continue, settings, minimise, scores, history, rules and exit;
// the small screen's pictures are smaller.
QImage DrawBarButton(int entry, bool smallScreen);
QSize BarButtonSize(int entry, bool smallScreen);
// The claim buttons: entries 3k, 3k + 1, 3k + 2 (idle and greyed,
// offered, highlighted) for k = chow, pung, kong, win, pass.
QImage DrawClaimButton(int entry);
inline constexpr QSize ClaimButtonSize{50, 71};
// Dialog buttons: OK and Cancel (normal, highlighted), switch off and on, the two dialects.
QImage DrawDialogButton(int entry);
QSize DialogButtonSize(int entry);
// The two tile-holding buttons, normal and highlighted.
QImage DrawHoldButton(int entry);
// the size of the click areas they belong over
inline constexpr QSize HoldButtonSize{87, 31};
