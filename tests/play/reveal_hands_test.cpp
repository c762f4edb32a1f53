#include "AllSeatsFixture.h"
#include "wire/GamePacket.h"
#include "wire/General.h"
#include "table/TileAccess.h"
#include "play/RevealHands.h"
#include "table/TilePictures.h"
#include "shared/RuntimeError.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include <algorithm>
#include <vector>

namespace {
constexpr int16_t kDiscardImage = 130;
constexpr int16_t kDiscardTile = 0x47;

// The reveal sizes at full scale: own, left, opposite, right.
constexpr std::array<std::pair<int, int>, 4> kRevealSizes{{{48, 60}, {45, 35}, {36, 39}, {45, 35}}};

std::vector<int> Sorted(std::vector<int> tiles) {
    std::stable_sort(tiles.begin(), tiles.end(), [](int a, int b) {
        return SuitBit(a) != SuitBit(b) ? SuitBit(a) > SuitBit(b) : Rank(a) < Rank(b);
    });
    return tiles;
}

class RevealHandsTest : public AllSeatsFixture {
protected:
    void Prepare() override {
        c().table.LastDiscardImage = kDiscardImage;
        c().table.LastDiscardTile = kDiscardTile;
        image(kDiscardImage).Move(500, 300, 36, 50);
    }

    // Image of slot k of a seat's concealed run: 30 per seat apart.
    static int16_t RunImage(int seat, int k) { return int16_t(30 * seat + k); }

    // A seat holding `count` concealed tiles after `melds` laid melds. The
    // own seat shows large faces of `own`; the others stand as backs.
    void Hold(int seat, int count, int melds = 0, const std::vector<int>& own = {}) {
        SeatInfo& info = c().seatInfo[seat];
        info.FirstConcealed = int16_t(4 + 3 * melds);
        info.ConcealedCount = int16_t(count);
        for (int k = 0; k < count; ++k) {
            const int slot = info.FirstConcealed + k;
            const int16_t tile = seat == 0 ? int16_t(own[size_t(k)]) : int16_t(0);
            info.Slots[slot] = {1, tile, RunImage(seat, k), 0};
            image(RunImage(seat, k)).Move(info.HandX + 50 * slot, info.HandY + 40 * slot, seat == 0 ? 48 : 35, 66);
            ShowTileImage(c(), RunImage(seat, k), seat == 0 ? TilePicture(kOwnHandSet, tile) : BackPicture(seat));
        }
    }

    // The server's messages for a seat: four tiles each, the first tile of a
    // message in its highest word.
    void Reveal(int seat, const std::vector<int>& tiles) {
        for (size_t at = 0; at < tiles.size(); at += 4) {
            std::array<int16_t, 4> words{};
            for (size_t k = 0; k < 4 && at + k < tiles.size(); ++k) words[3 - k] = int16_t(tiles[at + k]);
            RevealHands(c(), kSeatBits[seat], words);
        }
    }

    std::vector<int> RunTiles(int seat, int n) {
        std::vector<int> tiles;
        const SeatInfo& info = c().seatInfo[seat];
        for (int k = 0; k < n; ++k) tiles.push_back(info.Slots[info.FirstConcealed + k].Tile);
        return tiles;
    }

    // Every slot of the run shows the face of its tile in the set, at the
    // seat's reveal size (full scale unless given).
    void ExpectRunOpen(int seat, int n, std::pair<int, int> size = {0, 0}) {
        if (size.first == 0) size = kRevealSizes[size_t(seat)];
        const SeatInfo& info = c().seatInfo[seat];
        for (int k = 0; k < n; ++k) {
            const TileSlot& slot = info.Slots[info.FirstConcealed + k];
            SCOPED_TRACE(k);
            EXPECT_EQ(picture(slot.Image), TilePicture(seat, slot.Tile));
            EXPECT_EQ(image(slot.Image).Width(), size.first);
            EXPECT_EQ(image(slot.Image).Height(), size.second);
        }
    }

    const std::vector<int> kLeft{0x29, 0x81, 0x15, 0x43, 0x22, 0x89, 0x11, 0x42, 0x23, 0x82, 0x17, 0x41, 0x28};
    const std::vector<int> kOpposite{0x45, 0x44, 0x13, 0x88, 0x87, 0x86, 0x25, 0x26, 0x27, 0x21, 0x12, 0x49, 0x84};
    const std::vector<int> kRight{0x85, 0x14, 0x46, 0x24, 0x83, 0x16, 0x48, 0x21, 0x12, 0x13, 0x14, 0x29, 0x28};
};

TEST_F(RevealHandsTest, ThirteenTilesArriveInFourMessagesEachReadFromItsHighestWord) {
    Hold(1, 13);
    Hold(2, 13);
    // Markers in the high byte are no part of the code.
    std::array<int16_t, 4> words{0x0021, 0x0822, 0x4023, 0x0024};
    RevealHands(c(), kSeatBits[1], words);
    EXPECT_EQ(RunTiles(1, 4), (std::vector<int>{0x24, 0x23, 0x22, 0x21}));
    EXPECT_EQ(c().seatInfo[1].ConcealedCount, 9);
    Reveal(1, {0x21, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48});
    std::array<int16_t, 4> last{0, 0, 0, 0x11};
    RevealHands(c(), kSeatBits[1], last);

    const std::vector<int> stored{0x24, 0x23, 0x22, 0x21, 0x21, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x11};
    EXPECT_EQ(RunTiles(1, 13), stored);
    EXPECT_EQ(c().seatInfo[1].ConcealedCount, 0);
    const auto& revealed = c().table.RevealedHand[1];
    EXPECT_EQ(std::vector<int>(revealed.begin(), revealed.begin() + 13), stored);
    EXPECT_EQ(revealed[13], 0);
    EXPECT_EQ(c().seatInfo[1].Slots[17].Tile, 0) << "nothing written past the run";
    EXPECT_EQ(picture(RunImage(1, 0)), BackPicture(1)) << "no layout while seats are still hidden";
}

TEST_F(RevealHandsTest, AFinishedSeatOrTheOwnSeatTakesNothingButEveryCallSetsTheRevealSizes) {
    struct Case {
        double scale;
        std::array<std::pair<int, int>, 4> sizes;
    };
    const Case cases[] = {
        {1.0, kRevealSizes},
        // Halves go to the even pixel: 48 × 0.78125 = 37.5 gives 38.
        {0.78125, {{{38, 47}, {35, 27}, {28, 30}, {35, 27}}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.scale);
        Start();
        c().table.ScaleX = c().table.ScaleY = k.scale;
        Hold(0, 2, 0, {0x21, 0x22});
        Hold(2, 1);
        Hold(3, 2);
        Reveal(2, {0x25});
        c().table.TileWidth.fill(0);
        c().table.TileHeight.fill(0);

        for (int seat : {0, 2}) {
            std::array<int16_t, 4> words{0x11, 0x12, 0x13, 0x14};
            RevealHands(c(), kSeatBits[seat], words);
            for (int s = 0; s < 4; ++s) {
                EXPECT_EQ(c().table.TileWidth[s], k.sizes[size_t(s)].first) << s;
                EXPECT_EQ(c().table.TileHeight[s], k.sizes[size_t(s)].second) << s;
            }
        }
        EXPECT_EQ(RunTiles(0, 2), (std::vector<int>{0x21, 0x22}));
        EXPECT_EQ(RunTiles(2, 2), (std::vector<int>{0x25, 0}));
        EXPECT_EQ(c().seatInfo[2].ConcealedCount, 0);
        EXPECT_EQ(c().table.RevealedHand[2][1], 0);
    }
}

TEST_F(RevealHandsTest, TheLayoutWaitsForTheLastOtherSeatAndARepeatChangesNothing) {
    Hold(1, 13);
    Hold(2, 13);
    Hold(3, 13);
    Reveal(1, kLeft);
    Reveal(2, kOpposite);
    Reveal(3, std::vector<int>(kRight.begin(), kRight.end() - 1));
    EXPECT_EQ(picture(RunImage(1, 0)), BackPicture(1));
    EXPECT_EQ(picture(RunImage(2, 0)), BackPicture(2));

    Reveal(3, {kRight.back()});
    for (int seat = 1; seat < 4; ++seat) {
        SCOPED_TRACE(seat);
        EXPECT_EQ(RunTiles(seat, 13), Sorted(seat == 1 ? kLeft : seat == 2 ? kOpposite : kRight));
        ExpectRunOpen(seat, 13);
    }
    std::vector<std::pair<int, QRectF>> before;
    for (int i = 0; i < 136; ++i) before.push_back({picture(i), QRectF(image(i).pos(), QSizeF(image(i).Width(), image(i).Height()))});
    Reveal(2, {0x11});
    for (int i = 0; i < 136; ++i) {
        EXPECT_EQ(picture(i), before[size_t(i)].first) << i;
        EXPECT_EQ(QRectF(image(i).pos(), QSizeF(image(i).Width(), image(i).Height())), before[size_t(i)].second) << i;
    }
}

TEST_F(RevealHandsTest, WithoutAnotherSeatsWinTheRowsAreOnlySortedAndResizedWhereTheyStand) {
    for (int winner : {-1, 0}) {
        SCOPED_TRACE(winner);
        Start();
        c().table.WinnerSeat = int16_t(winner);
        Hold(1, 13);
        Hold(2, 10, 1);
        Hold(3, 13);
        std::vector<QPointF> places;
        for (int seat = 1; seat < 4; ++seat)
            for (int k = 0; k < 13; ++k) places.push_back(image(RunImage(seat, k)).pos());
        const int16_t discardPicture = picture(kDiscardImage);
        Reveal(1, kLeft);
        Reveal(2, std::vector<int>(kOpposite.begin(), kOpposite.begin() + 10));
        Reveal(3, kRight);

        EXPECT_EQ(RunTiles(1, 13), Sorted(kLeft));
        EXPECT_EQ(RunTiles(2, 10), Sorted(std::vector<int>(kOpposite.begin(), kOpposite.begin() + 10)));
        EXPECT_EQ(RunTiles(3, 13), Sorted(kRight));
        ExpectRunOpen(1, 13);
        ExpectRunOpen(2, 10);
        ExpectRunOpen(3, 13);
        size_t at = 0;
        for (int seat = 1; seat < 4; ++seat)
            for (int k = 0; k < 13; ++k) EXPECT_EQ(image(RunImage(seat, k)).pos(), places[at++]) << seat << "/" << k;
        EXPECT_EQ(image(kDiscardImage).pos(), QPointF(500, 300));
        EXPECT_EQ(picture(kDiscardImage), discardPicture);
    }
}

TEST_F(RevealHandsTest, AWinnersCompleteHandKeepsTheTileStoredLastUnsortedAtTheEnd) {
    const std::vector<int> hand{0x29, 0x81, 0x15, 0x43, 0x22, 0x89, 0x11, 0x42, 0x23, 0x82, 0x17, 0x41, 0x28, 0x88};
    for (int winner : {1, 2, 3})
        for (int n : {14, 11, 8, 5}) {
            SCOPED_TRACE(testing::Message() << "seat " << winner << ", " << n << " tiles");
            Start();
            c().table.WinnerSeat = int16_t(winner);
            for (int seat = 1; seat < 4; ++seat) Hold(seat, seat == winner ? n : 1, seat == winner ? (14 - n) / 3 : 4);
            std::vector<int> tiles(hand.end() - n, hand.end());
            for (int seat = 1; seat < 4; ++seat) Reveal(seat, seat == winner ? tiles : std::vector<int>{0x41});

            std::vector<int> expected = Sorted(std::vector<int>(tiles.begin(), tiles.end() - 1));
            expected.push_back(tiles.back());
            EXPECT_EQ(RunTiles(winner, n), expected);
            ExpectRunOpen(winner, n);
            EXPECT_EQ(image(kDiscardImage).pos(), QPointF(500, 300));
        }
}

TEST_F(RevealHandsTest, AWinnerLackingOneTileGetsTheLastDiscardAfterItsRow) {
    struct Case {
        int winner, count;
        double scale;
        // Expected place, relative to the last tile's place (left, right) or absolute (opposite).
        double dx, dy;
        int width, height;
    };
    const Case cases[] = {
        {1, 13, 1.0, -5, 22, 45, 35},
        {1, 13, 0.78125, -5 * 0.78125, 27 - 13 * 0.78125, 35, 27},
        {3, 13, 1.0, -5, -22, 45, 35},
        {3, 4, 0.78125, -5 * 0.78125, -27 + 13 * 0.78125, 35, 27},
        {2, 13, 1.0, 0, 0, 36, 39},
        {2, 7, 0.78125, 0, 0, 28, 30},
    };
    const std::vector<int> hand{0x29, 0x81, 0x15, 0x43, 0x22, 0x89, 0x11, 0x42, 0x23, 0x82, 0x17, 0x41, 0x28};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "seat " << k.winner << ", " << k.count << " tiles, scale " << k.scale);
        Start();
        c().table.ScaleX = c().table.ScaleY = k.scale;
        c().table.WinnerSeat = int16_t(k.winner);
        const int melds = (13 - k.count) / 3;
        for (int seat = 1; seat < 4; ++seat) Hold(seat, seat == k.winner ? k.count : 1, seat == k.winner ? melds : 4);
        std::vector<int> tiles(hand.begin(), hand.begin() + k.count);
        for (int seat = 1; seat < 4; ++seat) Reveal(seat, seat == k.winner ? tiles : std::vector<int>{0x41});

        EXPECT_EQ(RunTiles(k.winner, k.count), Sorted(tiles));
        ExpectRunOpen(k.winner, k.count, {k.width, k.height});
        const SeatInfo& info = c().seatInfo[k.winner];
        const ImageControl& last = image(info.Slots[info.FirstConcealed + k.count - 1].Image);
        const ImageControl& discard = image(kDiscardImage);
        EXPECT_EQ(picture(kDiscardImage), TilePicture(k.winner, kDiscardTile));
        if (k.winner == 2) {
            EXPECT_DOUBLE_EQ(discard.Left(), info.HandX - (info.FirstConcealed + k.count) * k.width - 5 * k.scale);
            EXPECT_DOUBLE_EQ(discard.Top(), info.HandY);
        } else {
            EXPECT_DOUBLE_EQ(discard.Left(), last.Left() + k.dx);
            EXPECT_DOUBLE_EQ(discard.Top(), last.Top() + k.dy);
        }
        EXPECT_EQ(discard.Width(), k.width);
        EXPECT_EQ(discard.Height(), k.height);
        if (k.winner == 1) {
            EXPECT_TRUE(InFrontOfAll(discard));
        } else if (k.winner == 3) {
            EXPECT_TRUE(BehindAll(discard));
        }
    }
}

TEST_F(RevealHandsTest, TheOwnRowTurnsToTableFacesInPlaceOrIsSortedAndLoweredForASpectator) {
    const std::vector<int> own{0x25, 0x81, 0x13, 0x42, 0x81};
    for (bool spectator : {false, true}) {
        SCOPED_TRACE(spectator);
        Start();
        c().table.SpectatorMode = spectator;
        Hold(0, 5, 3, own);
        for (int seat = 1; seat < 4; ++seat) Hold(seat, 1, 4);
        std::vector<QPointF> places;
        for (int k = 0; k < 5; ++k) places.push_back(image(RunImage(0, k)).pos());
        for (int seat = 1; seat < 4; ++seat) Reveal(seat, {0x41});

        EXPECT_EQ(RunTiles(0, 5), spectator ? Sorted(own) : own);
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(k);
            const ImageControl& tile = image(RunImage(0, k));
            EXPECT_EQ(tile.pos(), places[size_t(k)]);
            EXPECT_EQ(tile.Width(), 48);
            EXPECT_EQ(tile.Height(), spectator ? 60 : 66);
            if (!spectator) {
                EXPECT_EQ(picture(RunImage(0, k)), TilePicture(0, own[size_t(k)]));
            }
        }
    }
}

TEST_F(RevealHandsTest, ABadTileCodeIsARunTimeErrorThatStoresNothing) {
    for (int16_t bad : {0x00, 0x18, 0x10, 0x2A, 0x30, 0x4F}) {
        SCOPED_TRACE(bad);
        Start();
        Hold(1, 5);
        std::array<int16_t, 4> words{0x21, 0x22, bad, 0x24};
        EXPECT_THROW(RevealHands(c(), kSeatBits[1], words), RuntimeError);
        EXPECT_EQ(c().seatInfo[1].ConcealedCount, 5);
        EXPECT_EQ(c().table.RevealedHand[1][0], 0);
        EXPECT_EQ(RunTiles(1, 5), (std::vector<int>(5, 0)));
    }
}

TEST(RevealHandsMessage, ABadTileCodeFromTheServerEndsTheClientWithTheLobbyRestored) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    t.Tick(4);
    for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
    t->seatInfo[2].ConcealedCount = 4;
    t.Deliver(HandMessage(MessageType::HandRevealed, kSeatBits[2], 0x21, 0x22, 0x23, 0x1A));
    EXPECT_THROW(t.Tick(2), ProgramEnded);
    EXPECT_TRUE(LobbyGotSysCommand(t, WindowMessage::SC_RESTORE));
}
}  // namespace
