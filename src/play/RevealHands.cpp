#include "play/RevealHands.h"
#include "wire/General.h"
#include "play/HandSorting.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/Controls.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include <algorithm>

namespace {
constexpr int kLongestHand = 14;

// The tiles of a seat revealed so far: they fill its list from the start.
int RevealedCount(const Client& c, int seat) {
    const auto& hand = c.table.RevealedHand[seat];
    return static_cast<int>(std::find(hand.begin(), hand.begin() + kLongestHand, 0) - hand.begin());
}

// The winner's revealed tiles form a complete hand: sets of three and a pair.
bool IsCompleteHand(int revealed) { return (revealed - 2) % 3 == 0; }

void StoreRevealedTiles(Client& c, int seat, const std::array<int16_t, 4>& words) {
    SeatInfo& info = c.seatInfo[seat];
    // Every tile this message stores is checked before the first is stored,
    // so a bad code from the server leaves the seat as it was.
    const int taken = std::clamp<int>(info.ConcealedCount, 0, 4);
    for (int w = 3; w >= 4 - taken; --w)
        if (!IsTileCode(words[w] & 0xFF))
            throw RuntimeError("revealed tile " + std::to_string(words[w]) + " names no tile");
    int i = RevealedCount(c, seat);
    for (int w = 3; w >= 4 - taken; --w, ++i) {
        const auto code = static_cast<int16_t>(words[w] & 0xFF);
        CheckedAt(c.table.RevealedHand[seat], i, "RevealedHand") = code;
        SeatSlot(info, info.FirstConcealed + i).Tile = code;
        --info.ConcealedCount;
    }
}

void ShowSlotFace(Client& c, int seat, int set, int slot) {
    const TileSlot& s = SeatSlot(c.seatInfo[seat], slot);
    ShowTileImage(c, s.Image, TilePicture(set, s.Tile));
}

void ResizeSlotImage(Client& c, int seat, int slot) {
    ImageControl& image = TileImage(c, SeatSlot(c.seatInfo[seat], slot).Image);
    image.Move(image.Left(), image.Top(), c.table.TileWidth[seat], c.table.TileHeight[seat]);
}

// Player mode turns the own row into the table's faces where it stands; a
// spectator, who saw backs, gets it sorted and lowered.
void LayOwnRowOpen(Client& c) {
    const SeatInfo& own = c.seatInfo[0];
    const int first = own.FirstConcealed, last = own.FirstConcealed + own.ConcealedCount - 1;
    if (!c.table.SpectatorMode) {
        for (int slot = first; slot <= last; ++slot) ShowSlotFace(c, 0, 0, slot);
        return;
    }
    SortHand(c, 0, own.ConcealedCount);
    for (int slot = first; slot <= last; ++slot) ResizeSlotImage(c, 0, slot);
}

// The discard the winner won on, laid after the end of its row.
void LayWinningDiscard(Client& c, int seat, int revealed) {
    const TableState& t = c.table;
    const SeatInfo& info = c.seatInfo[seat];
    ImageControl& discard = TileImage(c, t.LastDiscardImage);
    ShowTileImage(c, t.LastDiscardImage, TilePicture(seat, t.LastDiscardTile));
    const ImageControl& lastTile = TileImage(c, SeatSlot(info, info.FirstConcealed + revealed - 1).Image);
    const double width = t.TileWidth[seat], height = t.TileHeight[seat];
    const double shiftX = 5 * t.ScaleX, shiftY = 13 * t.ScaleY;
    switch (seat) {
    case 1:
        discard.Move(lastTile.Left() - shiftX, lastTile.Top() + height - shiftY, width, height);
        BringToFront(discard);
        break;
    case 2:
        discard.Move(info.HandX - (info.FirstConcealed + revealed) * width - shiftX, info.HandY, width, height);
        break;
    default:
        discard.Move(lastTile.Left() - shiftX, lastTile.Top() - height + shiftY, width, height);
        SendToBack(discard);
        break;
    }
}

void LayOtherRowOpen(Client& c, int seat) {
    const TableState& t = c.table;
    const int first = c.seatInfo[seat].FirstConcealed;
    const int revealed = RevealedCount(c, seat), last = first + revealed - 1;
    const bool winner = seat == t.WinnerSeat;
    // A complete winning hand keeps the tile stored last, the one it won
    // with, apart at the end of the row.
    if (winner && IsCompleteHand(revealed)) {
        ShowSlotFace(c, seat, seat, last);
        SortHand(c, seat, revealed - 1);
    } else {
        SortHand(c, seat, revealed);
    }
    for (int slot = first; slot <= last; ++slot) ResizeSlotImage(c, seat, slot);
    if (winner && !IsCompleteHand(revealed)) LayWinningDiscard(c, seat, revealed);
}

void LayOutHandEnd(Client& c) {
    LayOwnRowOpen(c);
    for (int seat = 1; seat < 4; ++seat) LayOtherRowOpen(c, seat);
}
}  // namespace

void RevealHands(Client& c, uint8_t seatBit, std::array<int16_t, 4>& words) {
    const int seat = LocalSeatOf(c.seatInfo[0].SeatBit, static_cast<uint8_t>(seatBit & 15));
    SetRevealTileSizes(c);
    if (seat == 0) return;
    StoreRevealedTiles(c, seat, words);
    for (int other = 1; other < 4; ++other)
        if (c.seatInfo[other].ConcealedCount != 0) return;
    LayOutHandEnd(c);
}
