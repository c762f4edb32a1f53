#include "table/ResourceIds.h"
#include "shared/Client.h"
#include "table/Controls.h"
#include "table/Pictures.h"

namespace {
template <size_t N>
void FillFrom(std::array<int16_t, N>& table, int firstId) {
    for (size_t i = 0; i < N; ++i) table[i] = static_cast<int16_t>(firstId + int(i));
}
}  // namespace

void InitResourceIds(Client& c) {
    ResourceIds& ids = c.resourceIds;
    const bool smallScreen = c.table.ScaleX != 1.0;
    for (int i = 0; i < 20; ++i)
        ids.BarButtonIds[i] = static_cast<int16_t>(smallScreen && i >= 2 ? 379 + i : 101 + i);
    FillFrom(ids.LevelNoticeIds, 123);
    FillFrom(ids.TileImageIds, 201);
    FillFrom(ids.ActionButtonIds, 141);
    FillFrom(ids.DiceImageIds, 161);
    FillFrom(ids.ActionWordIds, 183);
    FillFrom(ids.HoldButtonIds, 411);
    FillFrom(ids.HoldBubbleIds, 415);
    FillFrom(ids.FollowBubbleIds, 418);
    for (int i = 0; i < 20; ++i) ids.PortraitIds[i] = static_cast<int16_t>(i < 10 ? 191 + i : 391 + i);
    FillFrom(ids.DialogButtonIds, 130);
    FillFrom(ids.CompassIds, 126);
    FillFrom(ids.VideoIconIds, 850);
    FillFrom(ids.VideoScreenIds, 870);
}

bool SetPictureFromResource(Client&, ImageControl& control, int resourceId) {
    const LazyPicture picture = LazyPictureOfResource(resourceId);
    if (picture.IsNull()) return false;
    control.SetPicture(picture);
    return true;
}
