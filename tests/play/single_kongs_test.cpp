#include "wire/General.h"
#include "table/TileAccess.h"
#include "play/ClaimAnnouncements.h"
#include "table/TilePictures.h"
#include "shared/RuntimeError.h"
#include "AllSeatsFixture.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <optional>

namespace {
constexpr int16_t kWildTile = 0x29;

class SingleKongsTest : public AllSeatsFixture {
protected:
    void Prepare() override {
        c().table.WildTile = kWildTile;
    }

    // Another seat's laid groups (images 100 onwards) and its concealed run
    // of backs after them (images 20 onwards).
    void SetUpSeat(int seat, const std::vector<std::pair<int16_t, int16_t>>& groups, int concealed) {
        SeatInfo& info = c().seatInfo[seat];
        int next = 100;
        for (size_t g = 0; g < groups.size(); ++g)
            for (int j = 0; j < 3; ++j) {
                const int slot = (seat == 0 ? 1 : 2) + 3 * int(g) + j;
                info.Slots[slot] = {groups[g].first, groups[g].second, int16_t(next), 0};
                image(next++).Move(info.HandX + 10 * slot, info.HandY - 10 * slot, 45, 35);
            }
        info.MeldEnd = int16_t(info.MeldEnd + 3 * groups.size());
        info.FirstConcealed = int16_t(info.FirstConcealed + 3 * groups.size());
        for (int k = 0; k < concealed; ++k) {
            const auto index = int16_t(20 + k);
            info.Slots[info.FirstConcealed + k] = {1, 0x41, index, 0};
            image(index).Move(info.HandX + 48 * k, info.HandY, 48, 78);
            ShowTileImage(c(), index, seat == 0 ? TilePicture(kOwnHandSet, 0x41) : BackPicture(seat));
        }
        info.ConcealedCount = int16_t(concealed);
    }
    // The own answer's copy of the kong tile, which stands in the run at `slot`.
    void AnswerOwnKong(int slot, int16_t tile) {
        SeatInfo& own = c().seatInfo[0];
        own.Slots[slot].Tile = tile;
        own.Slots[own.MeldEnd - 2] = own.Slots[slot];
        own.Slots[own.MeldEnd - 2].Flag = 6;
        c().play.KongChoices[0] = int16_t(slot);
    }
    void Announce(int seat, int16_t tile) { ShowOperation(c(), 64, kSeatBits[seat], {0, 0, tile}); }

};

TEST_F(SingleKongsTest, LeftSeatsKongGoesOntoTheMiddleTileOfItsSecondPung) {
    SetUpSeat(1, {{1, 0x22}, {3, 0x27}}, 8);
    const SeatInfo& left = c().seatInfo[1];
    const double handX = left.HandX, handY = left.HandY;
    Announce(1, 0x27);
    EXPECT_EQ(left.Slots[8].Image, 27);
    EXPECT_DOUBLE_EQ(image(27).Left(), handX - 30);
    EXPECT_DOUBLE_EQ(image(27).Top(), handY + 91);
    EXPECT_EQ(image(27).Width(), 45);
    EXPECT_EQ(image(27).Height(), 35);
    EXPECT_TRUE(image(27).isVisible());
    EXPECT_EQ(picture(27), TilePicture(1, 0x27));
    EXPECT_GT(image(27).zValue(), image(left.Slots[6].Image).zValue());
    EXPECT_EQ(left.ConcealedCount, 7);
    EXPECT_EQ(left.MeldEnd, 10);
    EXPECT_EQ(left.FirstConcealed, 10);
    EXPECT_EQ(c().table.LastDiscardImage, 27);
    EXPECT_EQ(c().table.LastDiscardTile, 0x27);
    EXPECT_FALSE(c().table.DrawFromFront);
    EXPECT_TRUE(c().table.KongDeclared);
}

TEST_F(SingleKongsTest, RightSeatsKongOnItsSecondPungLiesAboveTheMiddleTile) {
    SetUpSeat(3, {{3, 0x21}, {3, 0x25}}, 8);
    const SeatInfo& right = c().seatInfo[3];
    const double middleLeft = image(right.Slots[6].Image).Left();
    Announce(3, 0x25);
    EXPECT_DOUBLE_EQ(image(27).Left(), middleLeft);
    EXPECT_DOUBLE_EQ(image(27).Top(), right.HandY - 6 * (35 - 17) - 17);
}

// Only a pung of the tile takes it: not a chow's slots, not a kong.
TEST_F(SingleKongsTest, TileWithoutAPungStaysInTheRowAsABackAtMeldSize) {
    SetUpSeat(2, {{1, 0x27}, {4, 0x27}}, 8);
    const double left = image(27).Left(), top = image(27).Top();
    Announce(2, 0x27);
    EXPECT_DOUBLE_EQ(image(27).Left(), left);
    EXPECT_DOUBLE_EQ(image(27).Top(), top);
    EXPECT_EQ(picture(27), BackPicture(2));
    EXPECT_EQ(image(27).Width(), 34);
    EXPECT_EQ(image(27).Height(), 40);
    EXPECT_TRUE(image(27).isVisible());
    EXPECT_EQ(c().seatInfo[2].ConcealedCount, 7);
}

TEST_F(SingleKongsTest, OwnKongLeavesTheRowAndLiesOnItsPung) {
    SetUpSeat(0, {{3, 0x27}}, 11);
    AnswerOwnKong(9, 0x27);
    SeatInfo& own = c().seatInfo[0];
    const double handY = own.HandY, middleLeft = image(own.Slots[2].Image).Left();
    Announce(0, 0x27);
    EXPECT_DOUBLE_EQ(image(22).Left(), middleLeft);
    EXPECT_DOUBLE_EQ(image(22).Top(), handY - 18);
    EXPECT_EQ(image(22).Width(), 45);
    EXPECT_EQ(image(22).Height(), 60);
    EXPECT_EQ(picture(22), TilePicture(0, 0x27));
    EXPECT_EQ(own.ConcealedCount, 10);
    EXPECT_EQ(FindHandSlot(c(), 22), -1);
    EXPECT_FALSE(c().table.DrawFromFront);
    EXPECT_TRUE(c().table.KongDeclared);
}

// The Red Dragon and the wild tile match no pung: each seat keeps a pile of each beside its melds.
TEST_F(SingleKongsTest, RedDragonAndWildTileKongsGoOntoTheirPiles) {
    struct Case {
        int seat;
        int16_t tile;
        int laidBefore;
        double dx, dy;  // from (HandX, HandY)
    };
    const Case cases[] = {
        {0, 0x15, 0, 0, 0},           {0, kWildTile, 1, 45 - 2, -18},
        {1, 0x15, 1, 0, -18},         {1, kWildTile, 0, -5, 35 - 17},
        {2, 0x15, 2, 0, -36},         {2, kWildTile, 0, -34, 0},
        {3, 0x15, 0, -10, 0},         {3, kWildTile, 3, -15, -(35 - 17) - 54},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "seat " << test.seat << " tile " << test.tile << " after " << test.laidBefore);
        Start();
        SetUpSeat(test.seat, {}, 11);
        SeatInfo& info = c().seatInfo[test.seat];
        const bool red = test.tile == 0x15;
        (red ? info.RedKongCount : info.WildKongCount) = int16_t(test.laidBefore);
        const int16_t kongImage = int16_t(test.seat == 0 ? 25 : 30);
        if (test.seat == 0) AnswerOwnKong(9, test.tile);
        const double handX = info.HandX, handY = info.HandY;
        Announce(test.seat, test.tile);

        EXPECT_DOUBLE_EQ(image(kongImage).Left(), handX + test.dx);
        EXPECT_DOUBLE_EQ(image(kongImage).Top(), handY + test.dy);
        EXPECT_EQ(picture(kongImage), TilePicture(test.seat, test.tile));
        EXPECT_TRUE(image(kongImage).isVisible());
        EXPECT_EQ(red ? info.RedKongCount : info.WildKongCount, test.laidBefore + 1);
        EXPECT_EQ(info.ConcealedCount, 10);
        const int16_t listed = c().table.SingleKongImages[test.seat][(red ? 0 : 4) + test.laidBefore];
        EXPECT_EQ(listed, test.seat == 2 ? 0 : kongImage);  // the opposite seat's piles are not listed
        if (red && test.laidBefore == 0) {
            EXPECT_EQ(info.Slots[0].Image, kongImage);
        }
        if (test.seat == 0) {
            EXPECT_EQ(FindHandSlot(c(), kongImage), -1);
        }
    }
}

TEST_F(SingleKongsTest, WildRedDragonGoesOntoTheRedDragonPile) {
    c().table.WildTile = 0x15;
    SetUpSeat(3, {}, 11);
    Announce(3, 0x15);
    EXPECT_EQ(c().seatInfo[3].RedKongCount, 1);
    EXPECT_EQ(c().seatInfo[3].WildKongCount, 0);
}

// Each claim of the right seat re-stacks its wild pile, then its Red Dragon pile, in front.
TEST_F(SingleKongsTest, RightSeatsPilesAreRestackedInFront) {
    SetUpSeat(3, {}, 11);
    Announce(3, 0x15);
    Announce(3, kWildTile);
    const double red = image(30).zValue(), wild = image(29).zValue();
    EXPECT_GT(red, wild);
    for (int k = 20; k < 29; ++k) EXPECT_LT(image(k).zValue(), wild) << k;
}

TEST_F(SingleKongsTest, AFifthTileOnAListedPileIsARunTimeError) {
    SetUpSeat(1, {}, 11);
    c().seatInfo[1].RedKongCount = 4;
    EXPECT_THROW(Announce(1, 0x15), RuntimeError);
}
}  // namespace
