#include "play/OwnMelds.h"
#include "wire/General.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"

namespace {
enum class MeldKind { ChowOrPung, ExposedKong, ConcealedKong };

// Lays the three meld slots in the own meld row; for a kong also its fourth
// tile, the image `fourthImage`, face up over the middle one.
void LayOwnMeldRow(Client& c, MeldKind kind, const std::array<int16_t, 3>& tiles, int16_t fourthImage = -1) {
    SeatInfo& own = c.seatInfo[0];
    SetMeldTileSize(c, 0);
    const double width = c.table.TileWidth[0], height = c.table.TileHeight[0];
    // Neighbouring meld tiles overlap by two pixels.
    const double pitch = width - 2 * c.table.ScaleX;
    for (int j = 2; j >= 0; --j) {
        const int s = own.MeldEnd - j;
        const int16_t imageIndex = SeatSlot(own, s).Image;
        ImageControl& image = TileImage(c, imageIndex);
        if (kind == MeldKind::ExposedKong)
            image.Move(own.HandX + (s + 1) * pitch, own.HandY);
        else
            image.Move(own.HandX + (s + 1) * pitch, own.HandY, width, height);
        switch (kind) {
        case MeldKind::ChowOrPung:
            ShowTileImage(c, imageIndex, TilePicture(0, tiles[2 - j]));
            BringToFront(image);
            break;
        case MeldKind::ExposedKong: ShowTileImage(c, imageIndex, TilePicture(0, tiles[2])); break;
        case MeldKind::ConcealedKong: ShowTileImage(c, imageIndex, FaceDownPicture(0)); break;
        }
    }
    if (kind != MeldKind::ChowOrPung) {
        ImageControl& fourth = TileImage(c, fourthImage);
        const ImageControl& middle = TileImage(c, SeatSlot(own, own.MeldEnd - 1).Image);
        fourth.Move(middle.Left(), own.HandY - kFourthTileRaise * c.table.ScaleY, width, height);
        ShowTileImage(c, fourthImage, TilePicture(0, tiles[2]));
        BringToFront(fourth);
    }
    SetHandTileSize(c, 0);
}

// For k from `from` down to `to`: slot k takes slot k − shift, and its image
// moves right by `shift` hand tiles, keeping any extra distance it had.
void ShiftRunRight(Client& c, int from, int to, int shift) {
    SeatInfo& own = c.seatInfo[0];
    const double width = c.table.TileWidth[0];
    for (int k = from; k >= to; --k) {
        TileSlot& slot = SeatSlot(own, k);
        slot = SeatSlot(own, k - shift);
        ImageControl& image = TileImage(c, slot.Image);
        image.Move(image.Left() + shift * width, image.Top());
    }
}

// The first slot of the concealed run that starts a pair of the tile, 0 for none.
int FindPair(Client& c, int16_t tile) {
    SeatInfo& own = c.seatInfo[0];
    const int last = own.FirstConcealed + own.ConcealedCount - 2;
    for (int i = own.FirstConcealed; i <= last; ++i)
        if (SeatSlot(own, i).Tile == tile && SeatSlot(own, i + 1).Tile == tile) return i;
    return 0;
}
}  // namespace

void ApplyOwnChow(Client& c, int16_t slotA, int16_t slotB, const std::array<int16_t, 3>& tiles) {
    const SeatInfo& own = c.seatInfo[0];
    const int f = own.FirstConcealed, n = own.ConcealedCount;
    LayOwnMeldRow(c, MeldKind::ChowOrPung, tiles);
    ShiftRunRight(c, slotB, slotA + 2, 1);
    ShiftRunRight(c, slotA + 1, f + 2, 2);
    ShiftRunRight(c, f + n, f + 3, 1);
}

void ApplyOwnPung(Client& c, const std::array<int16_t, 3>& tiles) {
    const SeatInfo& own = c.seatInfo[0];
    const int f = own.FirstConcealed, n = own.ConcealedCount;
    LayOwnMeldRow(c, MeldKind::ChowOrPung, tiles);
    const int pair = FindPair(c, static_cast<int16_t>(tiles[0] & 0xFF));
    ShiftRunRight(c, pair + 1, f + 2, 2);
    ShiftRunRight(c, f + n, f + 3, 1);
}

void ApplyOwnExposedKong(Client& c, int16_t slot, const std::array<int16_t, 3>& tiles) {
    const int f = c.seatInfo[0].FirstConcealed;
    LayOwnMeldRow(c, MeldKind::ExposedKong, tiles, c.table.LastDiscardImage);
    ShiftRunRight(c, slot + 2, f + 3, 3);
}

void ApplyOwnConcealedKong(Client& c, int16_t slot, const std::array<int16_t, 3>& tiles) {
    SeatInfo& own = c.seatInfo[0];
    const int f = own.FirstConcealed, n = own.ConcealedCount;
    c.table.LastDiscardImage = SeatSlot(own, slot + 3).Image;
    LayOwnMeldRow(c, MeldKind::ConcealedKong, tiles, c.table.LastDiscardImage);
    for (int k = slot + 3; k >= f + 4; --k) SeatSlot(own, k) = SeatSlot(own, k - 4);
    const double width = c.table.TileWidth[0], height = c.table.TileHeight[0];
    for (int k = f + 3; k <= f + n - 2; ++k) {
        TileSlot& s = SeatSlot(own, k);
        s = SeatSlot(own, k + 1);
        TileImage(c, s.Image).Move(own.HandX + k * width, own.HandY, width, height);
    }
}

void ApplyOwnSingleKong(Client& c, int16_t slot) {
    SeatInfo& own = c.seatInfo[0];
    c.table.LastDiscardImage = SeatSlot(own, own.MeldEnd - 2).Image;
    c.table.LastDiscardTile = SeatSlot(own, slot).Tile;
    SetHandTileSize(c, 0);
    const double width = c.table.TileWidth[0];
    for (int k = slot; k <= own.FirstConcealed + own.ConcealedCount - 2; ++k) {
        TileSlot& s = SeatSlot(own, k);
        s = SeatSlot(own, k + 1);
        ImageControl& image = TileImage(c, s.Image);
        image.Move(image.Left() - width, image.Top());
    }
}
