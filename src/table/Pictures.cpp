#include "table/Pictures.h"
#include "table/pictures/BubblePictures.h"
#include "table/pictures/ButtonPictures.h"
#include "table/pictures/CompassPictures.h"
#include "table/pictures/DicePictures.h"
#include "table/pictures/NoticePictures.h"
#include "table/pictures/PictureCache.h"
#include "table/pictures/PortraitPictures.h"
#include "table/pictures/TilePictures.h"
#include "table/pictures/VideoPictures.h"
#include "table/pictures/WordPictures.h"
#include <array>

namespace {
// A run of consecutive resource ids and the painter of its entries (0 for the first id).
struct IdRange {
    int first, last;
    QImage (*draw)(int entry);
};

const std::array<IdRange, 16> Ranges{{
    {101, 120, [](int entry) { return DrawBarButton(entry, false); }},
    {381, 398, [](int entry) { return DrawBarButton(entry + 2, true); }},
    {123, 125, DrawLevelNotice},
    {126, 129, DrawCompass},
    {130, 137, DrawDialogButton},
    {141, 155, DrawClaimButton},
    {161, 176, DrawDicePicture},
    {183, 190, DrawClaimWord},
    {191, 200, DrawPortrait},
    {401, 410, [](int entry) { return DrawPortrait(entry + 10); }},
    {201, 380, DrawTilePicture},
    {411, 414, DrawHoldButton},
    {415, 417, DrawHoldBubble},
    {418, 420, DrawFollowBubble},
    {850, 861, DrawVideoIcon},
    {870, 875, DrawVideoBackground},
}};

QImage DrawResource(int resourceId) {
    for (const IdRange& range : Ranges)
        if (resourceId >= range.first && resourceId <= range.last) return range.draw(resourceId - range.first);
    return {};
}
}  // namespace

QPixmap PictureOfResource(int resourceId) {
    return CachedPicture(PictureKind::Resource, resourceId, [resourceId] { return DrawResource(resourceId); });
}
