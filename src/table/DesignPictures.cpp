#include "table/DesignPictures.h"
#include "table/pictures/BoardPictures.h"
#include "table/pictures/BubblePictures.h"
#include "table/pictures/CompassPictures.h"
#include "table/pictures/DicePictures.h"
#include "table/pictures/PictureCache.h"
#include "table/pictures/TablePictures.h"
#include "table/pictures/TilePictures.h"
#include "table/pictures/VideoPictures.h"

namespace {
QImage DrawDesignPicture(DesignPictureId id) {
    switch (id) {
    case DesignPictureId::Table: return DrawTableSurface({1024, 768});
    case DesignPictureId::SmallTable: return DrawTableSurface({800, 600});
    case DesignPictureId::HandInfoBoard: return DrawHandInfoBoard();
    case DesignPictureId::DealerPlate: return DrawDealerPlate();
    case DesignPictureId::CountdownPlate: return DrawCountdownPlate();
    case DesignPictureId::Compass: return DrawCompassDial();
    case DesignPictureId::DieFace: return DrawDie({20, 20}, 1);
    case DesignPictureId::DiceHolder: return DrawDie({50, 56}, 1);
    case DesignPictureId::TileTemplate: return DrawTileTemplate();
    case DesignPictureId::AnnounceBubble: return DrawSpeechBubble({112, 112}, BubbleTail::Up, {});
    case DesignPictureId::ReadyMark: return DrawReadyMark();
    case DesignPictureId::VideoFrame: return DrawVideoFrame();
    case DesignPictureId::OpenVideoIcon: return DrawOpenVideoIcon();
    case DesignPictureId::VideoCommandBar: return DrawVideoCommandBar({145, 17});
    case DesignPictureId::BannerFrame: return DrawBannerFrame();
    case DesignPictureId::ChatStrip: return DrawChatStrip();
    case DesignPictureId::OwnVideoCommandBar: return DrawVideoCommandBar({85, 16});
    case DesignPictureId::LocationPanel: return DrawLocationPanel();
    }
    return {};
}
}  // namespace

QPixmap DesignPicture(DesignPictureId id) {
    return CachedPicture(PictureKind::Design, int(id), [id] { return DrawDesignPicture(id); });
}
