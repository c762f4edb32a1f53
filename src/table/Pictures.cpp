#include "table/Pictures.h"
#include "table/pictures/BubblePictures.h"
#include "table/pictures/ButtonPictures.h"
#include "table/pictures/CompassPictures.h"
#include "table/pictures/DicePictures.h"
#include "table/pictures/NoticePictures.h"
#include "table/pictures/PortraitPictures.h"
#include "table/pictures/TilePictures.h"
#include "table/pictures/VideoPictures.h"
#include "table/pictures/WordPictures.h"
#include <array>

namespace {
// A run of consecutive resource ids, the size of its pictures and their painter
// (entry 0 for the first id).
struct IdRange {
    int first, last;
    QSize (*size)(int entry);
    QImage (*draw)(int entry);
};

const std::array<IdRange, 16> Ranges{{
    {101, 120, [](int entry) { return BarButtonSize(entry, false); }, [](int entry) { return DrawBarButton(entry, false); }},
    {381, 398, [](int entry) { return BarButtonSize(entry + 2, true); }, [](int entry) { return DrawBarButton(entry + 2, true); }},
    {123, 125, [](int) { return LevelNoticeSize; }, DrawLevelNotice},
    {126, 129, [](int) { return CompassSize; }, DrawCompass},
    {130, 137, DialogButtonSize, DrawDialogButton},
    {141, 155, [](int) { return ClaimButtonSize; }, DrawClaimButton},
    {161, 176, [](int) { return DicePictureSize; }, DrawDicePicture},
    {183, 190, [](int) { return ClaimWordSize; }, DrawClaimWord},
    {191, 200, [](int) { return PortraitSize; }, DrawPortrait},
    {401, 410, [](int) { return PortraitSize; }, [](int entry) { return DrawPortrait(entry + 10); }},
    {201, 380, TilePictureSize, DrawTilePicture},
    {411, 414, [](int) { return HoldButtonSize; }, DrawHoldButton},
    {415, 417, [](int) { return SeatBubbleSize; }, DrawHoldBubble},
    {418, 420, [](int) { return SeatBubbleSize; }, DrawFollowBubble},
    {850, 861, [](int) { return VideoIconSize; }, DrawVideoIcon},
    {870, 875, VideoBackgroundSize, DrawVideoBackground},
}};

const IdRange* RangeOf(int resourceId) {
    for (const IdRange& range : Ranges)
        if (resourceId >= range.first && resourceId <= range.last) return &range;
    return nullptr;
}

QImage DrawResource(int resourceId) {
    const IdRange* range = RangeOf(resourceId);
    return range ? range->draw(resourceId - range->first) : QImage();
}
}  // namespace

QPixmap PictureOfResource(int resourceId) { return LazyPictureOfResource(resourceId).Pixmap(); }

LazyPicture LazyPictureOfResource(int resourceId) {
    const IdRange* range = RangeOf(resourceId);
    if (!range) return {};
    return LazyPicture(PictureKind::Resource, resourceId, range->size(resourceId - range->first), DrawResource);
}
