#pragma once
#include <QImage>

// Pictures of the table window's design: boards, plates and frames.

// The 100 × 105 hand-information board that holds the wild tile.
QImage DrawHandInfoBoard();
// The 71 × 25 plate beside the dealer's wind.
QImage DrawDealerPlate();
// The 81 × 38 plate under the turn countdown figure.
QImage DrawCountdownPlate();
// The 142 × 158 mark of a seat that is ready.
QImage DrawReadyMark();
// The 82 × 80 frame under the banner page.
QImage DrawBannerFrame();
// The 25 × 33 strip that opens the chat log.
QImage DrawChatStrip();
// The 394 × 39 panel under the location text and the two phrase buttons.
QImage DrawLocationPanel();
