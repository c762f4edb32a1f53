#pragma once
#include "table/pictures/LazyPicture.h"
#include <QPixmap>

// The pictures that belong to the table window's design rather than to a
// resource id, drawn by the program itself on first use and kept in memory;
// the two table surfaces are painted in place, where they are shown.
enum class DesignPictureId {
    Table,              // the table surface, 1024 x 768
    SmallTable,         // the table surface of the small screen, 800 x 600
    HandInfoBoard,      // the hand-information board beside the wild tile, 100 x 105
    DealerPlate,        // 71 x 25
    CountdownPlate,     // 81 x 38
    Compass,            // 77 x 77
    DieFace,            // 20 x 20
    DiceHolder,         // 50 x 56
    TileTemplate,       // 52 x 59
    AnnounceBubble,     // 112 x 112
    ReadyMark,          // 142 x 158
    VideoFrame,         // the frame around a remote video view, 126 x 105
    OpenVideoIcon,      // shown on a seat whose video the user switched off, 16 x 14
    VideoCommandBar,    // the command bar of seats 1 to 3, 145 x 17
    BannerFrame,        // 82 x 80
    ChatStrip,          // the strip that opens the chat log, 25 x 33
    OwnVideoCommandBar, // the own seat's command bar, 85 x 16
    LocationPanel,      // the panel under the location text and the phrase buttons, 394 x 39
};

QPixmap DesignPicture(DesignPictureId id);
// The same picture, drawn only when it is first shown.
LazyPicture LazyDesignPicture(DesignPictureId id);
