#include "play/DiscardParking.h"
#include "connection/General.h"
#include "play/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/StackingOrder.h"
#include <array>

namespace {
constexpr int kTilesPerRow = 8;
constexpr double kPauseBeforeParking = 0.4;
constexpr int16_t kBlinkSteps = 3;

int16_t Nearest(double value) { return static_cast<int16_t>(RoundHalfEven(value)); }

// How many tiles of a row lie between the row start and the next place.
int TilesInRow(int distance, int step) {
    if (step == 0) throw RuntimeError("discard row step of 0");
    return distance / step;
}

// Moves the seat's next-discard place one tile on, or to the start of the
// next row when the row is full. The side seats' rows are columns; their 5
// and 40 pixel terms are not scaled.
void AdvanceDiscardPlace(Client& c, int seat) {
    SeatInfo& s = c.seatInfo[seat];
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const int width = c.table.TileWidth[seat], height = c.table.TileHeight[seat];
    switch (seat) {
    case 0:
        s.DiscardX = static_cast<int16_t>(s.DiscardX + width);
        if (TilesInRow(s.DiscardX - s.DiscardRowX, width) == kTilesPerRow) {
            s.DiscardX = s.DiscardRowX;
            s.DiscardY = Nearest(s.DiscardY - height + 18 * sy);
        }
        break;
    case 1:
        s.DiscardY = Nearest(s.DiscardY + height - 17 * sy);
        s.DiscardX = static_cast<int16_t>(s.DiscardX - 5);
        if (TilesInRow(s.DiscardY - s.DiscardRowY, RoundHalfEven(height - 17 * sy)) == kTilesPerRow) {
            s.DiscardY = s.DiscardRowY;
            s.DiscardX = Nearest(s.DiscardX + 40 + width - 5 * sx);
        }
        break;
    case 2:
        s.DiscardX = static_cast<int16_t>(s.DiscardX - width);
        if (TilesInRow(s.DiscardRowX - s.DiscardX, width) == kTilesPerRow) {
            s.DiscardX = s.DiscardRowX;
            s.DiscardY = Nearest(s.DiscardY + height - 14 * sy);
        }
        break;
    default:
        s.DiscardY = Nearest(s.DiscardY - height + 17 * sy);
        s.DiscardX = static_cast<int16_t>(s.DiscardX - 5);
        if (TilesInRow(s.DiscardRowY - s.DiscardY, RoundHalfEven(height - 17 * sy)) == kTilesPerRow) {
            s.DiscardY = s.DiscardRowY;
            s.DiscardX = Nearest(s.DiscardX + 40 - width + 5 * sx);
        }
        break;
    }
}

// Brings entries last down to first of the right seat's list to the front.
void BringRightDiscardsForward(Client& c, int last, int first) {
    for (int i = last; i >= first; --i)
        BringToFront(TileImage(c, CheckedAt(c.table.RightDiscardImages, i, "RightDiscardImages")));
}

// The right seat's rows run up the table, so within a row each older, lower
// tile must cover the one above it, and each later row lies over the rows before.
void RestackRightDiscards(Client& c, int16_t image) {
    TableState& t = c.table;
    CheckedAt(t.RightDiscardImages, t.RightDiscardCount, "RightDiscardImages") = image;
    const int count = ++t.RightDiscardCount;
    if (count <= kTilesPerRow) {
        BringRightDiscardsForward(c, count - 1, 0);
    } else if (count <= 2 * kTilesPerRow) {
        BringRightDiscardsForward(c, count - 1, kTilesPerRow);
    } else {
        BringRightDiscardsForward(c, 2 * kTilesPerRow - 1, kTilesPerRow);
        BringRightDiscardsForward(c, count - 1, 2 * kTilesPerRow);
    }
}
}  // namespace

void ParkLastDiscard(Client& c, uint8_t seatBit, int count) {
    TableState& t = c.table;
    if (t.KongDeclared || t.LastDiscardImage <= -1 || t.LastDiscardTile <= 0) return;
    if (count == 1) SleepSeconds(c, kPauseBeforeParking);
    const int seat = t.LastDiscarder;
    const SeatInfo& discarder = CheckedAt(c.seatInfo, seat, "SeatInfo");
    if (seat == 0 && seatBit != c.seatInfo[3].SeatBit) return;
    SetDiscardTileSize(c, seat);
    ImageControl& image = TileImage(c, t.LastDiscardImage);
    image.Move(discarder.DiscardX, discarder.DiscardY, t.TileWidth[seat], t.TileHeight[seat]);
    if (seat == 1 || seat == 2) BringToFront(image);
    else SendToBack(image);
    if (seat == 3) RestackRightDiscards(c, t.LastDiscardImage);
    AdvanceDiscardPlace(c, seat);
    t.DiscardBlinkCount = kBlinkSteps;
}
