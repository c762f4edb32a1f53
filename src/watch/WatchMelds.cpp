#include "watch/WatchMelds.h"
#include "wire/General.h"
#include "play/HandRows.h"
#include "play/MeldLayout.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include "watch/WatchDiscardRows.h"
#include "watch/WatchedHand.h"

namespace {
// The face of meld tile j in the seat's set. A code that names no tile
// (a server may send only the kong's own tile, tiles[2]) shows tiles[2].
int16_t MeldFace(int seat, const std::array<int16_t, 3>& tiles, int j) {
    return TilePicture(seat, IsTileCode(tiles[j]) ? tiles[j] : tiles[2]);
}

// The tile that followed the meld in the run now ends it; another seat's
// goes to that slot's place in its hand row, the watched seat's stays put.
void LayMovedTileInRow(Client& c, int seat) {
    const SeatInfo& info = c.seatInfo[seat];
    const int last = info.FirstConcealed + info.ConcealedCount - 1;
    const QPointF place = OtherHandPlace(c, seat, last, HandTileWidth(c, seat));
    TileImage(c, SeatSlot(info, last).Image).Move(place.x(), place.y());
}
}  // namespace

void LayWatchedChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    TableState& t = c.table;
    TakeBackClaimedDiscard(c);
    SeatInfo& info = c.seatInfo[seat];
    const int f = info.FirstConcealed, n = info.ConcealedCount, m = info.MeldEnd;
    if (seat == 0) {
        const std::array<int16_t, 2> fromHand = TilesFromHand(tiles, t.LastDiscardTile);
        GatherWatchedTiles(c, {{fromHand[0], f}, {fromHand[1], f + 1}});
    }
    SeatSlot(info, m - 2) = SeatSlot(info, f);
    SeatSlot(info, m - 1) = SeatSlot(info, f + 1);
    SeatSlot(info, m).Image = t.LastDiscardImage;
    if (op == OperationBit::Pung)
        for (int j = 0; j < 3; ++j) {
            TileSlot& slot = SeatSlot(info, m - 2 + j);
            slot.Flag = SlotFlag::Pung;
            slot.Tile = tiles[j];
        }
    SeatSlot(info, f + n) = SeatSlot(info, f + 2);
    info.ConcealedCount -= 2;
    info.FirstConcealed += 3;

    for (int k = m - 2; k <= m; ++k) {
        LayMeldSlot(c, seat, k, MeldFace(seat, tiles, k - (m - 2)));
        if (seat == 0) BringToFront(TileImage(c, SeatSlot(info, k).Image));
    }
    info.MeldEnd += 3;
    if (seat != 0) LayMovedTileInRow(c, seat);
}

// Three tiles in the row and the fourth on the middle one, raised. The
// other seats' concealed kongs lie face down, the fourth tile too.
void LayWatchedKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    TableState& t = c.table;
    t.DrawFromFront = false;
    const bool concealed = op == OperationBit::ConcealedKong;
    if (!concealed) TakeBackClaimedDiscard(c);
    SeatInfo& info = c.seatInfo[seat];
    const int f = info.FirstConcealed, n = info.ConcealedCount, m = info.MeldEnd;
    if (seat == 0) {
        if (concealed) GatherWatchedTiles(c, {{tiles[2], f}, {tiles[2], f + 1}, {tiles[2], f + 2}, {tiles[2], f + n - 1}});
        else GatherWatchedTiles(c, {{tiles[2], f}, {tiles[2], f + 1}, {tiles[2], f + 2}});
    }
    SeatSlot(info, m) = SeatSlot(info, f);
    SeatSlot(info, m - 1) = SeatSlot(info, f + 1);
    SeatSlot(info, m - 2) = SeatSlot(info, f + 2);
    if (concealed) t.LastDiscardImage = SeatSlot(info, f + n - 1).Image;
    const int16_t fourthIndex = t.LastDiscardImage;
    ImageControl& fourth = TileImage(c, fourthIndex);
    BringToFront(fourth);
    info.ConcealedCount -= 3;
    info.FirstConcealed += 3;

    SizeToSeatTile(c, seat, fourth);
    const bool faceDown = concealed && seat != 0;
    for (int k = m - 2; k <= m; ++k) {
        const int16_t picture = faceDown  ? FaceDownPicture(seat)
                                : seat == 0 ? TilePicture(0, tiles[2])
                                            : MeldFace(seat, tiles, k - (m - 2));
        LayMeldSlot(c, seat, k, picture);
    }
    const ImageControl& middle = TileImage(c, SeatSlot(info, m - 1).Image);
    fourth.Move(middle.Left(), middle.Top() - kFourthTileRaise * t.ScaleY);
    ShowTileImage(c, fourthIndex, faceDown ? FaceDownPicture(seat) : TilePicture(seat, tiles[2]));
    if (seat == 1 || seat == 3) BringToFront(fourth);
    if (concealed) --info.ConcealedCount;
    info.MeldEnd += 3;
}
