// A spectator's one-tile kongs: onto the seat's piles for the Red Dragon and
// the wild tile, else onto its pung of the tile.
#include "watch/WatchFixture.h"
#include "watch/WatchView.h"

namespace {
constexpr int kSingleKong = 64;
constexpr int16_t kWildTile = 0x29;

class WatchSingleKongsTest : public WatchFixture {
protected:
    void SetUp() override {
        WatchFixture::SetUp();
        c.table.WildTile = kWildTile;
    }
    void NextCase() {
        NewHand();
        c.table.WildTile = kWildTile;
    }
    // The seat declares a one-tile kong of `tile` with its last concealed tile.
    int16_t Kong(int seat, int16_t tile) {
        SideShowOperation(c, kSingleKong, kSeatBits[seat], {0, 0, tile});
        const SeatInfo& s = c.seatInfo[seat];
        return Slot(seat, s.MeldEnd - 2).Image;
    }
    // A laid pung of `tile` in the meld group from slot `first`, on images 70 to 72.
    void Pung(int seat, int first, int16_t tile) {
        SeatInfo& s = c.seatInfo[seat];
        for (int k = 0; k < 3; ++k) {
            s.Slots[first + k] = {3, tile, int16_t(70 + k), 0};
            Image(70 + k).Move(500 + 10 * k, 300, 45, 35);
        }
        s.MeldEnd = int16_t(first + 5);
        s.FirstConcealed = int16_t(first + 3);
    }
};

TEST_F(WatchSingleKongsTest, PilesLieOnTheSeatsFirstSlotPlacesEachTileHigherThanTheLast) {
    struct Case {
        int seat;
        int16_t tile;
        Place first;
        bool listed;
    };
    // Red Dragon piles on slot 0's place, wild piles on slot 1's; meld sizes 45 × 56, 45 × 35, 34 × 40, 45 × 35.
    const Case cases[] = {
        {0, 0x15, {19, 564}, true},       {0, kWildTile, {19 + 45 - 2, 564}, true},
        {1, 0x15, {163, 192}, true},      {1, kWildTile, {163 - 5, 192 + 18}, true},
        {2, 0x15, {842, 122}, false},     {2, kWildTile, {842 - 34, 122}, false},
        {3, 0x15, {942 - 10, 560}, true}, {3, kWildTile, {942 - 15, 560 - 18}, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.seat << " " << k.tile);
        Hold(k.seat, {0x11, k.tile, 0x12, k.tile});
        const int16_t first = Kong(k.seat, k.tile);
        const int16_t second = Kong(k.seat, k.tile);
        EXPECT_EQ(PlaceOf(first), k.first);
        EXPECT_EQ(PlaceOf(second), (Place{k.first.left, k.first.top - 18}));
        EXPECT_EQ(PictureOf(second), TilePicture(k.seat, k.tile));
        const SeatInfo& s = c.seatInfo[k.seat];
        const bool red = k.tile == 0x15;
        EXPECT_EQ(red ? s.RedKongCount : s.WildKongCount, 2);
        const int entry = red ? 0 : 4;
        EXPECT_EQ(c.table.SingleKongImages[k.seat][entry], k.listed ? first : 0);
        EXPECT_EQ(c.table.SingleKongImages[k.seat][entry + 1], k.listed ? second : 0);
        EXPECT_EQ(Slot(k.seat, 0).Image, red ? first : -1);
        EXPECT_EQ(s.ConcealedCount, 2);
        EXPECT_EQ(s.MeldEnd, k.seat == 0 ? 3 : 4);
        EXPECT_FALSE(c.table.DrawFromFront);
        NextCase();
    }
}

TEST_F(WatchSingleKongsTest, TheWatchedSeatsKongTileIsTakenByItsCode) {
    Hold(0, {kWildTile, 0x11, 0x12});
    const int16_t image = Kong(0, kWildTile);
    EXPECT_EQ(image, 100);
    EXPECT_EQ(Slot(0, 1).Tile, kWildTile);
    EXPECT_EQ(Slot(0, 4).Tile, 0x12);
    EXPECT_EQ(Slot(0, 5).Tile, 0x11);
    EXPECT_EQ(Image(image).Width(), 45);
    EXPECT_EQ(Image(image).Height(), 56);
}

TEST_F(WatchSingleKongsTest, AnyOtherTileGoesOntoTheMiddleTileOfTheSeatsPung) {
    struct Case {
        const char* name;
        int seat, pungSlot;
        Place expected;
    };
    const Case cases[] = {
        {"watched seat, its only group", 0, 1, {19 + 2 * 43, 564 - 18}},
        {"left seat, first group", 1, 2, {163 - 15, 192 + 3 * 18 - 17}},
        {"opposite seat, second group", 2, 5, {842 - 6 * 34, 122 - 18}},
        // The right seat's tile keeps the middle tile's Left (image 71 at 510).
        {"right seat, second group", 3, 5, {510, 560 - 6 * 18 - 17}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Pung(k.seat, k.pungSlot, 0x25);
        if (k.seat == 0) Image(71).Move(19 + 2 * 43, 564);
        Hold(k.seat, {0x11, 0x25});
        const int16_t image = Kong(k.seat, 0x25);
        EXPECT_EQ(PlaceOf(image), k.expected);
        EXPECT_EQ(PictureOf(image), TilePicture(k.seat, 0x25));
        EXPECT_TRUE(InFrontOfAll(Image(image)) || k.seat == 1 || k.seat == 3);
        NextCase();
    }
}

TEST_F(WatchSingleKongsTest, ATileWithoutAPungStaysAtTheRowsEndAsABackAtTheMeldSize) {
    Pung(2, 2, 0x26);
    Hold(2, {0x11, 0x25});
    const Place before = PlaceOf(101);
    const int16_t image = Kong(2, 0x25);
    EXPECT_EQ(image, 101);
    EXPECT_EQ(PlaceOf(image), before);
    EXPECT_EQ(PictureOf(image), BackPicture(2));
    EXPECT_EQ(Image(image).Width(), 34);
    EXPECT_EQ(c.seatInfo[2].ConcealedCount, 1);
}

TEST_F(WatchSingleKongsTest, AWildRedDragonGoesOntoTheRedDragonPile) {
    c.table.WildTile = 0x15;
    Hold(3, {0x15});
    Kong(3, 0x15);
    EXPECT_EQ(c.seatInfo[3].RedKongCount, 1);
    EXPECT_EQ(c.seatInfo[3].WildKongCount, 0);
}

TEST_F(WatchSingleKongsTest, TheLeftSeatsPilesAreRestackedAfterItsKong) {
    // Two wild tiles, then three Red Dragons: the Red Dragons beyond the wild pile's height end in front.
    Hold(1, {kWildTile, kWildTile, 0x15, 0x15, 0x15});
    for (int16_t tile : std::array<int16_t, 5>{0x15, 0x15, 0x15, kWildTile, kWildTile}) Kong(1, tile);
    const auto& piles = c.table.SingleKongImages[1];
    EXPECT_TRUE(InFrontOfAll(Image(piles[2])));
    EXPECT_LT(Image(piles[0]).zValue(), Image(piles[5]).zValue());
    EXPECT_LT(Image(piles[1]).zValue(), Image(piles[5]).zValue());
    EXPECT_GT(Image(piles[5]).zValue(), Image(piles[4]).zValue());
}
}  // namespace
