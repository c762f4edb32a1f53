#include "play/MeldLayout.h"
#include "wire/General.h"
#include "play/ClaimAnswers.h"
#include "play/OwnMelds.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include "table/SideWindows.h"

namespace {
// The side seats' rows overlap: the left seat's lower tiles lie in front,
// the right seat's upper tiles.
void StackMeldTile(int seat, ImageControl& image) {
    if (seat == 1) BringToFront(image);
    if (seat == 3) SendToBack(image);
}

// The run's last tile stands apart from the others, as the seat's next discard.
void SetApartLastConcealed(Client& c, int seat) {
    SeatInfo& info = c.seatInfo[seat];
    const int last = info.FirstConcealed + info.ConcealedCount - 1;
    ImageControl& tile = TileImage(c, SeatSlot(info, last).Image);
    const ImageControl& before = TileImage(c, SeatSlot(info, last - 1).Image);
    const double shift = 0.65 * c.table.TileWidth[seat];
    if (seat == 1) tile.Move(before.Left() - 5 * c.table.ScaleX, before.Top() + shift);
    if (seat == 2) tile.Move(info.HandX - (last + 1.3) * c.table.TileWidth[2], tile.Top());
    if (seat == 3) tile.Move(before.Left() - 5 * c.table.ScaleX, before.Top() - shift);
}

void LayOtherChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    SeatInfo& info = c.seatInfo[seat];
    const int f = info.FirstConcealed, n = info.ConcealedCount, m = info.MeldEnd;
    SeatSlot(info, m - 2) = SeatSlot(info, f);
    SeatSlot(info, m - 1) = SeatSlot(info, f + 1);
    SeatSlot(info, m).Image = c.table.LastDiscardImage;
    if (op == OperationBit::Pung)
        for (int j = 0; j < 3; ++j) {
            TileSlot& slot = SeatSlot(info, m - 2 + j);
            slot.Flag = SlotFlag::Pung;
            slot.Tile = tiles[j];
        }
    SeatSlot(info, f + n) = SeatSlot(info, f + 2);
    info.ConcealedCount -= 2;
    info.FirstConcealed += 3;

    for (int k = m - 2; k <= m; ++k) LayMeldSlot(c, seat, k, TilePicture(seat, tiles[k - (m - 2)]));
    info.MeldEnd += 3;
    SetApartLastConcealed(c, seat);
}

// Three tiles in the row and the fourth face up on the middle one. The
// message's first two tile codes may be 0, so every face is the third code.
void LayOtherKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    SeatInfo& info = c.seatInfo[seat];
    const int m = info.MeldEnd;
    const int16_t fourthIndex = c.table.LastDiscardImage;
    ImageControl& fourth = TileImage(c, fourthIndex);
    SizeToSeatTile(c, seat, fourth);
    const int16_t picture = op == OperationBit::ConcealedKong ? FaceDownPicture(seat) : TilePicture(seat, tiles[2]);
    for (int k = m - 2; k <= m; ++k) LayMeldSlot(c, seat, k, picture);
    const double raise = kFourthTileRaise * c.table.ScaleY;
    if (seat == 2) {
        fourth.Move(info.HandX - (m - 1) * c.table.TileWidth[2], info.HandY - raise);
    } else {
        const ImageControl& middle = TileImage(c, SeatSlot(info, m - 1).Image);
        fourth.Move(middle.Left(), middle.Top() - raise);
        BringToFront(fourth);
    }
    ShowTileImage(c, fourthIndex, TilePicture(seat, tiles[2]));
    if (op == OperationBit::ConcealedKong) --info.ConcealedCount;
    info.MeldEnd += 3;
}

void AddKongDiscard(Client& c, int seat, int16_t image, int16_t tile) {
    TableState& t = c.table;
    CheckedAt(t.KongDiscardImages, t.KongDiscardCount, "KongDiscardImages") = image;
    CheckedAt(t.KongDiscardTiles, t.KongDiscardCount, "KongDiscardTiles") = tile;
    CheckedAt(t.KongDiscardSeats, t.KongDiscardCount, "KongDiscardSeats") = static_cast<int16_t>(seat);
    ++t.KongDiscardCount;
}
}  // namespace

QPointF MeldSlotPlace(const Client& c, int seat, int slot) {
    const SeatInfo& info = CheckedAt(c.seatInfo, seat, "SeatInfo");
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const double step = c.table.TileHeight[seat] - kSideOverlap * sy;
    switch (seat) {
    case 0: return {info.HandX + slot * (c.table.TileWidth[0] - 2 * sx), static_cast<double>(info.HandY)};
    case 1: return {info.HandX - 5 * sx * slot, info.HandY + slot * step};
    case 2: return {static_cast<double>(info.HandX - slot * c.table.TileWidth[2]), static_cast<double>(info.HandY)};
    default: return {info.HandX - 5 * sx * slot - 10 * sx, info.HandY - slot * step};
    }
}

void LayMeldSlot(Client& c, int seat, int slot, int16_t picture) {
    const int16_t imageIndex = SeatSlot(c.seatInfo[seat], slot).Image;
    ImageControl& image = TileImage(c, imageIndex);
    ShowTileImage(c, imageIndex, picture);
    const QPointF place = MeldSlotPlace(c, seat, slot);
    image.Move(place.x(), place.y(), c.table.TileWidth[seat], c.table.TileHeight[seat]);
    StackMeldTile(seat, image);
}

void LayChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    if (seat != 0) {
        LayOtherChowOrPung(c, op, seat, tiles);
        return;
    }
    if (op == OperationBit::Chow)
        ApplyOwnChow(c, c.play.ChowChoices[0], c.play.ChowChoices[1], tiles);
    else
        ApplyOwnPung(c, tiles);
    SeatInfo& own = c.seatInfo[0];
    own.ConcealedCount -= 2;
    own.FirstConcealed += 3;
    own.MeldEnd += 3;
}

void LayKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    c.table.DrawFromFront = false;
    c.table.KongDeclared = true;
    SeatInfo& info = c.seatInfo[seat];
    const int f = info.FirstConcealed, m = info.MeldEnd;
    if (seat != 0) {
        SeatSlot(info, m) = SeatSlot(info, f);
        SeatSlot(info, m - 1) = SeatSlot(info, f + 1);
        SeatSlot(info, m - 2) = SeatSlot(info, f + 2);
        if (op == OperationBit::ConcealedKong) {
            c.table.LastDiscardImage = SeatSlot(info, f + info.ConcealedCount - 1).Image;
            AddKongDiscard(c, seat, c.table.LastDiscardImage, tiles[2]);
        }
        BringToFront(TileImage(c, c.table.LastDiscardImage));
        info.ConcealedCount -= 3;
        info.FirstConcealed += 3;
    }
    for (int k = m - 2; k <= m; ++k)
        SizeToSeatTile(c, seat, TileImage(c, SeatSlot(info, k).Image));
    if (seat != 0) {
        LayOtherKong(c, op, seat, tiles);
        return;
    }
    if (op == OperationBit::ExposedKong)
        ApplyOwnExposedKong(c, c.play.KongChoices[0], tiles);
    else
        ApplyOwnConcealedKong(c, c.play.KongChoices[0], tiles);
    info.ConcealedCount -= op == OperationBit::ConcealedKong ? 4 : 3;
    info.FirstConcealed += 3;
    info.MeldEnd += 3;
}

bool ColourFirstWinner(Client& c, int seat) {
    TableState& t = c.table;
    if (t.WinnerSeat >= 0) return false;
    ScoreWindow& score = c.Score();
    for (QLabel* label : score.ID) SetForeColor(*label, QColor(0, 255, 0));
    t.WinnerSeat = static_cast<int16_t>(seat);
    SetForeColor(*CheckedAt(score.ID, seat, "Score.ID"), QColor(255, 0, 0));
    return true;
}

void MarkFirstWinner(Client& c, int seat) {
    if (!ColourFirstWinner(c, seat) || seat != 0) return;
    TableState& t = c.table;
    SetHandTileSize(c, 0);
    SeatInfo& own = c.seatInfo[0];
    if (IsOwnDiscardTurn(c)) return;  // self-drawn: the hand is complete
    const ImageControl& last = TileImage(c, SeatSlot(own, own.FirstConcealed + own.ConcealedCount - 1).Image);
    ImageControl& won = TileImage(c, t.LastDiscardImage);
    won.Move(last.Left() + t.TileWidth[0], own.HandY, t.TileWidth[0], t.TileHeight[0]);
    ShowTileImage(c, t.LastDiscardImage, TilePicture(0, t.LastDiscardTile));
}

void RepairConcealedRow(Client& c, int seat) {
    if (seat != 1 && seat != 3) return;
    SeatInfo& info = c.seatInfo[seat];
    for (int k = info.FirstConcealed; k < info.FirstConcealed + info.ConcealedCount; ++k) {
        ImageControl& image = TileImage(c, SeatSlot(info, k).Image);
        if (seat == 1)
            BringToFront(image);
        else
            SendToBack(image);
    }
}
