#pragma once
#include <QImage>
#include <QSize>

// Pictures of the table window's design: boards, plates and frames.

// The hand-information board that holds the wild tile.
QImage DrawHandInfoBoard();
inline constexpr QSize HandInfoBoardSize{100, 105};
// The plate beside the dealer's wind.
QImage DrawDealerPlate();
inline constexpr QSize DealerPlateSize{71, 25};
// The plate under the turn countdown figure.
QImage DrawCountdownPlate();
inline constexpr QSize CountdownPlateSize{81, 38};
// The mark of a seat that is ready.
QImage DrawReadyMark();
inline constexpr QSize ReadyMarkSize{142, 158};
// The frame under the banner page.
QImage DrawBannerFrame();
inline constexpr QSize BannerFrameSize{82, 80};
// The strip that opens the chat log.
QImage DrawChatStrip();
inline constexpr QSize ChatStripSize{25, 33};
// The panel under the location text and the two phrase buttons.
QImage DrawLocationPanel();
inline constexpr QSize LocationPanelSize{394, 39};
