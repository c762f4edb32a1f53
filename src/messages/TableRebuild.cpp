#include "messages/TableRebuild.h"
#include "wire/General.h"
#include "messages/MessageHandlers.h"
#include "play/ClaimAnswers.h"
#include "play/HandSorting.h"
#include "play/MeldLayout.h"
#include "shared/PlayState.h"
#include "play/SingleKongs.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/Controls.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"
#include <QPointF>
#include <algorithm>
#include <span>
#include <vector>

namespace {
constexpr int kWallTiles = 136;
constexpr int kTilePairs = 24;
constexpr int kFirstPair = 16;
constexpr uint8_t kExposedMarker = 0x20;
constexpr uint8_t kConcealedMarker = 0x10;
constexpr int kLongestHand = 14;
constexpr int kLastSlot = 20;
constexpr int kPileEntries = 4;
// The fixed offsets of the rebuild's places are screen pixels, not scaled.
constexpr double kPileStep = 18;
constexpr double kKongRaise = 17;
constexpr double kMeldOverlap = 2;
constexpr double kSideShift = 5;
constexpr double kSideOverlap = 17;

// Design sizes of the rebuilt rows: meld tiles and one-tile kongs, then concealed tiles.
constexpr std::array<std::array<int, 2>, 4> kMeldSizes{{{45, 56}, {45, 35}, {34, 40}, {45, 35}}};
constexpr std::array<std::array<int, 2>, 4> kConcealedSizes{{{48, 78}, {35, 66}, {36, 50}, {35, 66}}};

void SetSizes(Client& c, const std::array<std::array<int, 2>, 4>& sizes) {
    for (int seat = 0; seat < 4; ++seat) SetTileSize(c, seat, sizes[seat][0], sizes[seat][1]);
}

// One seat's tiles as the message lists them, in wire order.
struct SeatTiles {
    std::vector<int16_t> exposed;
    std::vector<int16_t> concealed;
};

// Pairs whose marker is neither exposed nor concealed are no tiles. An
// exposed tile that names no tile would have no face, the own (or watched)
// seat's tiles are known by their codes, and a hand holds 14 tiles at most:
// entries beyond these are dropped.
SeatTiles ReadSeatTiles(const std::array<uint8_t, 272>& packet, bool ownSeat) {
    SeatTiles tiles;
    for (int i = 0; i < kTilePairs; ++i) {
        const uint8_t marker = packet[kFirstPair + 2 * i] & 0xF0;
        const int16_t tile = packet[kFirstPair + 2 * i + 1];
        if (marker == kExposedMarker && IsTileCode(tile)) tiles.exposed.push_back(tile);
        if (marker == kConcealedMarker && tiles.concealed.size() < kLongestHand && (!ownSeat || IsTileCode(tile)))
            tiles.concealed.push_back(tile);
    }
    return tiles;
}

void Stack(ImageControl& image, bool toFront) {
    if (toFront) BringToFront(image);
    else SendToBack(image);
}

// Red Dragons and wild tiles laid down alone stand in piles of their own
// beside the melds, each tile 18 pixels above the one before. A seat holds
// four of a tile, so a fifth of a kind has no place and is dropped.
void LaySingleKongs(Client& c, int seat, std::vector<int16_t>& exposed) {
    TableState& t = c.table;
    SeatInfo& info = c.seatInfo[seat];
    const double x = info.HandX, y = info.HandY, w = t.TileWidth[seat], h = t.TileHeight[seat];
    for (auto tile = exposed.begin(); tile != exposed.end();) {
        const bool red = *tile == kRedDragon;
        if (!red && *tile != t.WildTile) {
            ++tile;
            continue;
        }
        int16_t& count = red ? info.RedKongCount : info.WildKongCount;
        if (count < kPileEntries) {
            const double raise = kPileStep * count;
            QPointF place{x, y - raise};
            bool toFront = true;
            if (red) {
                if (seat == 3) place.rx() -= 10;
                // The left seat's first Red Dragon lies behind its row.
                toFront = seat != 1 || count > 0;
            } else if (seat == 0) {
                place.rx() += w - kMeldOverlap;
            } else if (seat == 1) {
                place = {x - kSideShift, y + (h - kSideOverlap) - raise};
                toFront = false;
            } else if (seat == 2) {
                place.rx() -= w;
            } else {
                place = {x - 15, y - (h - kSideOverlap) - raise};
            }
            const int16_t imageIndex = TakeRebuildImage(c);
            ImageControl& image = TileImage(c, imageIndex);
            image.Move(place.x(), place.y(), w, h);
            ShowTileImage(c, imageIndex, TilePicture(seat, *tile));
            Stack(image, toFront);
            t.SingleKongImages[seat][(red ? 0 : kPileEntries) + count] = imageIndex;
            ++count;
            image.setVisible(true);
        }
        tile = exposed.erase(tile);
    }
}

// Pung marks for each whole group of three equal tiles of the sorted list.
void MarkPungs(SeatInfo& info, const std::vector<int16_t>& melds) {
    for (size_t g = 0; g + 2 < melds.size(); g += 3) {
        if (melds[g] != melds[g + 1] || melds[g] != melds[g + 2]) continue;
        for (size_t k = g; k < g + 3; ++k) {
            const int slot = info.MeldEnd + static_cast<int>(k);
            if (slot <= kLastSlot) SeatSlot(info, slot).Flag = SlotFlag::Pung;
        }
    }
}

QPointF MeldPlace(const Client& c, int seat, int m) {
    const SeatInfo& info = c.seatInfo[seat];
    const int w = c.table.TileWidth[seat], h = c.table.TileHeight[seat];
    switch (seat) {
    case 0: return {double(info.HandX + (w - 2) * (m - 2)), double(info.HandY)};
    case 1: return {double(info.HandX - 5 * m + 10), double(info.HandY + (h - 17) * (m - 2))};
    case 2: return {double(info.HandX - w * (m - 2)), double(info.HandY)};
    default: return {double(info.HandX - 5 * m), double(info.HandY - (h - 17) * (m - 2))};
    }
}

// Meld tiles in meld slots from MeldEnd on. A tile equal to the one three
// places before is a kong's fourth: it lies on the middle tile of its three
// and its slot is taken by the next tile.
void LayMeldTiles(Client& c, int seat, const std::vector<int16_t>& melds) {
    TableState& t = c.table;
    SeatInfo& info = c.seatInfo[seat];
    for (size_t k = 0; k < melds.size() && info.MeldEnd <= kLastSlot; ++k) {
        const int m = info.MeldEnd;
        const int16_t imageIndex = TakeRebuildImage(c);
        TileSlot& slot = SeatSlot(info, m);
        slot.Image = imageIndex;
        slot.Tile = melds[k];
        ImageControl& image = TileImage(c, imageIndex);
        const QPointF place = MeldPlace(c, seat, m);
        image.Move(place.x(), place.y(), t.TileWidth[seat], t.TileHeight[seat]);
        ShowTileImage(c, imageIndex, TilePicture(seat, melds[k]));
        image.setVisible(true);
        if (seat == 0 || seat == 1) BringToFront(image);
        if (seat == 3) SendToBack(image);
        if (k >= 3 && melds[k] == melds[k - 3]) {
            const ImageControl& middle = TileImage(c, (imageIndex + kWallTiles - 2) % kWallTiles);
            image.Move(middle.Left(), middle.Top() - kKongRaise);
            BringToFront(image);
        } else {
            ++info.MeldEnd;
        }
    }
}

QPointF ConcealedPlace(const Client& c, int seat, int n) {
    const SeatInfo& info = c.seatInfo[seat];
    const int w = c.table.TileWidth[seat];
    switch (seat) {
    case 0: return {double(info.HandX + (n - 1) * w), double(info.HandY)};
    case 1: return {double(info.HandX - 5 * (n - 1)), info.HandY + 0.5 * (n - 1) * w};
    case 2: return {double(info.HandX - (n - 1) * w), double(info.HandY)};
    default: return {double(info.HandX - 5 * n), info.HandY - 0.5 * n * w};
    }
}

// Concealed tiles as standing backs after the run; a tile past the last slot is dropped.
void LayConcealedTiles(Client& c, int seat, const std::vector<int16_t>& concealed) {
    SeatInfo& info = c.seatInfo[seat];
    for (const int16_t tile : concealed) {
        SetSizes(c, kConcealedSizes);
        const int n = info.FirstConcealed + info.ConcealedCount + 1;
        if (n - 1 > kLastSlot) return;
        ++info.ConcealedCount;
        const int16_t imageIndex = TakeRebuildImage(c);
        TileSlot& slot = SeatSlot(info, n - 1);
        slot.Image = imageIndex;
        slot.Tile = tile;
        ImageControl& image = TileImage(c, imageIndex);
        image.setVisible(true);
        const QPointF place = ConcealedPlace(c, seat, n);
        image.Move(place.x(), place.y(), c.table.TileWidth[seat], c.table.TileHeight[seat]);
        ShowTileImage(c, imageIndex, BackPicture(seat));
        if (seat == 1) BringToFront(image);
        if (seat == 3) SendToBack(image);
    }
}

void KeepWallCounters(TableState& t, const GameMessage& msg) {
    if (++t.RebuildMsgCount == 1) {
        t.RebuildWallTaken = msg.Param[1];
        t.RebuildParam3 = msg.Param[3];
        t.RebuildWallOffset = 0;
    }
    t.RebuildWallTaken = std::max(t.RebuildWallTaken, msg.Param[1]);
    t.RebuildParam3 = std::min(t.RebuildParam3, msg.Param[3]);
}
}  // namespace

int16_t TakeRebuildImage(Client& c) {
    TableState& t = c.table;
    const auto image = static_cast<int16_t>((t.WallFront + t.RebuildWallOffset) % kWallTiles);
    ++t.RebuildWallOffset;
    return image;
}

void HandleTableRebuild(Client& c, GameMessage& msg) {
    TableState& t = c.table;
    const int seat = LocalSeatOf(c.seatInfo[0].SeatBit, msg.SeatBit);
    if (seat == 0) c.playerInfo[0].HandVisible = 0;
    t.RebuildDiscardCount[seat] = msg.Byte7;
    KeepWallCounters(t, msg);
    // A rebuild replaces the table, and with it any prompt of the table before:
    // a server that still waits for an answer asks again once it has rebuilt.
    if (t.RebuildMsgCount == 1) CloseOpenPrompt(c);

    SeatTiles tiles = ReadSeatTiles(c.transport.PacketIn, seat == 0);
    SeatInfo& info = c.seatInfo[seat];
    SetSizes(c, kMeldSizes);
    LaySingleKongs(c, seat, tiles.exposed);
    // The meld slots end where the concealed run begins, at slot 20 at most.
    const int meldRoom = std::max(0, kLastSlot + 1 - info.FirstConcealed);
    if (static_cast<int>(tiles.exposed.size()) > meldRoom) tiles.exposed.resize(static_cast<size_t>(meldRoom));
    info.FirstConcealed = static_cast<int16_t>(info.FirstConcealed + tiles.exposed.size());
    SortTileArray(c, tiles.exposed, static_cast<int>(tiles.exposed.size()));
    MarkPungs(info, tiles.exposed);
    LayMeldTiles(c, seat, tiles.exposed);
    LayConcealedTiles(c, seat, tiles.concealed);
    // The side seats' rows overlap their piles and melds, as after a claim.
    RepairConcealedRow(c, seat);
    RepairSingleKongPiles(c, seat);
    if (t.RebuildMsgCount == 4) CompleteTableRebuild(c);
}
