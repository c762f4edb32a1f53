#include "play/WildIndicator.h"
#include "wire/General.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "table/Controls.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include "table/WallLayout.h"

namespace {
constexpr int kTilesPerWall = 34;
}  // namespace

void ShowDiscardTile(Client& c, int16_t imageIndex) {
    const TableState& t = c.table;
    if (!IsTileCode(t.WildIndicator)) return;
    const int side = t.WallBack / kTilesPerWall;
    const WallTileShape size = WallSideShape(side);
    const ImageControl& stack = TileImage(c, t.WallBack);
    ImageControl& indicator = TileImage(c, imageIndex);
    indicator.Move(stack.Left(), stack.Top() - size.raise * t.ScaleY, RoundHalfEven(size.width * t.ScaleX),
                   RoundHalfEven(size.height * t.ScaleY));
    ShowTileImage(c, imageIndex, TilePicture(side, t.WildIndicator));
    if (t.WallBack % 2 == 0) BringToFront(indicator);
    indicator.setVisible(true);
}
