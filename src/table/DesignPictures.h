#pragma once
#include <QPixmap>

// The pictures that belong to the table window's design rather than to a
// resource id, drawn by the program itself and kept in memory.
enum class DesignPictureId {
    Table,              // the table surface, 1024 x 768
    SmallTable,         // the table surface of the small screen, 800 x 600
    HandInfoBoard,      // the hand-information board beside the wild tile
    DealerPlate,        // 71 x 25
    CountdownPlate,     // 81 x 38
    Compass,            // 77 x 77
    DieFace,            // 20 x 20
    DiceHolder,         // 50 x 56
    TileTemplate,       // 52 x 59
    AnnounceBubble,     // about 112 x 112
    ReadyMark,
    VideoFrame,         // the frame around a remote video view
    OpenVideoIcon,      // shown on a seat whose video the user switched off
    VideoCommandBar,
    BannerFrame,
    ChatStrip,
};

QPixmap DesignPicture(DesignPictureId id);
