#include "play/ReceiveTiles.h"
#include "messages/ServerMessageDispatch.h"
#include "table/TilePictures.h"
#include "play/WallDraws.h"
#include "shared/RuntimeError.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

namespace {
constexpr int16_t kWild = 0x11;

struct WallCase {
    int16_t front, back;
    int16_t taken, frontAfter, backAfter;
};

template <size_t N>
void ExpectDraws(int16_t (*draw)(TableState&), const WallCase (&cases)[N]) {
    for (const WallCase& w : cases) {
        SCOPED_TRACE(testing::Message() << "front " << w.front << " back " << w.back);
        TableState t;
        t.WallFront = w.front;
        t.WallBack = w.back;
        EXPECT_EQ(draw(t), w.taken);
        EXPECT_EQ(t.WallFront, w.frontAfter);
        EXPECT_EQ(t.WallBack, w.backAfter);
    }
}

TEST(WallDraws, FrontDrawsStepPastTheBackEnd) {
    const WallCase cases[] = {
        {10, 20, 10, 11, 20},    // a plain draw
        {40, 40, 40, 41, 41},    // the ends meet: the back steps first
        {99, 101, 99, 101, 101}, // the front reaches the odd tile the back stands on
        {100, 102, 100, 101, 102}, // an even back is not jumped to
        {135, 10, 135, 0, 10},   // wrap-around
    };
    ExpectDraws(DrawFromWallFront, cases);
}

TEST(WallDraws, BackDrawsTakeAStackEvenTileFirstAndStepPastTheFront) {
    const WallCase cases[] = {
        {10, 94, 94, 10, 95},     // even, then the odd tile of the same stack
        {10, 95, 95, 10, 92},     // odd: one stack down
        {101, 103, 103, 101, 101}, // the back reaches the front
        {40, 40, 40, 41, 41},     // the ends meet: the front steps first
        {50, 0, 0, 50, 1},
        {50, 1, 1, 50, 134},      // wrap-around
    };
    ExpectDraws(DrawFromWallBack, cases);
}

// A clock that lets a test look at the table while the client sleeps.
class WatchedClock : public VirtualClock {
public:
    std::function<void()> onSleep;
    void Sleep(double seconds) override {
        if (onSleep) onSleep();
        VirtualClock::Sleep(seconds);
    }
};

class ReceiveTilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto watched = std::make_unique<WatchedClock>();
        clock = watched.get();
        t.clock = clock;
        t->platform.clock = std::move(watched);
        ASSERT_EQ(t.Load(), std::nullopt);
        for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(*t);
        t->table.WallFront = 96;
        t->table.WallBack = 94;
    }

    ImageControl& Image(int index) { return *t->mainForm->MJ_Image.at(index); }
    int16_t Picture(int index) { return t->table.TileImagePictures.at(index); }
    bool InFront(int index) { return InFrontOfAll(Image(index)); }
    bool Behind(int index) { return BehindAll(Image(index)); }
    void ExpectPlace(int index, double left, double top, double width, double height) {
        SCOPED_TRACE(testing::Message() << "image " << index);
        EXPECT_DOUBLE_EQ(Image(index).Left(), left);
        EXPECT_DOUBLE_EQ(Image(index).Top(), top);
        EXPECT_EQ(Image(index).Width(), width);
        EXPECT_EQ(Image(index).Height(), height);
        EXPECT_TRUE(Image(index).isVisible());
    }
    void Deal(int seat, std::array<int16_t, 4> tiles = {}) { ReceiveTiles(*t, kSeatBits[seat], 4, tiles); }
    void Draw(int seat, int16_t tile = 0) { ReceiveTiles(*t, kSeatBits[seat], 1, {0, 0, 0, tile}); }
    // Gives the own seat a concealed run of these tiles on images 0, 1, ...
    void HoldOwn(std::vector<int16_t> tiles) {
        SeatInfo& own = t->seatInfo[0];
        for (int i = 0; i < int(tiles.size()); ++i) {
            own.Slots[own.FirstConcealed + i] = {1, tiles[i], int16_t(i), 0};
            Image(i).Move(19 + (own.FirstConcealed + i) * 48, 564, 48, 78);
            Image(i).setVisible(true);
        }
        own.ConcealedCount = int16_t(tiles.size());
    }

    TestClient t;
    WatchedClock* clock = nullptr;
};

TEST_F(ReceiveTilesTest, TheOwnDealPassShowsTheFourFacesFromTheFrontInDealtOrder) {
    t->table.WallBack = 96;  // the pass takes no notice of the back end
    t->table.DrawFromFront = false;
    t->table.KongDeclared = true;
    Deal(0, {0x13, 0x81, 0x145, 0x22});
    const int16_t tiles[] = {0x13, 0x81, 0x45, 0x22};
    for (int j = 0; j < 4; ++j) {
        const int image = 96 + j, slot = 4 + j;
        ExpectPlace(image, 19 + slot * 48, 564, 48, 78);
        EXPECT_EQ(Picture(image), TilePicture(kOwnHandSet, tiles[j]));
        const TileSlot& s = t->seatInfo[0].Slots[slot];
        EXPECT_EQ(s.Tile, tiles[j]);
        EXPECT_EQ(s.Flag, 1);
        EXPECT_EQ(s.Image, image);
    }
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 4);
    EXPECT_EQ(t->table.WallFront, 100);
    EXPECT_EQ(t->table.WallBack, 96);
    EXPECT_TRUE(t->table.DrawFromFront);
    EXPECT_FALSE(t->table.KongDeclared);
    EXPECT_EQ(t->table.TileWidth, (std::array<int16_t, 4>{48, 35, 36, 35}));
    EXPECT_EQ(t->table.TileHeight, (std::array<int16_t, 4>{78, 66, 50, 66}));
}

TEST_F(ReceiveTilesTest, OtherSeatsDealPassesLieAsBacksAlongTheirRows) {
    struct Expected {
        int seat;
        double left4, top4, left7, top7, width, height;
        int16_t back;
    };
    const Expected seats[] = {
        {1, 163 - 20, 192 + 17.5 * 4, 163 - 35, 192 + 17.5 * 7, 35, 66, 43},
        {2, 842 - 4 * 36, 122, 842 - 7 * 36, 122, 36, 50, 79},
        {3, 942 - 25, 560 - 17.5 * 5, 942 - 40, 560 - 17.5 * 8, 35, 66, 115},
    };
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        const int first = t->table.WallFront;
        Deal(e.seat, {0x11, 0x11, 0x11, 0x11});
        ExpectPlace(first, e.left4, e.top4, e.width, e.height);
        ExpectPlace(first + 3, e.left7, e.top7, e.width, e.height);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(Picture(first + j), e.back);
            const TileSlot& s = t->seatInfo[e.seat].Slots[4 + j];
            EXPECT_EQ(s.Image, first + j);
            EXPECT_EQ(s.Flag, 1);
            EXPECT_EQ(s.Tile, 0);  // other seats' codes are never kept
        }
        if (e.seat == 1) {
            EXPECT_TRUE(InFront(first + 3));
        } else if (e.seat == 3) {
            EXPECT_TRUE(Behind(first + 3));
        }
        EXPECT_EQ(t->seatInfo[e.seat].ConcealedCount, 4);
    }
}

TEST_F(ReceiveTilesTest, AnotherSeatsDrawStandsApartOnceTheWildTileIsKnownOrAsTheDealersFourteenth) {
    struct Case {
        int16_t wild;
        int heldBefore;
        bool apart;
    };
    const Case cases[] = {{kWild, 5, true}, {-1, 13, true}, {-1, 12, false}, {0, 13, true}, {0, 12, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "wild " << k.wild << " held " << k.heldBefore);
        t->table.WildTile = k.wild;
        t->seatInfo[2].ConcealedCount = int16_t(k.heldBefore);
        const int image = t->table.WallFront, slot = 4 + k.heldBefore;
        Draw(2);
        ExpectPlace(image, 842 - slot * 36 - (k.apart ? 10 : 0), 122, 36, 50);
    }
}

TEST_F(ReceiveTilesTest, AReplacementDrawComesFromTheWallBackAndStandsApart) {
    t->table.DrawFromFront = false;
    t->table.WallBack = 60;
    t->seatInfo[3].ConcealedCount = 10;
    Draw(3);
    ExpectPlace(60, 942 - 5 * 15, 560 - 17.5 * 15 - 10, 35, 66);
    EXPECT_EQ(Picture(60), 115);
    EXPECT_EQ(t->seatInfo[3].Slots[14].Image, 60);
    EXPECT_EQ(t->table.WallBack, 61);
    EXPECT_EQ(t->table.WallFront, 96);
    EXPECT_TRUE(t->table.DrawFromFront);
    EXPECT_TRUE(Behind(60));
}

TEST_F(ReceiveTilesTest, TheLeftSeatsDrawLeavesTheOwnWildKongsInFront) {
    t->seatInfo[0].WildKongCount = 2;
    t->table.SingleKongImages[0][4] = 10;
    t->table.SingleKongImages[0][5] = 11;
    t->table.SingleKongImages[0][6] = 12;
    Draw(1);
    EXPECT_TRUE(InFront(11));
    EXPECT_GT(Image(10).zValue(), Image(96).zValue());
    EXPECT_LT(Image(12).zValue(), Image(96).zValue());
}

TEST_F(ReceiveTilesTest, AnOwnDrawWithTheWildTileKnownReseatsTheHandAndSetsTheNewTileApart) {
    t->table.WildTile = kWild;
    HoldOwn({0x81, 0x13, 0x45});
    Image(1).Move(19 + 5 * 48, 554, 48, 78);  // raised under the mouse
    Draw(0, 0x22);
    ExpectPlace(1, 19 + 5 * 48, 564, 48, 78);
    ExpectPlace(96, 19 + 7 * 48 + 24, 564, 48, 78);
    EXPECT_EQ(Picture(96), TilePicture(kOwnHandSet, 0x22));
    EXPECT_EQ(t->seatInfo[0].Slots[5].Tile, 0x13);  // not sorted
    EXPECT_EQ(t->seatInfo[0].Slots[7].Tile, 0x22);
    EXPECT_EQ(t->table.WallFront, 97);
}

TEST_F(ReceiveTilesTest, AnOwnReplacementDrawSortsTheOldTilesThenLaysTheNewOneApartFromTheBack) {
    t->table.WildTile = kWild;
    t->table.DrawFromFront = false;
    t->table.WallBack = 60;
    HoldOwn({0x13, 0x81, 0x45});
    Draw(0, 0x88);
    const std::vector<int16_t> sorted{0x81, 0x45, 0x13, 0x88};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(t->seatInfo[0].Slots[4 + i].Tile, sorted[i]);
    EXPECT_EQ(Picture(0), TilePicture(kOwnHandSet, 0x81));
    ExpectPlace(60, 19 + 7 * 48 + 24, 564, 48, 78);
    EXPECT_EQ(t->seatInfo[0].Slots[7].Image, 60);
    EXPECT_EQ(t->table.WallBack, 61);
    EXPECT_TRUE(t->table.DrawFromFront);
}

TEST_F(ReceiveTilesTest, TheDealEndsWithTheHandShownAsBacksForASecondThenSorted) {
    struct Case {
        bool dealer;
        int heldBefore;
        bool revealed;
    };
    const Case cases[] = {{true, 12, false}, {true, 13, true}, {false, 12, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "dealer " << k.dealer << " held " << k.heldBefore);
        RearmTable(*t);
        t->table.WallFront = 96;
        t->table.WallBack = 94;
        t->seatInfo[0].DealerFlag = k.dealer ? -1 : 0;
        std::vector<int16_t> held;
        for (int i = 0; i < k.heldBefore; ++i) held.push_back(int16_t(i % 2 ? 0x11 + i / 2 : 0x81 + i / 2));
        HoldOwn(held);
        const double sleptBefore = clock->sleptSeconds;
        std::vector<int16_t> picturesWhileAsleep;
        clock->onSleep = [&] {
            for (int i = 0; i <= k.heldBefore; ++i) picturesWhileAsleep.push_back(Picture(i < k.heldBefore ? i : 96));
        };
        Draw(0, 0x22);
        EXPECT_DOUBLE_EQ(clock->sleptSeconds - sleptBefore, k.revealed ? 1.0 : 0.0);
        if (!k.revealed) continue;
        EXPECT_EQ(picturesWhileAsleep, std::vector<int16_t>(k.heldBefore + 1, 7));
        const SeatInfo& own = t->seatInfo[0];
        for (int slot = 4; slot < 4 + own.ConcealedCount; ++slot) {
            if (slot > 4) {
                EXPECT_GE(own.Slots[slot - 1].Tile & 0xF0, own.Slots[slot].Tile & 0xF0);
            }
            EXPECT_EQ(Picture(own.Slots[slot].Image), TilePicture(kOwnHandSet, own.Slots[slot].Tile));
        }
    }
}

TEST_F(ReceiveTilesTest, AWildTileOfZeroNeitherReseatsNorSetsApartNorReveals) {
    t->table.WildTile = 0;
    std::vector<int16_t> held(12, 0x81);
    HoldOwn(held);
    Image(0).Move(19 + 4 * 48, 554, 48, 78);
    Draw(0, 0x22);
    EXPECT_DOUBLE_EQ(Image(0).Top(), 554);
    ExpectPlace(96, 19 + 16 * 48, 564, 48, 78);
    EXPECT_DOUBLE_EQ(clock->sleptSeconds, 0);
}

TEST_F(ReceiveTilesTest, BadValuesAreRunTimeErrors) {
    EXPECT_THROW(ReceiveTiles(*t, 1, 1, {0, 0, 0, 0x2A}), RuntimeError);  // no such tile
    t->seatInfo[2].ConcealedCount = 17;
    EXPECT_THROW(Draw(2), RuntimeError);  // beyond the last slot
    t->seatInfo[0].WildKongCount = 5;
    EXPECT_THROW(Draw(1), RuntimeError);
}
}  // namespace
