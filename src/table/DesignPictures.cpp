#include "table/DesignPictures.h"
#include "table/pictures/BoardPictures.h"
#include "table/pictures/BubblePictures.h"
#include "table/pictures/CompassPictures.h"
#include "table/pictures/DicePictures.h"
#include "table/pictures/TablePictures.h"
#include "table/pictures/TilePictures.h"
#include "table/pictures/VideoPictures.h"
#include <array>

namespace {
constexpr QSize TableSize{1024, 768}, SmallTableSize{800, 600}, DiceHolderSize{50, 56};
constexpr QSize AnnounceBubbleSize{112, 112}, VideoCommandBarSize{145, 17}, OwnVideoCommandBarSize{85, 16};

// The sizes in the order of DesignPictureId.
constexpr std::array<QSize, int(DesignPictureId::LocationPanel) + 1> Sizes{
    TableSize,      SmallTableSize,    HandInfoBoardSize, DealerPlateSize,    CountdownPlateSize,
    CompassSize,    DicePictureSize,   DiceHolderSize,    TileTemplateSize,   AnnounceBubbleSize,
    ReadyMarkSize,  VideoFrameSize,    VideoIconSize,     VideoCommandBarSize, BannerFrameSize,
    ChatStripSize,  OwnVideoCommandBarSize, LocationPanelSize,
};

QImage DrawDesignPicture(int key) {
    const DesignPictureId id = DesignPictureId(key);
    const QSize size = Sizes[key];
    switch (id) {
    case DesignPictureId::Table:
    case DesignPictureId::SmallTable: break;  // painted in place (LazyDesignPicture)
    case DesignPictureId::HandInfoBoard: return DrawHandInfoBoard();
    case DesignPictureId::DealerPlate: return DrawDealerPlate();
    case DesignPictureId::CountdownPlate: return DrawCountdownPlate();
    case DesignPictureId::Compass: return DrawCompassDial();
    case DesignPictureId::DieFace:
    case DesignPictureId::DiceHolder: return DrawDie(size, 1);
    case DesignPictureId::TileTemplate: return DrawTileTemplate();
    case DesignPictureId::AnnounceBubble: return DrawSpeechBubble(size, BubbleTail::Up, {});
    case DesignPictureId::ReadyMark: return DrawReadyMark();
    case DesignPictureId::VideoFrame: return DrawVideoFrame();
    case DesignPictureId::OpenVideoIcon: return DrawOpenVideoIcon();
    case DesignPictureId::VideoCommandBar:
    case DesignPictureId::OwnVideoCommandBar: return DrawVideoCommandBar(size);
    case DesignPictureId::BannerFrame: return DrawBannerFrame();
    case DesignPictureId::ChatStrip: return DrawChatStrip();
    case DesignPictureId::LocationPanel: return DrawLocationPanel();
    }
    return {};
}
}  // namespace

QPixmap DesignPicture(DesignPictureId id) { return LazyDesignPicture(id).Pixmap(); }

LazyPicture LazyDesignPicture(DesignPictureId id) {
    if (id == DesignPictureId::Table || id == DesignPictureId::SmallTable)
        return LazyPicture(Sizes[int(id)], PaintTableSurface);
    return LazyPicture(PictureKind::Design, int(id), Sizes[int(id)], DrawDesignPicture);
}
