#include "AllSeatsFixture.h"
#include "wire/General.h"
#include "play/MouseDiscard.h"
#include "table/TilePictures.h"
#include "shared/RuntimeError.h"
#include "support/TableChecks.h"
#include <map>
#include <vector>

namespace {
constexpr int kIndicator = 120;
const std::array<int16_t, 5> kNamed{0x81, 0x25, 0x13, 0x47, 0x89};

class TilesAfterWinTest : public AllSeatsFixture {
protected:
    void Prepare() override {
        c().connection.LoggedIn = true;
        c().table.WinnerSeat = 2;
    }

    // The server names `count` tiles with the wall back and front given.
    void Name(int wallBack, int wallFront, int count) {
        TableState& t = c().table;
        t.WallBack = int16_t(wallBack);
        t.WallFront = int16_t(wallFront);
        t.RevealCount = int16_t(count);
        for (int i = 0; i < 5; ++i) t.RevealTiles[size_t(i)] = i < count ? kNamed[size_t(i)] : 0;
        t.RevealImages[0] = int16_t(wallBack);
        t.RevealImages[1] = int16_t(wallBack % 2 == 0 ? (wallBack + 1) % 136 : (wallBack + 133) % 136);
        for (int i = 2; i < count; ++i) t.RevealImages[size_t(i)] = int16_t((wallFront + i - 2) % 136);
    }

    void Click(int index, int button = kLeftButton) { MainForm_MJ_Image_MouseDown(c(), index, button, 0, 0, 0); }

    QPointF place(int index) { return image(index).pos(); }
    std::vector<QPointF> Places() {
        std::vector<QPointF> places;
        for (int i = 0; i < 136; ++i) places.push_back(place(i));
        return places;
    }
    std::vector<int16_t> Pictures() { return {c().table.TileImagePictures.begin(), c().table.TileImagePictures.end()}; }

    void ExpectInCentreRow(int index, int entry, double scale = 1.0) {
        SCOPED_TRACE(testing::Message() << "image " << index << ", entry " << entry);
        EXPECT_EQ(picture(index), TilePicture(0, kNamed[size_t(entry)]));
        EXPECT_DOUBLE_EQ(image(index).Left(), (400 + 45 * entry) * scale);
        EXPECT_DOUBLE_EQ(image(index).Top(), 340 * scale);
        EXPECT_DOUBLE_EQ(image(index).Width(), 45 * scale);
        EXPECT_DOUBLE_EQ(image(index).Height(), 60 * scale);
        EXPECT_EQ(c().table.RevealImages[size_t(entry)], -1);
    }
};

TEST_F(TilesAfterWinTest, NothingTurnsUpBeforeAWinOrWhileTheTimeOutMoveIsMade) {
    for (int state : {0, 1}) {
        SCOPED_TRACE(state);
        Start();
        if (state == 0) {
            c().table.WinnerSeat = -1;
        } else {
            c().table.PromptState = 3;
        }
        c().table.IndicatorImage = kIndicator;
        c().table.KongDiscardImages[0] = 60;
        c().table.KongDiscardTiles[0] = 0x15;
        c().table.KongDiscardSeats[0] = 1;
        c().table.KongDiscardCount = 1;
        Name(40, 96, 5);
        const auto places = Places();
        const auto pictures = Pictures();
        for (int index : {60, 40, 41, 96, 97}) Click(index);
        EXPECT_EQ(Places(), places);
        EXPECT_EQ(Pictures(), pictures);
        EXPECT_EQ(c().table.KongDiscardImages[0], 60);
        EXPECT_EQ(c().table.RevealImages, (std::array<int16_t, 5>{40, 41, 96, 97, 98}));
    }
}

TEST_F(TilesAfterWinTest, AConcealedKongsTileTurnsUpOnceInItsSeatsDirectionWhereItLies) {
    TableState& t = c().table;
    t.KongDiscardImages = {70, 71, 72};
    t.KongDiscardTiles = {0x21, 0x15, 0x86};
    t.KongDiscardSeats = {1, 3, 2};
    t.KongDiscardCount = 3;
    // The same image also named as a wall tile: the kong is looked at first.
    Name(40, 71, 3);
    const auto places = Places();
    Click(71, kRightButton);
    EXPECT_EQ(picture(71), TilePicture(3, 0x15));
    EXPECT_EQ(t.KongDiscardImages, (std::array<int16_t, 16>{70, -1, 72}));
    EXPECT_EQ(t.RevealImages[2], 71);
    EXPECT_EQ(Places(), places);

    t.KongDiscardTiles[1] = 0x16;
    Click(72);
    Click(71);
    EXPECT_EQ(picture(72), TilePicture(2, 0x86));
    EXPECT_EQ(t.KongDiscardImages, (std::array<int16_t, 16>{70, -1, -1}));
    EXPECT_NE(picture(71), TilePicture(3, 0x16)) << "a kong tile turns up once";
    ExpectInCentreRow(71, 2);
}

TEST_F(TilesAfterWinTest, EveryNamedTileStandsAtItsEntrysPlaceInTheCentreRowWhateverTheOrder) {
    for (double scale : {1.0, 0.78125}) {
        SCOPED_TRACE(scale);
        Start();
        c().table.ScaleX = c().table.ScaleY = scale;
        Name(41, 96, 5);
        for (int index : {98, 41, 96, 38, 97}) Click(index, index == 38 ? kMiddleButton : kLeftButton);
        ExpectInCentreRow(41, 0, scale);
        ExpectInCentreRow(38, 1, scale);
        for (int i = 2; i < 5; ++i) ExpectInCentreRow(94 + i, i, scale);
        const auto places = Places();
        Click(97);
        EXPECT_EQ(Places(), places) << "a tile turned up stays where it is";
    }
}

TEST_F(TilesAfterWinTest, TheWallClosesUpUnderTheTilesThatStay) {
    struct Case {
        const char* name;
        int wallBack, wallFront, count;
        int indicator;
        std::vector<int> clicks;
        // Moved image -> the position whose place (before the clicks) it takes.
        std::map<int, int> moved;
        std::vector<int> sentBack;
    };
    const Case cases[] = {
        {"lower front tile drops its upper one", 10, 50, 4, kIndicator, {51}, {{50, 51}}, {}},
        {"upper front tile first moves nothing", 10, 50, 4, kIndicator, {50, 51}, {}, {}},
        {"the lower tile at the wall front moves nothing", 10, 51, 4, kIndicator, {51}, {}, {}},
        {"on the top wall the dropped tile goes behind", 10, 70, 4, kIndicator, {71}, {{70, 71}}, {70}},
        {"odd wall back: its tile gives way to the indicator", 41, 96, 2, kIndicator, {41}, {{kIndicator, 41}}, {}},
        {"odd wall back: the even replacement moves nothing", 41, 96, 2, kIndicator, {38}, {}, {}},
        {"odd wall back on the top wall", 81, 96, 2, kIndicator, {81}, {{kIndicator, 81}}, {kIndicator}},
        {"even wall back: its upper tile gives way to the indicator", 80, 96, 2, kIndicator, {80}, {{kIndicator, 80}}, {}},
        {"even wall back: the lower tile first", 40, 96, 2, kIndicator, {41}, {{kIndicator, 40}, {40, 41}}, {}},
        {"even wall back: the lower then the upper tile", 40, 96, 5, kIndicator, {41, 40}, {{kIndicator, 41}}, {}},
        {"even wall back on the top wall: the lower tile first", 80, 96, 2, kIndicator, {81}, {{kIndicator, 80}, {80, 81}}, {80}},
        {"even wall back on the top wall: the upper then the lower", 80, 96, 2, kIndicator, {80, 81}, {{kIndicator, 81}}, {kIndicator}},
        // No indicator was laid this hand: nothing stands in for it.
        {"no indicator: the upper tile leaves a gap", 40, 96, 2, -1, {40}, {}, {}},
        {"no indicator: the lower tile still drops the upper", 40, 96, 2, -1, {41}, {{40, 41}}, {}},
        {"no indicator on an odd wall back", 41, 96, 2, -1, {41}, {}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Start();
        c().table.IndicatorImage = int16_t(k.indicator);
        Name(k.wallBack, k.wallFront, k.count);
        const auto places = Places();
        std::array<double, 136> depth{};
        for (int i = 0; i < 136; ++i) depth[size_t(i)] = image(i).zValue();
        for (int index : k.clicks) Click(index);

        for (int i = 0; i < 136; ++i) {
            if (std::find(k.clicks.begin(), k.clicks.end(), i) != k.clicks.end()) continue;
            const auto move = k.moved.find(i);
            EXPECT_EQ(place(i), places[size_t(move == k.moved.end() ? i : move->second)]) << "image " << i;
            const bool back = std::find(k.sentBack.begin(), k.sentBack.end(), i) != k.sentBack.end();
            if (back) {
                EXPECT_TRUE(BehindAll(image(i))) << "image " << i;
            } else {
                EXPECT_EQ(image(i).zValue(), depth[size_t(i)]) << "image " << i;
            }
        }
    }
}

TEST_F(TilesAfterWinTest, ABadNamedTileCodeIsARunTimeErrorThatMovesNothing) {
    for (int16_t bad : {0x00, 0x18, 0x2A}) {
        SCOPED_TRACE(bad);
        Start();
        c().table.IndicatorImage = kIndicator;
        Name(40, 96, 2);
        c().table.RevealTiles[1] = bad;
        const auto places = Places();
        EXPECT_THROW(Click(41), RuntimeError);
        EXPECT_EQ(Places(), places);
        EXPECT_EQ(c().table.RevealImages[1], 41);
    }
}
}  // namespace
