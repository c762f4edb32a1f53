#include "play/DiscardRows.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"

namespace {
int16_t Nearest(double value) { return static_cast<int16_t>(RoundHalfEven(value)); }

// How many tiles of a row lie between the row start and the next place.
int TilesInRow(int distance, int step) {
    if (step == 0) throw RuntimeError("discard row step of 0");
    return distance / step;
}

// Brings entries last down to first of the right seat's list to the front.
void BringRightDiscardsForward(Client& c, int last, int first) {
    for (int i = last; i >= first; --i)
        BringToFront(TileImage(c, CheckedAt(c.table.RightDiscardImages, i, "RightDiscardImages")));
}
}  // namespace

// The side seats' rows are columns; their 5 and 40 pixel terms are not scaled.
void AdvanceDiscardPlace(Client& c, int seat) {
    SeatInfo& s = CheckedAt(c.seatInfo, seat, "SeatInfo");
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const int width = c.table.TileWidth[seat], height = c.table.TileHeight[seat];
    switch (seat) {
    case 0:
        s.DiscardX = static_cast<int16_t>(s.DiscardX + width);
        if (TilesInRow(s.DiscardX - s.DiscardRowX, width) == kDiscardsPerRow) {
            s.DiscardX = s.DiscardRowX;
            s.DiscardY = Nearest(s.DiscardY - height + 18 * sy);
        }
        break;
    case 1:
        s.DiscardY = Nearest(s.DiscardY + height - 17 * sy);
        s.DiscardX = static_cast<int16_t>(s.DiscardX - 5);
        if (TilesInRow(s.DiscardY - s.DiscardRowY, RoundHalfEven(height - 17 * sy)) == kDiscardsPerRow) {
            s.DiscardY = s.DiscardRowY;
            s.DiscardX = Nearest(s.DiscardX + 40 + width - 5 * sx);
        }
        break;
    case 2:
        s.DiscardX = static_cast<int16_t>(s.DiscardX - width);
        if (TilesInRow(s.DiscardRowX - s.DiscardX, width) == kDiscardsPerRow) {
            s.DiscardX = s.DiscardRowX;
            s.DiscardY = Nearest(s.DiscardY + height - 14 * sy);
        }
        break;
    default:
        s.DiscardY = Nearest(s.DiscardY - height + 17 * sy);
        s.DiscardX = static_cast<int16_t>(s.DiscardX - 5);
        if (TilesInRow(s.DiscardRowY - s.DiscardY, RoundHalfEven(height - 17 * sy)) == kDiscardsPerRow) {
            s.DiscardY = s.DiscardRowY;
            s.DiscardX = Nearest(s.DiscardX + 40 - width + 5 * sx);
        }
        break;
    }
}

// Sending each new tile to the back alone would not give this order.
void RestackRightDiscards(Client& c, int16_t image) {
    TableState& t = c.table;
    CheckedAt(t.RightDiscardImages, t.RightDiscardCount, "RightDiscardImages") = image;
    const int count = ++t.RightDiscardCount;
    if (count <= kDiscardsPerRow) {
        BringRightDiscardsForward(c, count - 1, 0);
    } else if (count <= 2 * kDiscardsPerRow) {
        BringRightDiscardsForward(c, count - 1, kDiscardsPerRow);
    } else {
        BringRightDiscardsForward(c, 2 * kDiscardsPerRow - 1, kDiscardsPerRow);
        BringRightDiscardsForward(c, count - 1, 2 * kDiscardsPerRow);
    }
}

void StackDiscard(int seat, ImageControl& image) {
    if (seat == 1 || seat == 2) BringToFront(image);
    else SendToBack(image);
}

void LayInDiscardRow(Client& c, int seat, int16_t image) {
    const SeatInfo& discarder = CheckedAt(c.seatInfo, seat, "SeatInfo");
    ImageControl& tile = TileImage(c, image);
    tile.Move(discarder.DiscardX, discarder.DiscardY, c.table.TileWidth[seat], c.table.TileHeight[seat]);
    StackDiscard(seat, tile);
}
