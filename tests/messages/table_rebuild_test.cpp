#include "wire/GamePacket.h"
#include "messages/ServerMessageDispatch.h"
#include "shared/PlayState.h"
#include "table/TilePictures.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr uint8_t kExposed = 0x20, kConcealed = 0x10;
const QString kWatching = QStringLiteral("abc$pw$127.0.0.1$4000$北京$100001");

struct SeatPairs {
    std::vector<int> exposed;
    std::vector<int> concealed;
    // Pairs with a marker that names no tile kind, laid first.
    int skipped = 0;
};

GameMessage RebuildHeader(uint8_t seatBit, int discards, int taken, int back) {
    GameMessage m = HandMessage(MessageType::TableRebuild, seatBit, 0, taken, 0, back);
    m.Byte7 = static_cast<uint8_t>(discards);
    return m;
}

QByteArray RebuildPayload(const SeatPairs& pairs) {
    QByteArray payload(256, '\0');
    int i = 0;
    auto put = [&](uint8_t marker, int tile) {
        payload[2 * i] = char(marker);
        payload[2 * i + 1] = char(tile);
        ++i;
    };
    for (int k = 0; k < pairs.skipped; ++k) put(0x30, 0x11);
    for (int tile : pairs.exposed) put(kExposed | 0x0F, tile);  // the low marker bits do not count
    for (int tile : pairs.concealed) put(kConcealed, tile);
    return payload;
}

class TableRebuildTest : public ::testing::Test {
protected:
    void SetUp() override { Start(TestClient::DefaultCommandLine()); }
    void Start(const QString& commandLine) {
        t.emplace(commandLine);
        ASSERT_EQ(t->Load(), std::nullopt);
        t->Tick(4);
        for (int s = 0; s < 4; ++s) c().seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(c());
        c().table.WallFront = 96;
        c().table.WallBack = 94;
        c().table.WildTile = 0x27;
        c().table.WildIndicator = 0x26;
    }
    void Rebuild(int seat, const SeatPairs& pairs, int discards = 0, int taken = 30, int back = 135) {
        t->Deliver(RebuildHeader(kSeatBits[seat], discards, taken, back), RebuildPayload(pairs));
        t->Tick(2);
    }
    // The other three seats with nothing laid, completing the rebuild.
    void RebuildOthers(int laidSeat, int taken = 30, int back = 135) {
        for (int s = 0; s < 4; ++s)
            if (s != laidSeat) Rebuild(s, {}, 0, taken, back);
    }
    Client& c() { return **t; }
    ImageControl& image(int index) { return *c().mainForm->MJ_Image.at(index); }
    int16_t picture(int index) { return c().table.TileImagePictures[index]; }
    const TileSlot& slot(int seat, int k) { return c().seatInfo[seat].Slots[k]; }
    int FaceDownWallTiles() {
        int shown = 0;
        for (int p = 0; p < 136; ++p)
            if (image(p).isVisible() && picture(p) == FaceDownPicture(p / 34)) ++shown;
        return shown;
    }

    std::optional<TestClient> t;
};

TEST_F(TableRebuildTest, MeldTilesFillMeldSlotsWithPungMarksForWholeGroupsAndAKongsFourthOnTheMiddleTile) {
    // Seat 2 (opposite): 5 5 5 5 and 7 7 7 of characters; the group test at
    // the second group compares 5, 7, 7 and marks nothing.
    Rebuild(2, {{0x45, 0x47, 0x45, 0x47, 0x45, 0x47, 0x45}, {}});
    const SeatInfo& s = c().seatInfo[2];
    EXPECT_EQ(s.MeldEnd, 10);
    EXPECT_EQ(s.FirstConcealed, 11);
    EXPECT_EQ(c().table.RebuildWallOffset, 7);
    for (int k = 4; k <= 6; ++k) {
        EXPECT_EQ(slot(2, k).Tile, 0x45) << k;
        EXPECT_EQ(slot(2, k).Flag, SlotFlag::Pung) << k;
    }
    for (int k = 7; k <= 9; ++k) {
        EXPECT_EQ(slot(2, k).Tile, 0x47) << k;
        EXPECT_EQ(slot(2, k).Flag, 0) << k;
    }
    // The images follow the wall front in turn: the fourth 5 is image 99,
    // lying 17 pixels above the second 5 (image 97).
    EXPECT_EQ(slot(2, 4).Image, 96);
    EXPECT_EQ(slot(2, 7).Image, 100);
    EXPECT_DOUBLE_EQ(image(99).Left(), image(97).Left());
    EXPECT_DOUBLE_EQ(image(99).Top(), image(97).Top() - 17);
    EXPECT_TRUE(InFrontOfAll(image(99)));
    EXPECT_EQ(picture(96), TilePicture(2, 0x45));
    EXPECT_DOUBLE_EQ(image(100).Left(), s.HandX - 34 * (7 - 2));
    EXPECT_EQ(image(100).Width(), 34);
    EXPECT_EQ(image(100).Height(), 40);
}

TEST_F(TableRebuildTest, ARunAndAPungThatSortIntoEachOtherMarkNoPungAndTakeTheFifthTileAsAFourth) {
    Rebuild(1, {{0x23, 0x24, 0x25, 0x24, 0x24, 0x24}, {}});
    const SeatInfo& s = c().seatInfo[1];
    EXPECT_EQ(s.MeldEnd, 9);
    EXPECT_EQ(s.FirstConcealed, 10);
    for (int k = 4; k <= 8; ++k) EXPECT_EQ(slot(1, k).Flag, 0) << k;
    EXPECT_EQ(slot(1, 8).Tile, 0x25) << "the sixth tile overwrites the fourth's slot";
    EXPECT_DOUBLE_EQ(image(100).Top(), image(98).Top() - 17);
}

TEST_F(TableRebuildTest, RedDragonsAndWildTilesLieOnPilesOfTheirOwnNeverAsAPung) {
    Rebuild(3, {{0x15, 0x27, 0x15, 0x15, 0x27}, {}});
    const SeatInfo& s = c().seatInfo[3];
    EXPECT_EQ(s.RedKongCount, 3);
    EXPECT_EQ(s.WildKongCount, 2);
    EXPECT_EQ(s.MeldEnd, 4) << "piles take no meld slots";
    EXPECT_EQ(s.FirstConcealed, 4);
    const auto& piles = c().table.SingleKongImages[3];
    EXPECT_EQ((std::vector<int>{piles[0], piles[1], piles[2], piles[4], piles[5]}),
              (std::vector<int>{96, 98, 99, 97, 100}));
    for (int n = 0; n < 3; ++n) {
        EXPECT_DOUBLE_EQ(image(piles[n]).Left(), s.HandX - 10);
        EXPECT_DOUBLE_EQ(image(piles[n]).Top(), s.HandY - 18 * n);
        EXPECT_EQ(picture(piles[n]), 112);
    }
    EXPECT_DOUBLE_EQ(image(piles[5]).Top(), s.HandY - (35 - 17) - 18);
    EXPECT_EQ(picture(piles[4]), TilePicture(3, 0x27));
}

TEST_F(TableRebuildTest, ConcealedTilesStandAsBacksAfterTheMeldsAndSideRowsOverlapTheRightWay) {
    Rebuild(1, {{0x41, 0x41, 0x41}, {0, 0, 0, 0}});
    const SeatInfo& s = c().seatInfo[1];
    EXPECT_EQ(s.ConcealedCount, 4);
    EXPECT_EQ(s.FirstConcealed, 7);
    for (int k = 7; k < 11; ++k) {
        const int n = k + 1;
        EXPECT_EQ(picture(slot(1, k).Image), 43) << k;
        EXPECT_DOUBLE_EQ(image(slot(1, k).Image).Left(), s.HandX - 5 * (n - 1)) << k;
        EXPECT_DOUBLE_EQ(image(slot(1, k).Image).Top(), s.HandY + 0.5 * (n - 1) * 35) << k;
    }
    EXPECT_TRUE(InFrontOfAll(image(slot(1, 10).Image))) << "the left seat's lowest tile covers the one above";
    EXPECT_EQ(c().table.TileWidth[1], 35) << "the concealed size is left";
}

TEST_F(TableRebuildTest, AMessageWithoutTilesStillCountsAndKeepsTheWallCounters) {
    Rebuild(0, {{}, {}, 3}, 7, 40, 140);
    Rebuild(1, {}, 2, 55, 136);
    EXPECT_EQ(c().table.RebuildMsgCount, 2);
    EXPECT_EQ(c().table.RebuildDiscardCount[0], 7);
    EXPECT_EQ(c().table.RebuildDiscardCount[1], 2);
    EXPECT_EQ(c().table.RebuildWallTaken, 55);
    EXPECT_EQ(c().table.RebuildParam3, 136);
    EXPECT_EQ(c().table.RebuildWallOffset, 0);
}

TEST_F(TableRebuildTest, DataBeyondTheRecordsIsDroppedInsteadOfEndingTheClient) {
    // Fifteen concealed tiles at the right seat, five wild tiles laid alone,
    // an exposed code that names no tile, and the own seat's hidden code 0.
    Rebuild(3, {{0x27, 0x27, 0x27, 0x27, 0x27, 0x00}, std::vector<int>(15, 0x11)});
    Rebuild(0, {{}, {0x00, 0x12}});
    EXPECT_EQ(c().seatInfo[3].WildKongCount, 4);
    EXPECT_EQ(c().seatInfo[3].ConcealedCount, 14);
    EXPECT_EQ(c().seatInfo[0].ConcealedCount, 1);
    EXPECT_EQ(slot(0, 4).Tile, 0x12);

    // Melds that would run past the last slot lose their surplus.
    Start(TestClient::DefaultCommandLine());
    std::vector<int> melds;
    for (int tile : {0x21, 0x22, 0x23, 0x24, 0x25, 0x26}) melds.insert(melds.end(), 3, tile);
    Rebuild(2, {melds, {0x41, 0x42}});
    const SeatInfo& s = c().seatInfo[2];
    EXPECT_LE(s.MeldEnd, 21);
    EXPECT_EQ(s.FirstConcealed, 21);
    EXPECT_EQ(s.ConcealedCount, 0);
    EXPECT_EQ(slot(2, 20).Flag, 0) << "a group cut short is no pung";
}

TEST_F(TableRebuildTest, TheFourthMessageCompletesTheWallTheIndicatorAndTheWallFront) {
    struct Case {
        int back;
        int wallBack, shown;
        bool lastUpperShown;
    };
    for (const Case& k : {Case{135, 94, 106, true}, Case{4, 95, 105, false}, Case{133, 92, 104, true}}) {
        Start(TestClient::DefaultCommandLine());
        c().mainForm->Jokro_Image->setVisible(false);
        Rebuild(0, {}, 0, 30, k.back);
        RebuildOthers(0, 30, k.back);
        const TableState& s = c().table;
        EXPECT_EQ(s.RebuildMsgCount, 0);
        EXPECT_EQ(s.WallBack, k.wallBack) << k.back;
        EXPECT_EQ(FaceDownWallTiles(), k.shown) << k.back;
        EXPECT_TRUE(image(126).isVisible());
        EXPECT_FALSE(image(125).isVisible()) << "tiles taken from the front stay hidden";
        EXPECT_EQ(s.WallFront, 126);
        EXPECT_TRUE(s.TableRebuilt);
        EXPECT_TRUE(s.InGame);
        EXPECT_EQ(s.LastDiscardTile, 0) << "the first draw parks nothing";
        // The indicator is the first image after the rebuild's tiles: image 96.
        EXPECT_EQ(s.IndicatorImage, 96);
        EXPECT_EQ(picture(96), TilePicture(2, 0x26));
        EXPECT_DOUBLE_EQ(image(96).Top(), image(s.WallBack).Top() - 16);
        EXPECT_DOUBLE_EQ(image(96).Left(), image(s.WallBack).Left());
        EXPECT_EQ(image(96).Width(), 30);
        EXPECT_EQ(InFrontOfAll(image(96)), k.lastUpperShown);
        EXPECT_TRUE(c().mainForm->Jokro_Image->isVisible());
    }
}

TEST_F(TableRebuildTest, APromptOfTheTableBeforeTheRebuildIsClosedSoNoStaleAnswerGoesOut) {
    c().seatInfo[0].ConcealedCount = 14;
    t->Deliver(HandMessage(MessageType::ActionPrompt, kSeatBits[0], 1 | 32));
    t->Tick(2);
    ASSERT_TRUE(c().scheduler.TurnCountdownOn);
    Rebuild(0, {{}, {0x11, 0x12}});
    EXPECT_FALSE(c().scheduler.TurnCountdownOn);
    for (ImageControl* button : c().mainForm->Operation) EXPECT_FALSE(button->isVisible());
    const size_t sent = t->Sent().size();
    t->Tick(400);
    for (size_t k = sent; k < t->Sent().size(); ++k)
        EXPECT_NE(uint8_t(t->Sent()[k][3]), MessageType::Discard) << "no answer to the old prompt";
}

TEST_F(TableRebuildTest, ARebuildAfterASeatingCompletesAndStartsItsImagesAtTheWallFront) {
    c().table.SeatMsgCount = 99;  // what a completed seating leaves
    c().table.RebuildWallOffset = 40;
    Rebuild(2, {{0x41, 0x41, 0x41}, {}});
    EXPECT_EQ(slot(2, 4).Image, 96);
    RebuildOthers(2);
    EXPECT_TRUE(c().table.TableRebuilt);
}

TEST_F(TableRebuildTest, ARebuildCutShortByANewSetUpStartsAfresh) {
    Rebuild(1, {});
    Rebuild(2, {});
    RearmTable(c());
    c().table.WallFront = 96;
    Rebuild(0, {{}, {0x11}});
    EXPECT_EQ(slot(0, 4).Image, 96) << "the first message of the new rebuild";
    RebuildOthers(0);
    EXPECT_TRUE(c().table.TableRebuilt);
    EXPECT_EQ(c().table.RebuildMsgCount, 0);
}

TEST_F(TableRebuildTest, APlayerSeesTheOwnHandSortedFaceUpOnceTheTableIsRebuiltASpectatorSeesBacks) {
    for (const bool spectator : {false, true}) {
        Start(spectator ? kWatching : TestClient::DefaultCommandLine());
        for (int s = 0; s < 4; ++s) c().seatInfo[s].SeatBit = kSeatBits[s];
        Rebuild(0, {{}, {0x43, 0x12, 0x41}});
        EXPECT_EQ(picture(96), BackPicture(0)) << "backs while the seats are laid";
        RebuildOthers(0);
        const std::vector<int> tiles{slot(0, 4).Tile, slot(0, 5).Tile, slot(0, 6).Tile};
        if (spectator) {
            EXPECT_EQ(tiles, (std::vector<int>{0x43, 0x12, 0x41}));
            for (int k = 4; k <= 6; ++k) EXPECT_EQ(picture(slot(0, k).Image), BackPicture(0));
        } else {
            EXPECT_EQ(tiles, (std::vector<int>{0x41, 0x43, 0x12}));
            for (int k = 4; k <= 6; ++k) EXPECT_EQ(picture(slot(0, k).Image), TilePicture(kOwnHandSet, slot(0, k).Tile));
        }
    }
}
}  // namespace
