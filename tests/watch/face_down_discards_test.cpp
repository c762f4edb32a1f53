// The discards of a rebuilt table, laid face down from the wall front.
#include "watch/FaceDownDiscards.h"
#include "watch/WatchFixture.h"

namespace {
class FaceDownDiscardsTest : public WatchFixture {
protected:
    // A rebuild that has taken `offset` images from the wall front at 40 and
    // may take up to offset `taken`.
    void Rebuilt(std::array<int16_t, 4> counts, int offset, int taken) {
        c.table.RebuildDiscardCount = counts;
        c.table.RebuildWallOffset = int16_t(offset);
        c.table.RebuildWallTaken = int16_t(taken);
    }
    double Left(int image) { return Image(image).Left(); }
    double Top(int image) { return Image(image).Top(); }
};

TEST_F(FaceDownDiscardsTest, EachSeatTakesItsCountOfConsecutiveWallImagesIntoItsRows) {
    Rebuilt({3, 0, 5, 2}, 10, 60);
    LayFaceDownTiles(c);
    // Images 50 to 52 for the bottom seat, 53 to 57 opposite, 58 and 59 right.
    const struct {
        int image, seat;
        double left, top, width, height;
    } laid[] = {
        {50, 0, 358, 438, 36, 50},      {52, 0, 358 + 72, 438, 36, 50}, {53, 2, 635, 238, 30, 36},
        {57, 2, 635 - 120, 238, 30, 36}, {58, 3, 758, 438, 48, 35},     {59, 3, 753, 438 - 18, 48, 35},
    };
    for (const auto& e : laid) {
        SCOPED_TRACE(e.image);
        EXPECT_EQ(Left(e.image), e.left);
        EXPECT_EQ(Top(e.image), e.top);
        EXPECT_EQ(Image(e.image).Width(), e.width);
        EXPECT_EQ(Image(e.image).Height(), e.height);
        EXPECT_EQ(PictureOf(e.image), FaceDownPicture(e.seat));
        EXPECT_TRUE(Image(e.image).isVisible());
    }
    // The right seat's re-stack: its lower tile covers the one above it.
    EXPECT_TRUE(InFrontOfAll(Image(58)));
    EXPECT_GT(Image(58).zValue(), Image(59).zValue());
    EXPECT_LT(Image(50).zValue(), Image(53).zValue());
    EXPECT_EQ(c.table.RebuildWallOffset, 20);
    EXPECT_EQ(c.table.LastDiscardImage, 59);
    EXPECT_EQ(c.table.LastDiscarder, 3);
    EXPECT_EQ(c.table.SavedDiscardX, 753);
    EXPECT_EQ(c.table.SavedDiscardY, 438 - 18);
    EXPECT_EQ(c.table.RightDiscardCount, 2);
    EXPECT_EQ((std::array<int16_t, 2>{c.table.RightDiscardImages[0], c.table.RightDiscardImages[1]}),
              (std::array<int16_t, 2>{58, 59}));
    EXPECT_EQ(c.table.WallFront, 40);
    EXPECT_EQ(PictureOf(60), -1);
}

TEST_F(FaceDownDiscardsTest, NineDiscardsFillARowAndStartTheNext) {
    Rebuilt({0, 9, 0, 0}, 0, 60);
    LayFaceDownTiles(c);
    EXPECT_EQ(Left(47), 287 - 35);
    EXPECT_EQ(Top(47), 238 + 7 * 18);
    EXPECT_EQ(Left(48), 287 + 43);
    EXPECT_EQ(Top(48), 238);
    EXPECT_EQ(c.table.SavedDiscardX, 287 + 43);
    EXPECT_EQ(c.table.SavedDiscardY, 238);
    EXPECT_EQ(c.table.LastDiscarder, 1);
}

TEST_F(FaceDownDiscardsTest, TheRebuildStopsForEverySeatOnceItHasTakenItsImages) {
    // Offsets 5 to 7 may still be taken: two for the bottom seat, one for the left.
    Rebuilt({2, 4, 3, 0}, 5, 7);
    LayFaceDownTiles(c);
    EXPECT_EQ(c.table.RebuildWallOffset, 8);
    EXPECT_EQ(c.table.LastDiscardImage, 47);
    EXPECT_EQ(Left(47), 287);
    EXPECT_EQ(PictureOf(48), -1);
    EXPECT_EQ(c.seatInfo[2].DiscardX, 635);
    // The last tile laid names its seat, also after an early stop.
    EXPECT_EQ(c.table.LastDiscarder, 1);

    NewHand();
    c.table.LastDiscarder = 2;
    Rebuilt({1, 0, 0, 0}, 9, 8);
    LayFaceDownTiles(c);
    EXPECT_EQ(c.table.RebuildWallOffset, 9);
    EXPECT_EQ(c.table.LastDiscarder, 2);
}

TEST_F(FaceDownDiscardsTest, TheWallImageIndexWrapsPastTheEnd) {
    c.table.WallFront = 130;
    Rebuilt({0, 0, 3, 0}, 5, 60);
    LayFaceDownTiles(c);
    EXPECT_EQ(Left(135), 635);
    EXPECT_EQ(Left(0), 605);
    EXPECT_EQ(Left(1), 575);
    EXPECT_EQ(c.table.LastDiscardImage, 1);
}

TEST_F(FaceDownDiscardsTest, TheRightSeatsFaceDownTilesAreRestackedAndAListBeyond24IsNoError) {
    Rebuilt({0, 0, 0, 26}, 0, 60);
    EXPECT_NO_THROW(LayFaceDownTiles(c));
    EXPECT_EQ(c.table.RightDiscardCount, 24);
    EXPECT_EQ(c.table.RightDiscardImages[23], 63);
    // The 25th and 26th start a fourth row, behind the listed tiles.
    EXPECT_EQ(Left(64), 758 - 3 * 43);
    EXPECT_TRUE(BehindAll(Image(65)));
    // Rows restacked once per tile: within the second row each lower tile covers the one above it.
    EXPECT_GT(Image(48).zValue(), Image(49).zValue());
    EXPECT_GT(Image(56).zValue(), Image(48).zValue());
}
}  // namespace
