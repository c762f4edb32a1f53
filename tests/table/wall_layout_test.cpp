#include "table/WallLayout.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {
const QSize kLargeScreen(1024, 768);
const QSize kSmallScreen(800, 600);  // scale 0.78125

struct LoadedTable {
    explicit LoadedTable(QSize screen) : t(TestClient::DefaultCommandLine(), screen) {
        EXPECT_EQ(t.Load(), std::nullopt);
    }
    MainForm& form() { return *t->mainForm; }
    ImageControl& tile(int index) { return *form().MJ_Image.at(index); }
    TestClient t;
};

struct TilePlace {
    int image;
    double left, top, width, height;
};

TEST(WallLayout, PlacesTheStacksOfEachWallAtBothScreenSizes) {
    const std::pair<QSize, std::vector<TilePlace>> screens[] = {
        {kLargeScreen,
         {
             {0, 809, 476, 36, 50},  {1, 809, 498, 36, 50},  {2, 773, 476, 36, 50},  {32, 233, 476, 36, 50},
             {33, 233, 498, 36, 50}, {34, 164, 476, 48, 35}, {35, 164, 496, 48, 35}, {36, 168, 461, 48, 35},
             {66, 228, 236, 48, 35}, {67, 228, 256, 48, 35}, {68, 236, 192, 30, 36}, {69, 236, 208, 30, 36},
             {70, 266, 192, 30, 36}, {100, 716, 192, 30, 36}, {102, 748, 192, 48, 35}, {103, 748, 212, 48, 35},
             {104, 752, 207, 48, 35}, {134, 812, 432, 48, 35}, {135, 812, 452, 48, 35},
         }},
        {kSmallScreen,
         {
             {0, 632.03125, 371.875, 28, 39},  {1, 632.03125, 389.0625, 28, 39}, {32, 184.03125, 371.875, 28, 39},
             {34, 128.125, 371.875, 38, 27},   {35, 128.125, 387.5, 38, 27},     {66, 178.125, 184.375, 38, 27},
             {68, 184.375, 150, 23, 28},       {69, 184.375, 162.5, 23, 28},     {100, 552.375, 150, 23, 28},
             {102, 584.375, 150, 38, 27},      {103, 584.375, 165.625, 38, 27},  {134, 634.375, 337.5, 38, 27},
             {135, 634.375, 353.125, 38, 27},
         }},
    };
    for (const auto& [screen, places] : screens) {
        LoadedTable table(screen);
        LayoutWall(*table.t);
        LayoutWall(*table.t);  // a second layout starts again from the design places
        for (const TilePlace& p : places) {
            const ImageControl& tile = table.tile(p.image);
            SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << " image " << p.image);
            EXPECT_DOUBLE_EQ(tile.Left(), p.left);
            EXPECT_DOUBLE_EQ(tile.Top(), p.top);
            EXPECT_EQ(tile.Width(), p.width);
            EXPECT_EQ(tile.Height(), p.height);
        }
    }
}

TEST(WallLayout, SetsTileSizesAndSeatAnchorsRoundingHalvesToEven) {
    struct Expected {
        QSize screen;
        std::array<int16_t, 4> widths, heights;
        // Per seat: discard anchor x, y, then hand anchor x, y.
        std::array<std::array<int16_t, 4>, 4> anchors;
    } cases[] = {
        {kLargeScreen,
         {36, 48, 30, 48},
         {50, 35, 36, 35},
         {{{358, 438, 19, 564}, {287, 238, 163, 192}, {635, 238, 842, 122}, {758, 438, 942, 560}}}},
        // 48 × 0.78125 = 37.5 -> 38 and 560 × 0.78125 = 437.5 -> 438, the even neighbours.
        {kSmallScreen,
         {28, 38, 23, 38},
         {39, 27, 28, 27},
         {{{280, 342, 15, 441}, {224, 186, 127, 150}, {496, 186, 658, 95}, {592, 342, 736, 438}}}},
    };
    for (const Expected& e : cases) {
        LoadedTable table(e.screen);
        for (SeatInfo& seat : table.t->seatInfo) seat.DiscardX = seat.DiscardY = 999;  // moved on by discards
        LayoutWall(*table.t);
        SCOPED_TRACE(e.screen.width());
        EXPECT_EQ(table.t->table.TileWidth, e.widths);
        EXPECT_EQ(table.t->table.TileHeight, e.heights);
        for (int s = 0; s < 4; ++s) {
            const SeatInfo& seat = table.t->seatInfo[s];
            const std::array<int16_t, 4> discard{seat.DiscardX, seat.DiscardY, seat.HandX, seat.HandY};
            EXPECT_EQ(discard, e.anchors[s]) << "seat " << s;
            EXPECT_EQ(seat.DiscardRowX, seat.DiscardX) << "seat " << s;
            EXPECT_EQ(seat.DiscardRowY, seat.DiscardY) << "seat " << s;
        }
    }
}

// Ranks every control of the table surface by the order it is drawn in, 0 the lowest.
std::map<const QGraphicsItem*, int> DrawingRanks(QGraphicsScene& scene) {
    std::map<const QGraphicsItem*, int> ranks;
    int rank = 0;
    for (const QGraphicsItem* item : scene.items(Qt::AscendingOrder)) ranks[item] = rank++;
    return ranks;
}

class WallStacking : public testing::Test {
protected:
    void SetUp() override {
        LayoutWall(*table.t);
        LayoutWall(*table.t);
        ranks = DrawingRanks(table.form().scene);
    }
    int rank(int image) { return ranks.at(&table.tile(image)); }
    int upper(int wall, int stack) { return rank(34 * wall + 2 * stack); }
    int lower(int wall, int stack) { return rank(34 * wall + 2 * stack + 1); }
    int highestOfWall(int wall) {
        int highest = -1;
        for (int i = 0; i < 34; ++i) highest = std::max(highest, rank(34 * wall + i));
        return highest;
    }

    LoadedTable table{kLargeScreen};
    std::map<const QGraphicsItem*, int> ranks;
};

TEST_F(WallStacking, UpperTileCoversTheLowerInEveryStack) {
    for (int wall = 0; wall < 4; ++wall)
        for (int stack = 0; stack < 17; ++stack)
            EXPECT_GT(upper(wall, stack), lower(wall, stack)) << "wall " << wall << " stack " << stack;
}

TEST_F(WallStacking, SideWallStacksLowerOnTheScreenLieInFront) {
    for (int stack = 0; stack < 16; ++stack) {
        // The left wall climbs the screen, the right wall runs down it.
        EXPECT_GT(std::min(upper(1, stack), lower(1, stack)), std::max(upper(1, stack + 1), lower(1, stack + 1)))
            << "left wall stack " << stack;
        EXPECT_GT(std::min(upper(3, stack + 1), lower(3, stack + 1)), std::max(upper(3, stack), lower(3, stack)))
            << "right wall stack " << stack;
    }
}

TEST_F(WallStacking, WallsOverlapEachOtherAsTheTableShowsThem) {
    int lowestLeft = 1 << 30;
    for (int i = 34; i < 68; ++i) lowestLeft = std::min(lowestLeft, rank(i));
    for (int wall : {0, 2, 3}) EXPECT_GT(lowestLeft, highestOfWall(wall)) << "wall " << wall;
    EXPECT_GT(rank(0), highestOfWall(3));
    EXPECT_GT(rank(2), highestOfWall(3));
}

TEST_F(WallStacking, WallTilesLieAboveOtherControlsAndBottomAndTopLowerTilesBelowThem) {
    std::set<const QGraphicsItem*> wall;
    for (auto* tile : table.form().MJ_Image) wall.insert(tile);
    int highestOther = -1, lowestOther = 1 << 30;
    for (const auto& [item, rank] : ranks)
        if (!wall.count(item)) {
            highestOther = std::max(highestOther, rank);
            lowestOther = std::min(lowestOther, rank);
        }
    // The top wall's first upper tile keeps the place the start-up gave it.
    for (int stack = 0; stack < 17; ++stack)
        for (int w = 0; w < 4; ++w)
            if (w != 2 || stack != 0) {
                EXPECT_GT(upper(w, stack), highestOther) << "wall " << w << " stack " << stack;
            }
    for (int stack = 1; stack < 17; ++stack) {
        EXPECT_LT(lower(0, stack), lowestOther) << "bottom wall stack " << stack;
        EXPECT_LT(lower(2, stack), lowestOther) << "top wall stack " << stack;
        EXPECT_LT(lower(0, stack), rank(1));
    }
}

TEST(WallLayout, HidesEveryPieceOfAHand) {
    LoadedTable table(kLargeScreen);
    MainForm& f = table.form();
    std::vector<QGraphicsItem*> pieces{f.Time_Img, f.Number, f.ZhiNan, f.Host, f.Zhuang, f.Words};
    for (const auto* array : {&f.MJ_Image, &f.Operation, &f.Speak, &f.Chi, &f.Gang})
        pieces.insert(pieces.end(), array->begin(), array->end());
    for (auto* piece : pieces) piece->setVisible(true);
    table.t->Talk().show();

    LayoutWall(*table.t);

    for (size_t i = 0; i < pieces.size(); ++i) EXPECT_FALSE(pieces[i]->isVisible()) << "piece " << i;
    EXPECT_FALSE(table.t->Talk().isVisible());
}

class ClearTableTest : public testing::Test {
protected:
    void SetUp() override {
        LayoutWall(*table.t);
        TableState& s = table.t->table;
        s.LastDiscardImage = 40;
        s.PrevBlinkImage = 41;
        s.TileWidth.fill(99);
        for (int i = 0; i < 136; ++i) {
            table.tile(i).SetPicture(QPixmap(8, 8));
            table.tile(i).setVisible(true);
            s.TileImagePictures[i] = 8;
        }
        for (SeatInfo& seat : table.t->seatInfo)
            for (int i = 0; i < 21; ++i) seat.Slots[i] = {1, 0x25, int16_t(i), 7};
        for (auto* button : table.form().Operation) button->setVisible(true);
        for (auto& marked : s.RevealedMarked) marked.fill(0x15);
        for (auto& kinds : s.KongLogKinds) kinds.fill(3);
        s.KongLogTiles.fill(0x17);
        s.KongLogCount = 5;
        s.SeatNames.fill(QStringLiteral("name"));
        table.form().Jokro_Image->setVisible(true);
        table.form().Zhuang->SetCaption(QStringLiteral("東"));
    }
    LoadedTable table{kSmallScreen};
};

TEST_F(ClearTableTest, EmptiesTheTableOfTheLastHand) {
    const double leftBefore = table.tile(70).Left();
    ClearTable(*table.t);
    const TableState& s = table.t->table;
    EXPECT_EQ(s.LastDiscardImage, -1);
    EXPECT_EQ(s.PrevBlinkImage, -1);
    EXPECT_EQ(s.TileWidth, (std::array<int16_t, 4>{28, 38, 23, 38}));
    for (int i = 0; i < 136; ++i) {
        EXPECT_FALSE(table.tile(i).isVisible()) << i;
        EXPECT_TRUE(table.tile(i).Picture().isNull()) << i;
        EXPECT_EQ(s.TileImagePictures[i], -1) << i;
    }
    EXPECT_EQ(table.tile(70).Left(), leftBefore);
    for (const SeatInfo& seat : table.t->seatInfo)
        for (int i = 0; i < 21; ++i) {
            // Only the tile code goes; flag and image wait for the state resets.
            EXPECT_EQ(seat.Slots[i].Tile, 0);
            EXPECT_EQ(seat.Slots[i].Flag, 1);
            EXPECT_EQ(seat.Slots[i].Image, i);
            EXPECT_EQ(seat.Slots[i].Mark, 7);
        }
    for (const auto* button : table.form().Operation) {
        EXPECT_FALSE(button->isVisible());
        EXPECT_FALSE(button->isEnabled());
    }
    for (const auto& marked : s.RevealedMarked) EXPECT_EQ(marked, (std::array<int16_t, 21>{}));
    for (const auto& kinds : s.KongLogKinds) EXPECT_EQ(kinds, (std::array<int16_t, 4>{}));
    EXPECT_EQ(s.KongLogTiles, (std::array<int16_t, 16>{}));
    EXPECT_EQ(s.KongLogCount, 0);
    for (const QString& name : s.SeatNames) EXPECT_TRUE(name.isEmpty());
    EXPECT_FALSE(table.form().Jokro_Image->isVisible());
}

TEST_F(ClearTableTest, OnlyASpectatorKeepsTheDealersWind) {
    for (const bool spectator : {false, true}) {
        table.form().Zhuang->SetCaption(QStringLiteral("東"));
        table.t->table.SpectatorMode = spectator;
        ClearTable(*table.t);
        EXPECT_EQ(table.form().Zhuang->Caption(), spectator ? QStringLiteral("東") : QString()) << spectator;
    }
}
}  // namespace
