#include "play/DiscardParking.h"
#include "messages/ServerMessageDispatch.h"
#include "play/ReceiveTiles.h"
#include "shared/RuntimeError.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

namespace {
constexpr int kDealPass = 4;

struct Place {
    Place(double l, double t) : left(l), top(t) {}
    double left, top;
    bool operator==(const Place&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Place& p) { return out << "(" << p.left << ", " << p.top << ")"; }

class DiscardParkingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(*t);
    }

    ImageControl& Image(int index) { return *t->mainForm->MJ_Image.at(index); }
    // Leaves image `index` in the centre as the last discard of a seat.
    void Discard(int seat, int index, int16_t tile = 0x45) {
        t->table.LastDiscarder = int16_t(seat);
        t->table.LastDiscardImage = int16_t(index);
        t->table.LastDiscardTile = tile;
        Image(index).Move(494, 359, 30, 36);
    }
    // Parks `n` discards of a seat by deal passes (no pause); their places in order.
    std::vector<Place> ParkDiscards(int seat, int n) {
        std::vector<Place> places;
        for (int i = 0; i < n; ++i) {
            Discard(seat, i);
            ParkLastDiscard(*t, kSeatBits[(seat + 3) % 4], kDealPass);
            places.push_back({Image(i).Left(), Image(i).Top()});
        }
        return places;
    }

    TestClient t;
};

TEST_F(DiscardParkingTest, TheFirstDiscardOfEachSeatLiesAtItsRowStartAndBlinks) {
    struct Expected {
        int seat;
        double left, top, width, height;
        bool inFront;
    };
    const Expected seats[] = {
        {0, 358, 438, 36, 50, false},
        {1, 287, 238, 48, 35, true},
        {2, 635, 238, 30, 36, true},
        {3, 758, 438, 48, 35, true},  // sent back, then brought forward by the re-stacking
    };
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        t->table.DiscardBlinkCount = 0;
        Discard(e.seat, 40 + e.seat);
        ParkLastDiscard(*t, kSeatBits[(e.seat + 3) % 4], kDealPass);
        const ImageControl& image = Image(40 + e.seat);
        EXPECT_EQ(Place(image.Left(), image.Top()), Place(e.left, e.top));
        EXPECT_EQ(image.Width(), e.width);
        EXPECT_EQ(image.Height(), e.height);
        EXPECT_TRUE(e.inFront ? InFrontOfAll(image) : BehindAll(image));
        EXPECT_EQ(t->table.DiscardBlinkCount, 3);
        EXPECT_EQ(t->table.LastDiscardImage, 40 + e.seat);  // the parked tile stays the last discard
    }
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0);  // deal passes park without the pause
}

TEST_F(DiscardParkingTest, RowsHoldEightTilesAndTheNextRowStartsFromTheRowStart) {
    const std::pair<int, std::vector<std::pair<int, Place>>> seats[] = {
        {0, {{1, {394, 438}}, {7, {358 + 7 * 36, 438}}, {8, {358, 438 - 32}}}},
        {1, {{1, {282, 256}}, {7, {287 - 35, 238 + 7 * 18}}, {8, {287 + 43, 238}}}},
        {2, {{1, {605, 238}}, {7, {635 - 7 * 30, 238}}, {8, {635, 238 + 22}}}},
        {3, {{1, {753, 420}}, {7, {758 - 35, 438 - 7 * 18}}, {8, {758 - 43, 438}}}},
    };
    for (const auto& [seat, expected] : seats) {
        SCOPED_TRACE(seat);
        const std::vector<Place> places = ParkDiscards(seat, 9);
        for (const auto& [index, place] : expected) EXPECT_EQ(places[index], place) << "discard " << index + 1;
    }
}

TEST_F(DiscardParkingTest, TheRightSeatsLowerTilesCoverTheOnesAboveAndEachRowCoversTheRowsBefore) {
    auto park = [&](int i) {
        Discard(3, 50 + i);
        ParkLastDiscard(*t, kSeatBits[2], kDealPass);
    };
    auto z = [&](int i) { return Image(50 + i).zValue(); };
    for (int i = 0; i < 8; ++i) park(i);
    for (int i = 1; i < 8; ++i) EXPECT_GT(z(i - 1), z(i)) << i;
    std::vector<double> firstRow;
    for (int i = 0; i < 8; ++i) firstRow.push_back(z(i));

    park(8);  // only entry 8 comes forward
    EXPECT_EQ(t->table.RightDiscardImages[8], 58);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(z(i), firstRow[i]) << i;
    EXPECT_GT(z(8), firstRow[0]);

    for (int i = 9; i < 17; ++i) park(i);
    EXPECT_EQ(t->table.RightDiscardCount, 17);
    for (int i = 9; i < 16; ++i) EXPECT_GT(z(i - 1), z(i)) << i;
    EXPECT_GT(z(15), z(0));
    EXPECT_GT(z(16), z(8));
}

TEST_F(DiscardParkingTest, NothingIsParkedAfterAKongOrForADiscardWithoutATile) {
    struct Case {
        const char* name;
        bool kong;
        int16_t tile;
    };
    for (const Case& k : {Case{"kong", true, 0x45}, Case{"no tile", false, 0}}) {
        SCOPED_TRACE(k.name);
        Discard(1, 40, k.tile);
        t->table.KongDeclared = k.kong;
        t->table.DiscardBlinkCount = 0;
        const double slept = t.clock->sleptSeconds;
        ReceiveTiles(*t, kSeatBits[2], 1, {});
        EXPECT_EQ(Place(Image(40).Left(), Image(40).Top()), Place(494, 359));
        EXPECT_EQ(t->table.DiscardBlinkCount, 0);
        EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, slept);
        EXPECT_FALSE(t->table.KongDeclared);
    }
}

TEST_F(DiscardParkingTest, TheOwnDiscardWaitsInTheCentreUntilTheRightSeatDraws) {
    Discard(0, 40);
    ParkLastDiscard(*t, kSeatBits[2], 1);
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.4);
    EXPECT_EQ(Place(Image(40).Left(), Image(40).Top()), Place(494, 359));
    EXPECT_EQ(t->table.DiscardBlinkCount, 0);

    ParkLastDiscard(*t, kSeatBits[3], 1);
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.8);
    EXPECT_EQ(Place(Image(40).Left(), Image(40).Top()), Place(358, 438));
    EXPECT_EQ(t->table.DiscardBlinkCount, 3);
}

TEST_F(DiscardParkingTest, ATwentyFifthRightDiscardIsARunTimeError) {
    ParkDiscards(3, 24);
    Discard(3, 30);
    EXPECT_THROW(ParkLastDiscard(*t, kSeatBits[2], kDealPass), RuntimeError);
}
}  // namespace
