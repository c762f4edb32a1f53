#include "wire/General.h"
#include "table/TileAccess.h"
#include "play/ClaimAnnouncements.h"
#include "table/TilePictures.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <optional>

namespace {
constexpr uint8_t kOwnBit = 1;
constexpr int16_t kDiscardImage = 120;

// The own seat's claims as the server confirms them, with the meld slots
// filled as the own answer fills them.
class OwnMeldsTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void Start(QSize screen = {1024, 768}) {
        t.emplace(TestClient::DefaultCommandLine(), screen);
        ASSERT_EQ(t->Load(), std::nullopt);
        c().seatInfo[0].SeatBit = kOwnBit;
        LayoutWall(c());
        ResetHandState(c());
    }
    Client& c() { return **t; }
    SeatInfo& own() { return c().seatInfo[0]; }
    ImageControl& image(int index) { return *c().mainForm->MJ_Image.at(index); }
    int16_t picture(int index) { return c().table.TileImagePictures[index]; }

    // The own concealed run from slot 4 at HandX + 48 × slot; tile k shows image 10 + k.
    void DealHand(const std::vector<int16_t>& tiles) {
        for (size_t k = 0; k < tiles.size(); ++k) {
            const int slot = int(4 + k);
            const auto index = int16_t(10 + k);
            own().Slots[slot] = {1, tiles[k], index, 0};
            image(index).Move(own().HandX + 48 * slot, own().HandY, 48, 78);
            ShowTileImage(c(), index, TilePicture(kOwnHandSet, tiles[k]));
        }
        own().ConcealedCount = int16_t(tiles.size());
    }
    // The images of the concealed run, in slot order.
    std::vector<int16_t> RunImages() {
        std::vector<int16_t> images;
        for (int k = own().FirstConcealed; k < own().FirstConcealed + own().ConcealedCount; ++k)
            images.push_back(own().Slots[k].Image);
        return images;
    }
    // Every concealed image stands in its slot's place of a row at HandX + 48 × slot.
    void ExpectRunInPlace() {
        for (int k = own().FirstConcealed; k < own().FirstConcealed + own().ConcealedCount; ++k) {
            SCOPED_TRACE(k);
            EXPECT_DOUBLE_EQ(image(own().Slots[k].Image).Left(), own().HandX + 48 * k);
        }
    }
    // The answer's copies: meld slots from own slots, the last one the claimed discard.
    void FillMeld(std::vector<int> fromSlots, int16_t claimedTile) {
        const int first = own().MeldEnd - 2;
        for (size_t j = 0; j < fromSlots.size(); ++j) own().Slots[first + j] = own().Slots[fromSlots[j]];
        if (fromSlots.size() < 3) {
            own().Slots[own().MeldEnd] = {3, claimedTile, kDiscardImage, 0};
            c().table.LastDiscardImage = kDiscardImage;
            c().table.LastDiscardTile = claimedTile;
        }
    }
    void Announce(int op, std::array<int16_t, 3> tiles) { ShowOperation(c(), int16_t(op), kOwnBit, tiles); }

    std::optional<TestClient> t;
};

TEST_F(OwnMeldsTest, FourPungsFillTheMeldRowAtTheirPlaces) {
    DealHand({0x21, 0x21, 0x22, 0x22, 0x23, 0x23, 0x24, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29});
    const std::array<std::array<double, 3>, 4> lefts{{{105, 148, 191}, {234, 277, 320}, {363, 406, 449}, {492, 535, 578}}};
    for (int meld = 0; meld < 4; ++meld) {
        SCOPED_TRACE(meld);
        const auto tile = int16_t(0x21 + meld);
        const int f = own().FirstConcealed;
        FillMeld({f, f + 1}, tile);
        own().Slots[own().MeldEnd].Image = int16_t(kDiscardImage + meld);
        c().table.LastDiscardImage = int16_t(kDiscardImage + meld);
        const int first = own().MeldEnd - 2;
        Announce(8, {tile, tile, tile});
        for (int j = 0; j < 3; ++j) {
            const ImageControl& tileImage = image(own().Slots[first + j].Image);
            EXPECT_DOUBLE_EQ(tileImage.Left(), lefts[meld][j]);
            EXPECT_DOUBLE_EQ(tileImage.Top(), own().HandY);
            EXPECT_EQ(tileImage.Width(), 45);
            EXPECT_EQ(tileImage.Height(), 60);
            EXPECT_EQ(picture(own().Slots[first + j].Image), TilePicture(0, tile));
        }
        EXPECT_EQ(own().FirstConcealed, 7 + 3 * meld);
        EXPECT_EQ(own().MeldEnd, 6 + 3 * meld);
        EXPECT_EQ(own().ConcealedCount, 11 - 2 * meld);
        // The pair was the run's first two tiles: the rest moves one slot right.
        EXPECT_EQ(own().Slots[own().FirstConcealed].Tile, 0x22 + meld);
        ExpectRunInPlace();
    }
    EXPECT_EQ(c().table.TileWidth[0], 48);
    EXPECT_EQ(c().table.TileHeight[0], 78);
}

TEST_F(OwnMeldsTest, ChowClosesUpTheRunAroundItsTwoTiles) {
    const std::vector<int16_t> hand{0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x41, 0x42, 0x43, 0x44};
    struct Case {
        int slotA, slotB;
        std::vector<int16_t> runAfter;  // images
    };
    const Case cases[] = {
        {6, 8, {10, 11, 13, 15, 16, 17, 18, 19, 20, 21, 22}},
        {6, 7, {10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 22}},  // neighbours
        {4, 6, {11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}},  // the run's first tile
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.slotA << "," << test.slotB);
        Start();
        DealHand(hand);
        FillMeld({test.slotA, test.slotB}, 0x45);
        c().play.ChowChoices = {int16_t(test.slotA), int16_t(test.slotB)};
        // Drawn in the order the message gives, not from the slots.
        Announce(4, {0x45, 0x43, 0x44});
        EXPECT_EQ(picture(own().Slots[1].Image), TilePicture(0, 0x45));
        EXPECT_EQ(picture(own().Slots[2].Image), TilePicture(0, 0x43));
        EXPECT_EQ(picture(kDiscardImage), TilePicture(0, 0x44));
        EXPECT_EQ(RunImages(), test.runAfter);
        ExpectRunInPlace();
    }
}

TEST_F(OwnMeldsTest, KongOnADiscardOfTheFirstTilesLeavesTheRunStanding) {
    DealHand({0x23, 0x23, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x41, 0x42, 0x43, 0x44});
    FillMeld({4, 5, 6}, 0);
    c().table.LastDiscardImage = kDiscardImage;
    c().play.KongChoices[0] = 4;
    const double handY = own().HandY;
    Announce(16, {0, 0, 0x23});
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(picture(own().Slots[slot].Image), TilePicture(0, 0x23));
        EXPECT_EQ(image(own().Slots[slot].Image).Width(), 45);
    }
    EXPECT_DOUBLE_EQ(image(kDiscardImage).Left(), 148);
    EXPECT_DOUBLE_EQ(image(kDiscardImage).Top(), handY - 18);
    EXPECT_EQ(image(kDiscardImage).Height(), 60);
    EXPECT_EQ(picture(kDiscardImage), TilePicture(0, 0x23));
    EXPECT_GT(image(kDiscardImage).zValue(), image(own().Slots[2].Image).zValue());
    EXPECT_EQ(own().FirstConcealed, 7);
    EXPECT_EQ(own().ConcealedCount, 10);
    EXPECT_EQ(RunImages(), (std::vector<int16_t>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22}));
    ExpectRunInPlace();
    EXPECT_FALSE(c().table.DrawFromFront);
    EXPECT_TRUE(c().table.KongDeclared);
}

TEST_F(OwnMeldsTest, ConcealedKongShowsThreeBacksAndReplacesTheRunInItsRow) {
    DealHand({0x21, 0x22, 0x23, 0x23, 0x23, 0x23, 0x27, 0x28, 0x29, 0x41, 0x42, 0x43, 0x44, 0x45});
    image(23).Move(image(23).Left() + 10, own().HandY);  // the drawn tile stands apart
    FillMeld({6, 7, 8}, 0);
    c().play.KongChoices[0] = 6;
    Announce(32, {0, 0, 0x23});
    for (int slot = 1; slot <= 3; ++slot) EXPECT_EQ(picture(own().Slots[slot].Image), FaceDownPicture(0));
    EXPECT_EQ(c().table.LastDiscardImage, 15);
    EXPECT_DOUBLE_EQ(image(15).Left(), 148);
    EXPECT_DOUBLE_EQ(image(15).Top(), own().HandY - 18);
    EXPECT_EQ(picture(15), TilePicture(0, 0x23));
    EXPECT_EQ(own().ConcealedCount, 10);
    EXPECT_EQ(RunImages(), (std::vector<int16_t>{10, 11, 16, 17, 18, 19, 20, 21, 22, 23}));
    ExpectRunInPlace();
    EXPECT_EQ(image(23).Width(), 48);
}

TEST_F(OwnMeldsTest, OneTileKongTakesItsTileOutAndClosesTheRow) {
    DealHand({0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x41, 0x42});
    own().Slots[1] = own().Slots[6];  // the answer's copy of the kong tile
    own().Slots[1].Flag = 6;
    c().play.KongChoices[0] = 6;
    ShowOperation(c(), 64, kOwnBit, {0, 0, 0x23});
    EXPECT_EQ(c().table.LastDiscardImage, 12);
    EXPECT_EQ(c().table.LastDiscardTile, 0x23);
    EXPECT_EQ(own().ConcealedCount, 10);
    EXPECT_EQ(own().FirstConcealed, 4);
    EXPECT_EQ(RunImages(), (std::vector<int16_t>{10, 11, 13, 14, 15, 16, 17, 18, 19, 20}));
    ExpectRunInPlace();
}

TEST_F(OwnMeldsTest, SmallScreenMeldsUseTheRoundedMeldWidthLessTwoScaledPixels) {
    Start({800, 600});
    DealHand({0x21, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x41, 0x42, 0x43});
    FillMeld({4, 5}, 0x21);
    Announce(8, {0x21, 0x21, 0x21});
    const double pitch = 35 - 2 * 0.78125;
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_DOUBLE_EQ(image(own().Slots[slot].Image).Left(), own().HandX + (slot + 1) * pitch);
        EXPECT_EQ(image(own().Slots[slot].Image).Width(), 35);
    }
    EXPECT_EQ(c().table.TileWidth[0], 38);
}
}  // namespace
