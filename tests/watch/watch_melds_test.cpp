// A spectator's meld layout: chows, pungs and kongs of every seat, the
// watched seat's tiles taken by their codes.
#include "table/TilePictures.h"
#include "watch/WatchFixture.h"
#include "watch/WatchView.h"
#include <algorithm>

namespace {
constexpr int kChow = 4, kPung = 8, kExposedKong = 16, kConcealedKong = 32;
constexpr int16_t kDiscardImage = 60;

class WatchMeldsTest : public WatchFixture {
protected:
    // The last discard: image 60 of `tile` by seat `discarder`, laid at (300, 400).
    void Discarded(int discarder, int16_t tile) {
        TableState& s = c.table;
        s.LastDiscarder = int16_t(discarder);
        s.LastDiscardImage = kDiscardImage;
        s.LastDiscardTile = tile;
        s.SavedDiscardX = 300;
        s.SavedDiscardY = 400;
    }
    void Claim(int op, int seat, std::array<int16_t, 3> tiles) { SideShowOperation(c, int16_t(op), kSeatBits[seat], tiles); }
    std::vector<int> RunTiles(int seat) {
        const SeatInfo& s = c.seatInfo[seat];
        std::vector<int> tiles;
        for (int k = 0; k < s.ConcealedCount; ++k) tiles.push_back(s.Slots[s.FirstConcealed + k].Tile);
        return tiles;
    }
};

TEST_F(WatchMeldsTest, TheLeftSeatsFirstPungTakesTheDiscardAndMovesItsThirdTileToTheRowsEnd) {
    Hold(1, std::vector<int>(13, 0));
    Discarded(2, 0x45);
    Claim(kPung, 1, {0x45, 0x45, 0x45});
    const SeatInfo& left = c.seatInfo[1];
    EXPECT_EQ(Slot(1, 2).Image, 100);
    EXPECT_EQ(Slot(1, 3).Image, 101);
    EXPECT_EQ(Slot(1, 4).Image, kDiscardImage);
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(Slot(1, k).Flag, 3);
        EXPECT_EQ(Slot(1, k).Tile, 0x45);
    }
    EXPECT_EQ(Slot(1, 17).Image, 102);
    EXPECT_EQ(left.ConcealedCount, 11);
    EXPECT_EQ(left.FirstConcealed, 7);
    EXPECT_EQ(left.MeldEnd, 7);
    const int images[] = {100, 101, kDiscardImage};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(PlaceOf(images[k]), (Place{163.0 - 10 - 5 * k, 192.0 + 36 + 18 * k}));
        EXPECT_EQ(Image(images[k]).Width(), 45);
        EXPECT_EQ(Image(images[k]).Height(), 35);
        EXPECT_EQ(PictureOf(images[k]), TilePicture(1, 0x45));
    }
    // Slot 17 of the hand row: 5 left and 17.5 down per slot.
    EXPECT_EQ(PlaceOf(102), (Place{163.0 - 5 * 17, 192 + 17.5 * 17}));
    // The claimed discard's place is its discarder's next place.
    EXPECT_EQ(c.seatInfo[2].DiscardX, 300);
    EXPECT_EQ(c.seatInfo[2].DiscardY, 400);
    // The row repair: each lower tile of the run covers the one above it.
    EXPECT_TRUE(InFrontOfAll(Image(102)));
    EXPECT_GT(Image(112).zValue(), Image(kDiscardImage).zValue());
    EXPECT_GT(Image(104).zValue(), Image(103).zValue());
}

TEST_F(WatchMeldsTest, TheWatchedSeatsChowTakesItsTwoTilesByTheirCodes) {
    Hold(0, {0x11, 0x84, 0x22, 0x86, 0x33});
    Discarded(1, 0x85);
    Claim(kChow, 0, {0x84, 0x86, 0x85});
    const SeatInfo& watched = c.seatInfo[0];
    EXPECT_EQ(Slot(0, 1).Image, 101);
    EXPECT_EQ(Slot(0, 2).Image, 103);
    EXPECT_EQ(Slot(0, 3).Image, kDiscardImage);
    EXPECT_EQ(RunTiles(0), (std::vector<int>{0x11, 0x33, 0x22}));
    EXPECT_EQ(watched.ConcealedCount, 3);
    EXPECT_EQ(watched.FirstConcealed, 7);
    EXPECT_EQ(watched.MeldEnd, 6);
    // A chow's slots keep their concealed flags and codes.
    EXPECT_EQ(Slot(0, 1).Flag, 1);
    const int images[] = {101, 103, kDiscardImage};
    const int16_t faces[] = {0x84, 0x86, 0x85};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(PlaceOf(images[k]), (Place{19.0 + 43 * (k + 1), 564}));
        EXPECT_EQ(Image(images[k]).Width(), 45);
        EXPECT_EQ(Image(images[k]).Height(), 56);
        EXPECT_EQ(PictureOf(images[k]), TilePicture(0, faces[k]));
    }
    EXPECT_TRUE(InFrontOfAll(Image(kDiscardImage)));
    // The tiles left keep their places in the row, with the two the chow took gone from it.
    EXPECT_EQ(PlaceOf(100), (Place{19.0 + 7 * 48, 564}));
    EXPECT_EQ(PlaceOf(102), (Place{19.0 + 6 * 48, 564}));
}

TEST_F(WatchMeldsTest, AClaimOnTheRightSeatsDiscardTakesItOffItsList) {
    c.table.RightDiscardImages[0] = 59;
    c.table.RightDiscardImages[1] = kDiscardImage;
    c.table.RightDiscardCount = 2;
    Hold(2, {0x45, 0x45, 0x11});
    Discarded(3, 0x45);
    Claim(kPung, 2, {0x45, 0x45, 0x45});
    EXPECT_EQ(c.table.RightDiscardCount, 1);
    EXPECT_EQ(c.seatInfo[3].DiscardX, 300);
    // The opposite seat's melds run left from its anchor, edge to edge.
    EXPECT_EQ(PlaceOf(kDiscardImage), (Place{842.0 - 4 * 34, 122}));
    EXPECT_EQ(PlaceOf(102), (Place{842.0 - 7 * 36, 122}));

    // A claim of a discard the full list never took leaves the list as it is.
    NewHand();
    c.table.RightDiscardCount = 24;
    c.table.RightDiscardImages.fill(59);
    Hold(1, {0x45, 0x45, 0x11});
    Discarded(3, 0x45);
    Claim(kPung, 1, {0x45, 0x45, 0x45});
    EXPECT_EQ(c.table.RightDiscardCount, 24);
}

TEST_F(WatchMeldsTest, KongsLayThreeTilesAndTheFourthRaisedOnTheMiddleOne) {
    struct Case {
        const char* name;
        int op, seat;
        std::vector<int> hand;
        Place middle;
        int16_t rowPicture, fourthPicture;
        int concealedLeft;
        std::vector<int> runLeft;
    };
    const Case cases[] = {
        {"right seat on a discard", kExposedKong, 3, {0, 0, 0, 0, 0}, {942.0 - 25, 560.0 - 54},
         TilePicture(3, 0x27), TilePicture(3, 0x27), 2, {0, 0}},
        {"opposite seat concealed", kConcealedKong, 2, {0, 0, 0, 0, 0}, {842.0 - 3 * 34, 122},
         FaceDownPicture(2), FaceDownPicture(2), 1, {0}},
        {"left seat concealed", kConcealedKong, 1, {0, 0, 0, 0, 0}, {163.0 - 15, 192.0 + 54},
         FaceDownPicture(1), FaceDownPicture(1), 1, {0}},
        {"watched seat concealed", kConcealedKong, 0, {0x27, 0x11, 0x27, 0x27, 0x33, 0x27}, {19.0 + 2 * 43, 564},
         TilePicture(0, 0x27), TilePicture(0, 0x27), 2, {0x11, 0x33}},
        {"watched seat on a discard", kExposedKong, 0, {0x11, 0x27, 0x27, 0x33, 0x27}, {19.0 + 2 * 43, 564},
         TilePicture(0, 0x27), TilePicture(0, 0x27), 2, {0x11, 0x33}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Hold(k.seat, k.hand);
        Discarded(2, 0x27);
        Claim(k.op, k.seat, {0x27, 0x27, 0x27});
        const SeatInfo& s = c.seatInfo[k.seat];
        const int m = k.seat == 0 ? 3 : 4;
        const int fourth = c.table.LastDiscardImage;
        EXPECT_EQ(fourth == kDiscardImage, k.op == kExposedKong);
        EXPECT_EQ(PlaceOf(Slot(k.seat, m - 1).Image), k.middle);
        for (int slot = m - 2; slot <= m; ++slot) EXPECT_EQ(PictureOf(Slot(k.seat, slot).Image), k.rowPicture) << slot;
        EXPECT_EQ(PlaceOf(fourth), (Place{k.middle.left, k.middle.top - 18}));
        EXPECT_EQ(PictureOf(fourth), k.fourthPicture);
        for (int slot = m - 2; slot <= m; ++slot)
            EXPECT_GT(Image(fourth).zValue(), Image(Slot(k.seat, slot).Image).zValue()) << slot;
        EXPECT_EQ(s.ConcealedCount, k.concealedLeft);
        EXPECT_EQ(s.MeldEnd, m + 3);
        EXPECT_EQ(s.FirstConcealed, 7);
        std::vector<int> runLeft = RunTiles(k.seat);
        std::sort(runLeft.begin(), runLeft.end());
        EXPECT_EQ(runLeft, k.runLeft);
        EXPECT_FALSE(c.table.DrawFromFront);
        // Only a kong on a discard takes the discard off its discarder's row.
        EXPECT_EQ(c.seatInfo[2].DiscardX, k.op == kExposedKong ? 300 : 635);
        NewHand();
    }
}

TEST_F(WatchMeldsTest, TheRightSeatsKongTilesGoBehindEachOther) {
    Hold(3, {0, 0, 0, 0});
    Discarded(0, 0x27);
    Claim(kExposedKong, 3, {0x27, 0x27, 0x27});
    // Slots 2, 3, 4 sent to the back one after another, the fourth tile in front of all.
    EXPECT_GT(Image(Slot(3, 2).Image).zValue(), Image(Slot(3, 3).Image).zValue());
    EXPECT_GT(Image(Slot(3, 3).Image).zValue(), Image(Slot(3, 4).Image).zValue());
    EXPECT_TRUE(InFrontOfAll(Image(kDiscardImage)));
}

TEST_F(WatchMeldsTest, AChowOrPungKeepsTheDrawOnTheFrontAndAMessageWithoutCodesShowsTheKongsTile) {
    Hold(2, {0, 0, 0});
    Discarded(1, 0x27);
    Claim(kPung, 2, {0x27, 0x27, 0x27});
    EXPECT_TRUE(c.table.DrawFromFront);

    Hold(1, {0, 0, 0, 0});
    Discarded(2, 0x41);
    EXPECT_NO_THROW(Claim(kExposedKong, 1, {0, 0, 0x41}));
    EXPECT_EQ(PictureOf(Slot(1, 2).Image), TilePicture(1, 0x41));
    EXPECT_EQ(PictureOf(kDiscardImage), TilePicture(1, 0x41));
}
}  // namespace
