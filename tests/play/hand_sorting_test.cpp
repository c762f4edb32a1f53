#include "play/HandSorting.h"
#include "wire/LobbyWindowLink.h"
#include "messages/ServerMessageDispatch.h"
#include "table/TilePictures.h"
#include "support/TestClient.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int16_t kWild = 0x11;
constexpr uint32_t kSysCommand = 0x112;

TEST(SortTileArray, OrdersBySuitDescendingThenRankAndIgnoresMarkerBits) {
    TestClient t;
    const std::vector<std::pair<std::vector<int16_t>, std::vector<int16_t>>> cases{
        {{0x13, 0x81, 0x45, 0x81, 0x22}, {0x81, 0x81, 0x45, 0x22, 0x13}},
        {{0x17, 0x11, 0x15, 0x14}, {0x11, 0x14, 0x15, 0x17}},  // honours: 東 北 中 白
        {{0x113, 0x89}, {0x89, 0x113}},                       // a marker does not move a tile
        {{0x181, 0x81, 0x281}, {0x181, 0x81, 0x281}},         // equal tiles keep their order
        {{0x29, 0x21, 0x25}, {0x21, 0x25, 0x29}},
    };
    for (auto [tiles, sorted] : cases) {
        SortTileArray(*t, tiles, int(tiles.size()));
        EXPECT_EQ(tiles, sorted);
    }
}

TEST(SortTileArray, AnEmptyCountLeavesTheListAndACountBeyondItEndsTheClient) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    std::vector<int16_t> tiles{0x13, 0x81};
    SortTileArray(*t, tiles, 0);
    EXPECT_EQ(tiles, (std::vector<int16_t>{0x13, 0x81}));
    EXPECT_THROW(SortTileArray(*t, tiles, 3), ProgramEnded);
    EXPECT_EQ(t.lobby->MessagesTo(QStringLiteral("Jokro山庄")).back(), kSysCommand);
}

class SortHandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        RearmTable(*t);
    }
    // Puts the tiles in a seat's concealed run on images 20, 21, ... with no picture yet.
    void Hold(int seat, const std::vector<int16_t>& tiles) {
        SeatInfo& s = t->seatInfo[seat];
        for (int i = 0; i < int(tiles.size()); ++i) {
            s.Slots[4 + i] = {1, tiles[i], int16_t(20 + i), 0};
            t->table.TileImagePictures[20 + i] = -1;
        }
        s.ConcealedCount = int16_t(tiles.size());
    }
    std::vector<int16_t> Tiles(int seat, int n) {
        std::vector<int16_t> tiles;
        for (int i = 0; i < n; ++i) tiles.push_back(t->seatInfo[seat].Slots[4 + i].Tile);
        return tiles;
    }
    std::vector<int16_t> Pictures(int n) {
        return {t->table.TileImagePictures.begin() + 20, t->table.TileImagePictures.begin() + 20 + n};
    }
    std::vector<int16_t> Faces(int set, const std::vector<int16_t>& tiles) {
        std::vector<int16_t> faces;
        for (int16_t tile : tiles) faces.push_back(TilePicture(set, tile));
        return faces;
    }

    TestClient t;
};

TEST_F(SortHandTest, MovesOnlyTheTilesAndRedrawsTheOwnHandWholeWhileNoWildTileIsKnown) {
    Hold(0, {0x13, 0x81, 0x45, 0x81, 0x22});
    SortHand(*t, 0, 5);
    const std::vector<int16_t> sorted{0x81, 0x81, 0x45, 0x22, 0x13};
    EXPECT_EQ(Tiles(0, 5), sorted);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(t->seatInfo[0].Slots[4 + i].Image, 20 + i);
    EXPECT_EQ(Pictures(5), Faces(kOwnHandSet, sorted));
}

TEST_F(SortHandTest, OnceTheWildTileIsKnownOnlyTheOwnSlotsThatChangedAreRedrawn) {
    t->table.WildTile = kWild;
    Hold(0, {0x81, 0x45, 0x22, 0x13});
    SortHand(*t, 0, 4);
    EXPECT_EQ(Pictures(4), std::vector<int16_t>(4, -1));

    Hold(0, {0x81, 0x22, 0x45, 0x13});
    SortHand(*t, 0, 4);
    EXPECT_EQ(Pictures(4), (std::vector<int16_t>{-1, TilePicture(kOwnHandSet, 0x45), TilePicture(kOwnHandSet, 0x22), -1}));
}

TEST_F(SortHandTest, AnotherSeatsHandIsRedrawnWholeInItsOwnDirection) {
    t->table.WildTile = kWild;
    Hold(2, {0x81, 0x45, 0x13});
    SortHand(*t, 2, 3);
    EXPECT_EQ(Pictures(3), Faces(2, {0x81, 0x45, 0x13}));
}

TEST_F(SortHandTest, NoTileOrOneTileIsNeverExchangedAndOneIsRedrawnWhenDue) {
    Hold(0, {0x13, 0x81});
    SortHand(*t, 0, 0);
    EXPECT_EQ(Pictures(2), std::vector<int16_t>(2, -1));
    SortHand(*t, 0, 1);
    EXPECT_EQ(Tiles(0, 2), (std::vector<int16_t>{0x13, 0x81}));
    EXPECT_EQ(Pictures(2), (std::vector<int16_t>{TilePicture(kOwnHandSet, 0x13), -1}));
}
}  // namespace
