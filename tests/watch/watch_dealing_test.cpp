// A spectator's deals and draws: standing backs in every hand, the watched
// seat's codes in its slots, replacement tiles from the wall back.
#include "shared/RuntimeError.h"
#include "watch/WatchFixture.h"
#include "watch/WatchView.h"

namespace {
constexpr int kDealPass = 4, kDraw = 1;

class WatchDealingTest : public WatchFixture {
protected:
    void Deal(int seat, std::array<int16_t, 4> tiles = {}) { SideReceiveTiles(c, kSeatBits[seat], kDealPass, tiles); }
    void Draw(int seat, int16_t tile = 0) { SideReceiveTiles(c, kSeatBits[seat], kDraw, {0, 0, 0, tile}); }
    double Left(int image) { return Image(image).Left(); }
    double Top(int image) { return Image(image).Top(); }
};

TEST_F(WatchDealingTest, EverySeatsDealLaysStandingBacksAlongItsRow) {
    struct Expected {
        int seat;
        double left, top;  // of the pass's second tile, slot 5
        double width, height;
        bool inFront, behind;
    };
    // Left: 5 left and half a tile width (17.5) down per slot; opposite: a tile
    // width left; right: counted from slot + 1, 5 left and 17.5 up per slot.
    const Expected seats[] = {
        {0, 19 + 5 * 48, 564, 48, 78, false, false},
        {1, 163 - 25, 192 + 5 * 17.5, 35, 66, true, false},
        {2, 842 - 5 * 36, 122, 36, 50, false, false},
        {3, 942 - 30, 560 - 6 * 17.5, 35, 66, false, true},
    };
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        c.table.WallFront = 134;
        c.table.WallBack = 60;
        Deal(e.seat, {0x11, 0x152, 0x23, 0x45});
        EXPECT_EQ(c.table.WallFront, 2);
        EXPECT_EQ(c.seatInfo[e.seat].ConcealedCount, 4);
        const std::array<int, 4> images{134, 135, 0, 1};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Slot(e.seat, 4 + k).Image, images[k]);
            EXPECT_EQ(Slot(e.seat, 4 + k).Flag, 1);
            EXPECT_EQ(PictureOf(images[k]), BackPicture(e.seat));
        }
        EXPECT_DOUBLE_EQ(Left(135), e.left);
        EXPECT_DOUBLE_EQ(Top(135), e.top);
        EXPECT_EQ(Image(135).Width(), e.width);
        EXPECT_EQ(Image(135).Height(), e.height);
        EXPECT_EQ(InFrontOfAll(Image(1)), e.inFront);
        EXPECT_EQ(BehindAll(Image(1)), e.behind);
        // Only the watched seat's slots take the codes, low bytes only.
        const std::array<int16_t, 4> codes =
            e.seat == 0 ? std::array<int16_t, 4>{0x11, 0x52, 0x23, 0x45} : std::array<int16_t, 4>{};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(Slot(e.seat, 4 + k).Tile, codes[k]);
        NewHand();
    }
}

TEST_F(WatchDealingTest, ReplacementTilesComeFromTheBackOnlyForTheFirstDrawAfterAKong) {
    c.table.WallBack = 1;
    std::vector<int> taken;
    for (int i = 0; i < 4; ++i) {
        c.table.DrawFromFront = false;
        Draw(2);
        taken.push_back(Slot(2, 4 + i).Image);
        EXPECT_TRUE(c.table.DrawFromFront);
    }
    EXPECT_EQ(taken, (std::vector<int>{1, 134, 135, 132}));
    EXPECT_EQ(c.table.WallBack, 133);
    Draw(2);
    EXPECT_EQ(Slot(2, 8).Image, 40);

    c.table.WallBack = 0;
    c.table.DrawFromFront = false;
    Draw(1);
    EXPECT_EQ(c.table.WallBack, 1);
}

TEST_F(WatchDealingTest, WhereTheWallsEndsMeetEachDrawStepsPastTheOther) {
    // The back has taken 42 and 43 and stands at 40, where the front is.
    c.table.WallFront = 40;
    c.table.WallBack = 40;
    Draw(1);
    Draw(3);
    EXPECT_EQ(Slot(1, 4).Image, 40);
    EXPECT_EQ(Slot(3, 4).Image, 41);
    EXPECT_EQ(c.table.WallBack, 38);
    c.table.DrawFromFront = false;
    Draw(2);
    EXPECT_EQ(Slot(2, 4).Image, 38);
}

TEST_F(WatchDealingTest, TheWatchedSeatsDrawStandsApartOnlyWhenReplacingOrOnceTheWildTileIsKnown) {
    struct Case {
        const char* name;
        int16_t wildTile;
        bool fromFront;
        double offset;
    };
    const Case cases[] = {
        {"front, no wild tile", -1, true, 0},
        {"back, no wild tile", -1, false, 24},
        {"front, wild tile known", 0x17, true, 24},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Deal(0, {0x11, 0x12, 0x13, 0x14});
        // A tile of the run that stands out of place returns to the row once the wild tile is known.
        Image(41).Move(500, 500);
        c.table.WildTile = k.wildTile;
        c.table.DrawFromFront = k.fromFront;
        Draw(0, 0x129);
        const TileSlot& drawn = Slot(0, 8);
        EXPECT_EQ(drawn.Tile, 0x29);
        EXPECT_EQ(drawn.Flag, 1);
        EXPECT_EQ(drawn.Image, k.fromFront ? 44 : 38);
        EXPECT_DOUBLE_EQ(Left(drawn.Image), 19 + 8 * 48 + k.offset);
        EXPECT_DOUBLE_EQ(Top(drawn.Image), 564);
        EXPECT_EQ(PictureOf(drawn.Image), BackPicture(0));
        EXPECT_DOUBLE_EQ(Left(41), k.wildTile > 0 ? 19 + 5 * 48 : 500);
        NewHand();
    }
}

TEST_F(WatchDealingTest, TheLeftSeatsTilesBringTheWatchedSeatsWildKongsForward) {
    c.seatInfo[0].WildKongCount = 2;
    c.table.SingleKongImages[0][4] = 90;
    c.table.SingleKongImages[0][5] = 91;
    Draw(1);
    EXPECT_TRUE(InFrontOfAll(Image(91)));
    EXPECT_GT(Image(90).zValue(), Image(40).zValue());
    const double before = Image(91).zValue();
    Draw(3);
    EXPECT_EQ(Image(91).zValue(), before);
}

TEST_F(WatchDealingTest, ATileBeyondTheLastSlotEndsTheClient) {
    c.seatInfo[2].ConcealedCount = 16;
    EXPECT_THROW(Deal(2), RuntimeError);
}
}  // namespace
