#include "play/ClaimAnnouncements.h"
#include "wire/General.h"
#include "table/TileAccess.h"
#include "table/TilePictures.h"
#include "results/ScoreWindow.h"
#include "shared/RuntimeError.h"
#include "AllSeatsFixture.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <optional>

namespace {
constexpr int16_t kDiscardImage = 120;

class MeldLayoutTest : public AllSeatsFixture {
protected:
    ImageControl& slotImage(int seat, int slot) { return image(c().seatInfo[seat].Slots[slot].Image); }

    // A concealed run from slot 4: images firstImage onwards in a column
    // (the own seat: in its row), showing backs (the own seat: its faces).
    void DealRun(int seat, int count, int firstImage, int16_t tile = 0x21) {
        SeatInfo& info = c().seatInfo[seat];
        for (int k = 0; k < count; ++k) {
            const auto index = int16_t(firstImage + k);
            info.Slots[4 + k] = {1, tile, index, 0};
            if (seat == 0) {
                image(index).Move(info.HandX + 48 * (4 + k), info.HandY, 48, 78);
                ShowTileImage(c(), index, TilePicture(kOwnHandSet, tile));
            } else {
                image(index).Move(info.HandX, info.HandY + 20 * k, 35, 66);
                ShowTileImage(c(), index, BackPicture(seat));
            }
        }
        info.ConcealedCount = int16_t(count);
    }
    void DiscardOnTable(int16_t tile) {
        c().table.LastDiscardImage = kDiscardImage;
        c().table.LastDiscardTile = tile;
        image(kDiscardImage).Move(400, 300, 36, 50);
    }
    void Announce(int op, int seat, std::array<int16_t, 3> tiles) { ShowOperation(c(), int16_t(op), kSeatBits[seat], tiles); }
    QColor idColor(int seat) { return c().Score().ID[seat]->palette().color(QPalette::WindowText); }

};

TEST_F(MeldLayoutTest, LeftSeatPungTakesTwoTilesAndTheDiscardIntoItsFirstGroup) {
    DealRun(1, 13, 40);
    DiscardOnTable(0x23);
    const int handX = c().seatInfo[1].HandX, handY = c().seatInfo[1].HandY;
    Announce(8, 1, {0x23, 0x23, 0x23});

    const SeatInfo& left = c().seatInfo[1];
    const std::array<int16_t, 3> images{40, 41, kDiscardImage};
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        const int slot = 2 + j;
        EXPECT_EQ(left.Slots[slot].Image, images[j]);
        EXPECT_EQ(left.Slots[slot].Flag, 3);
        EXPECT_EQ(left.Slots[slot].Tile, 0x23);
        EXPECT_DOUBLE_EQ(image(images[j]).Left(), handX - 5 * slot);
        EXPECT_DOUBLE_EQ(image(images[j]).Top(), handY + 18 * slot);
        EXPECT_EQ(image(images[j]).Width(), 45);
        EXPECT_EQ(image(images[j]).Height(), 35);
        EXPECT_EQ(picture(images[j]), TilePicture(1, 0x23));
    }
    EXPECT_LT(image(40).zValue(), image(41).zValue());
    EXPECT_LT(image(41).zValue(), image(kDiscardImage).zValue());
    EXPECT_EQ(left.ConcealedCount, 11);
    EXPECT_EQ(left.FirstConcealed, 7);
    EXPECT_EQ(left.MeldEnd, 7);
    // The run's third tile moved to the end and stands apart as the next discard.
    EXPECT_EQ(left.Slots[17].Image, 42);
    EXPECT_DOUBLE_EQ(image(42).Left(), slotImage(1, 16).Left() - 5);
    EXPECT_DOUBLE_EQ(image(42).Top(), slotImage(1, 16).Top() + 29.25);
    EXPECT_TRUE(c().table.DrawFromFront);
    EXPECT_FALSE(c().table.KongDeclared);
}

// A pung's slots keep the message's tiles in message order, and a later
// one-tile kong finds the pung by the tile of its first slot.
TEST_F(MeldLayoutTest, PungSlotsHoldTheMessageTilesInOrderForTheOneTileKongSearch) {
    const std::array<int16_t, 3> tiles{0x23, 0x24, 0x25};
    struct Case {
        int seat;
        int16_t kongTile;
        bool onThePung;
    };
    const Case cases[] = {{1, 0x23, true}, {2, 0x23, true}, {3, 0x23, true}, {1, 0x25, false}, {3, 0x24, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "seat " << k.seat << " kong of " << std::hex << k.kongTile);
        Start();
        DealRun(k.seat, 13, 40);
        DiscardOnTable(0x25);
        Announce(8, k.seat, tiles);
        const SeatInfo& info = c().seatInfo[k.seat];
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(info.Slots[2 + j].Tile, tiles[j]) << j;
            EXPECT_EQ(picture(info.Slots[2 + j].Image), TilePicture(k.seat, tiles[j])) << j;
        }

        // The seat's last concealed tile becomes the kong tile.
        const int16_t kongImage = info.Slots[info.FirstConcealed + info.ConcealedCount - 1].Image;
        const double rowLeft = image(kongImage).Left(), rowTop = image(kongImage).Top();
        ShowOperation(c(), 64, kSeatBits[k.seat], {0, 0, k.kongTile});
        const ImageControl& middle = slotImage(k.seat, 3);
        if (k.onThePung) {
            EXPECT_DOUBLE_EQ(image(kongImage).Top(), middle.Top() - (k.seat == 2 ? 18 : 17));
            EXPECT_EQ(picture(kongImage), TilePicture(k.seat, k.kongTile));
        } else {
            EXPECT_DOUBLE_EQ(image(kongImage).Left(), rowLeft);
            EXPECT_DOUBLE_EQ(image(kongImage).Top(), rowTop);
        }
    }
}

TEST_F(MeldLayoutTest, AnotherSeatsChowKeepsItsConcealedFlagsAndShowsTheMessageTiles) {
    DealRun(1, 13, 40);
    DiscardOnTable(0x24);
    Announce(4, 1, {0x22, 0x23, 0x24});
    const SeatInfo& left = c().seatInfo[1];
    EXPECT_EQ(left.Slots[2].Flag, 1);
    EXPECT_EQ(left.Slots[3].Flag, 1);
    EXPECT_EQ(left.Slots[4].Image, kDiscardImage);
    EXPECT_EQ(picture(40), TilePicture(1, 0x22));
    EXPECT_EQ(picture(41), TilePicture(1, 0x23));
    EXPECT_EQ(picture(kDiscardImage), TilePicture(1, 0x24));
}

// The message may carry 0 for the first two tiles of a kong.
TEST_F(MeldLayoutTest, OppositeSeatKongOnADiscardShowsFourFacesOfTheThirdTile) {
    DealRun(2, 13, 60);
    DiscardOnTable(0x47);
    const int handX = c().seatInfo[2].HandX, handY = c().seatInfo[2].HandY;
    Announce(16, 2, {0, 0, 0x47});

    const SeatInfo& opposite = c().seatInfo[2];
    const std::array<int16_t, 3> images{62, 61, 60};
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(opposite.Slots[2 + j].Image, images[j]);
        EXPECT_DOUBLE_EQ(image(images[j]).Left(), handX - 34 * (2 + j));
        EXPECT_DOUBLE_EQ(image(images[j]).Top(), handY);
        EXPECT_EQ(image(images[j]).Width(), 34);
        EXPECT_EQ(picture(images[j]), TilePicture(2, 0x47));
    }
    EXPECT_DOUBLE_EQ(image(kDiscardImage).Left(), handX - 102);
    EXPECT_DOUBLE_EQ(image(kDiscardImage).Top(), handY - 18);
    EXPECT_EQ(image(kDiscardImage).Width(), 34);
    EXPECT_EQ(image(kDiscardImage).Height(), 40);
    EXPECT_EQ(picture(kDiscardImage), TilePicture(2, 0x47));
    EXPECT_EQ(opposite.ConcealedCount, 10);
    EXPECT_EQ(opposite.FirstConcealed, 7);
    EXPECT_EQ(opposite.MeldEnd, 7);
    EXPECT_FALSE(c().table.DrawFromFront);
    EXPECT_TRUE(c().table.KongDeclared);
    EXPECT_EQ(c().table.KongDiscardCount, 0);
}

TEST_F(MeldLayoutTest, RightSeatConcealedKongLiesFaceDownWithItsLastTileFaceUpOnTop) {
    DealRun(3, 14, 80);
    const int handX = c().seatInfo[3].HandX, handY = c().seatInfo[3].HandY;
    Announce(32, 3, {0, 0, 0x29});

    const SeatInfo& right = c().seatInfo[3];
    const std::array<int16_t, 3> images{82, 81, 80};
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(right.Slots[2 + j].Image, images[j]);
        EXPECT_DOUBLE_EQ(image(images[j]).Top(), handY - 18 * (2 + j));
        EXPECT_DOUBLE_EQ(image(images[j]).Left(), handX - 20 - 5 * j);
        EXPECT_EQ(picture(images[j]), 116);
    }
    // Each meld tile was sent to the back in slot order.
    EXPECT_GT(image(82).zValue(), image(81).zValue());
    EXPECT_GT(image(81).zValue(), image(80).zValue());
    EXPECT_EQ(c().table.LastDiscardImage, 93);
    EXPECT_DOUBLE_EQ(image(93).Left(), handX - 25);
    EXPECT_DOUBLE_EQ(image(93).Top(), handY - 54 - 18);
    EXPECT_EQ(image(93).Width(), 45);
    EXPECT_EQ(picture(93), TilePicture(3, 0x29));
    EXPECT_GT(image(93).zValue(), image(82).zValue());
    EXPECT_EQ(right.ConcealedCount, 10);
    EXPECT_EQ(right.FirstConcealed, 7);
    EXPECT_EQ(c().table.KongDiscardCount, 1);
    EXPECT_EQ(c().table.KongDiscardImages[0], 93);
    EXPECT_EQ(c().table.KongDiscardTiles[0], 0x29);
    EXPECT_EQ(c().table.KongDiscardSeats[0], 3);
    EXPECT_FALSE(c().table.DrawFromFront);
    EXPECT_TRUE(c().table.KongDeclared);
}

TEST_F(MeldLayoutTest, ValuesOutsideTheTablesAreRunTimeErrors) {
    struct Case {
        const char* error;
        std::function<void()> announce;
    };
    const std::vector<Case> cases{
        {"KongDiscardImages: index 16", [&] {
             c().table.KongDiscardCount = 16;
             Announce(32, 3, {0, 0, 0x29});
         }},
        {"Slots: index 21", [&] {
             c().seatInfo[1].MeldEnd = 21;
             DiscardOnTable(0x23);
             Announce(8, 1, {0x23, 0x23, 0x23});
         }},
        {"MJ_Image: index -1", [&] {
             c().table.LastDiscardImage = -1;
             Announce(16, 2, {0, 0, 0x47});
         }},
        {"tile code 10 names no tile", [&] {
             DiscardOnTable(0x23);
             Announce(8, 1, {0x23, 0x23, 0x0A});
         }},
        {"Slots: index 31", [&] {
             for (int slot = 1; slot <= 3; ++slot) c().seatInfo[0].Slots[slot] = c().seatInfo[0].Slots[slot + 3];
             c().play.ChowChoices = {30, 31};
             Announce(4, 0, {0x21, 0x22, 0x23});
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.error);
        Start();
        for (int seat = 0; seat < 4; ++seat) DealRun(seat, 14, 10 + 15 * seat);
        try {
            test.announce();
            ADD_FAILURE() << "no run-time error";
        } catch (const RuntimeError& error) {
            EXPECT_NE(std::string(error.what()).find(test.error), std::string::npos) << error.what();
        }
    }
}

TEST_F(MeldLayoutTest, OnlyTheFirstWinOfTheHandMarksTheScoreBoard) {
    DealRun(3, 14, 80);
    DealRun(1, 13, 40);
    Announce(128, 3, {0, 0, 0});
    Announce(128, 1, {0, 0, 0});
    EXPECT_EQ(c().table.WinnerSeat, 3);
    EXPECT_EQ(idColor(3), QColor(255, 0, 0));
    for (int seat : {0, 1, 2}) EXPECT_EQ(idColor(seat), QColor(0, 255, 0)) << seat;
}

TEST_F(MeldLayoutTest, OwnWinOnADiscardTakesTheDiscardIntoTheHand) {
    for (const int count : {13, 14}) {
        SCOPED_TRACE(count);
        Start();
        DealRun(0, count, 10);
        DiscardOnTable(0x45);
        Announce(128, 0, {0, 0, 0});
        EXPECT_EQ(c().table.WinnerSeat, 0);
        EXPECT_EQ(c().table.TileWidth[0], 48);
        EXPECT_EQ(c().table.TileHeight[0], 78);
        if (count == 13) {
            EXPECT_DOUBLE_EQ(image(kDiscardImage).Left(), slotImage(0, 16).Left() + 48);
            EXPECT_DOUBLE_EQ(image(kDiscardImage).Top(), c().seatInfo[0].HandY);
            EXPECT_EQ(image(kDiscardImage).Height(), 78);
            EXPECT_EQ(picture(kDiscardImage), TilePicture(0, 0x45));
        } else {  // self-drawn: the discard stays where it lay
            EXPECT_DOUBLE_EQ(image(kDiscardImage).Left(), 400);
        }
    }
}

// The side seats' tiles overlap: the left seat's lower tile must cover the
// one above it, the right seat's upper tile the one below.
TEST_F(MeldLayoutTest, EveryClaimOfASideSeatRestacksItsConcealedRow) {
    for (int seat : {1, 2, 3}) DealRun(seat, 13, 20 * seat);
    auto zOfRun = [&](int seat) {
        std::vector<double> z;
        for (int k = 4; k < 17; ++k) z.push_back(slotImage(seat, k).zValue());
        return z;
    };
    const std::vector<double> oppositeBefore = zOfRun(2);
    for (int seat : {1, 2, 3}) Announce(128, seat, {0, 0, 0});
    const std::vector<double> left = zOfRun(1), right = zOfRun(3);
    EXPECT_TRUE(std::is_sorted(left.begin(), left.end(), std::less<>()));
    EXPECT_TRUE(std::is_sorted(right.begin(), right.end(), std::greater<>()));
    EXPECT_EQ(zOfRun(2), oppositeBefore);
}
}  // namespace
