#include "wire/GamePacket.h"
#include "messages/ServerMessageDispatch.h"
#include "table/TilePictures.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "platform/CaptureControl.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t kSysCommand = 0x112;

class TileMovesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(*t);
        t->table.WallFront = 96;
        t->table.WallBack = 94;
        t.sound->played.clear();
    }
    void Receive(const GameMessage& m) {
        t.Deliver(ToByteArray(EncodeGamePacket(m)));
        t.Tick(2);
    }
    std::vector<QString> Played() const {
        std::vector<QString> paths;
        for (const PlayedSound& s : t.sound->played) paths.push_back(s.path);
        return paths;
    }
    // Gives another seat a hand to discard from.
    void Hold(int seat, int n) {
        SeatInfo& s = t->seatInfo[seat];
        for (int i = 0; i < n; ++i) s.Slots[4 + i] = {1, 0, int16_t(100 + i), 0};
        s.ConcealedCount = int16_t(n);
    }
    MainForm& Form() { return *t->mainForm; }

    TestClient t;
};

TEST_F(TileMovesTest, ADealPassClearsTheKongMarkPlaysTheDealSoundAtFullVolumeAndFillsTheHand) {
    t->table.KongDeclared = true;
    Receive(HandMessage(MessageType::DealTiles, kSeatBits[0], {0x11, 0x12, 0x13, 0x14}));
    EXPECT_FALSE(t->table.KongDeclared);
    EXPECT_EQ(Played(), std::vector<QString>{t->sound.WavePath[3]});
    EXPECT_TRUE(t->sound.WavePath[3].endsWith(QStringLiteral("qupai.wav")));
    EXPECT_EQ(t.sound->volume, 3000);
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 4);
    EXPECT_EQ(t->seatInfo[0].Slots[7].Tile, 0x14);
    EXPECT_EQ(t->table.WallFront, 100);
}

TEST_F(TileMovesTest, ADrawStopsTheReadyCountdownAndRestartsTheOwnCapture) {
    t->scheduler.ReadyCountdownOn = true;
    t->video.CaptureOn = true;
    t.camera->startSucceeds = true;
    Form().vcap1->OpenCapture();
    Receive(HandMessage(MessageType::TileDrawn, kSeatBits[2], {0, 0, 0, 0x11}));
    EXPECT_FALSE(t->scheduler.ReadyCountdownOn);
    EXPECT_TRUE(Form().vcap1->Capturing());
    EXPECT_EQ(t->seatInfo[2].ConcealedCount, 1);
    EXPECT_EQ(t->seatInfo[2].Slots[4].Image, 96);
}

TEST_F(TileMovesTest, ASpectatorsDealsDrawsAndDiscardsGoToTheWatchView) {
    t->table.SpectatorMode = true;
    Hold(1, 3);
    Receive(HandMessage(MessageType::DealTiles, kSeatBits[0], {0x11, 0x12, 0x13, 0x14}));
    Receive(HandMessage(MessageType::TileDrawn, kSeatBits[0], {0, 0, 0, 0x11}));
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {3, 0, 0, 0x85}));
    // The watched hand keeps its codes behind standing backs; the discard lies in its row at once.
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 5);
    EXPECT_EQ(t->seatInfo[0].Slots[8].Tile, 0x11);
    EXPECT_EQ(t->table.TileImagePictures[100], BackPicture(0));
    EXPECT_EQ(t->seatInfo[1].ConcealedCount, 2);
    EXPECT_EQ(t->table.WallFront, 101);
    EXPECT_EQ(t->table.LastDiscardTile, 0x85);
    EXPECT_DOUBLE_EQ(Form().MJ_Image[102]->Left(), t->seatInfo[1].DiscardRowX);
    // The player view's follow bubble and the computer player's count stay out of it.
    EXPECT_FALSE(Form().tsSpeak[0]->isVisible());
    EXPECT_EQ(t->computer.SeenTiles[3][5], 0);
    // The discard sound, then the discarder's voice naming the tile.
    const std::vector<QString> played = Played();
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ(played[played.size() - 2], t->sound.WavePath[2]);
    EXPECT_TRUE(played.back().endsWith(QStringLiteral("45.wav"))) << played.back().toStdString();
}

TEST_F(TileMovesTest, ADiscardWithMarkerThreeShowsTheFollowBubbleBesideAnotherSeat) {
    struct Expected {
        int seat;
        double left, top;
    };
    const ImageControl& portrait = *Form().Tou[2];
    const Expected seats[] = {{1, 8, 280}, {2, portrait.Left() + 0.8 * portrait.Width(), 110}, {3, 936, 280}};
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        const int i = e.seat - 1;
        Hold(e.seat, 3);
        Form().Speak[i]->setVisible(true);
        t->scheduler.BubbleJobTicks = 7;
        Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[e.seat], {3, 0, 0, 0x85}));
        const ImageControl& bubble = *Form().tsSpeak[i];
        EXPECT_TRUE(bubble.isVisible());
        EXPECT_DOUBLE_EQ(bubble.Left(), e.left);
        EXPECT_DOUBLE_EQ(bubble.Top(), e.top);
        EXPECT_EQ(bubble.Picture().toImage(), PictureOfResource(418 + i).toImage());
        EXPECT_FALSE(Form().Speak[i]->isVisible());
        EXPECT_TRUE(t->scheduler.BubbleJobOn);
        EXPECT_EQ(t->scheduler.BubbleJobTicks, 0);
        EXPECT_EQ(t->table.BubbleSeat, i);
        EXPECT_TRUE(InFrontOfAll(bubble));
    }
}

TEST_F(TileMovesTest, NoBubbleForTheOwnDiscardOrWithoutTheMarker) {
    Hold(1, 3);
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[0], {3, 0, 0, 0x85}));
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {2, 0, 0, 0x85}));
    for (auto* bubble : Form().tsSpeak) EXPECT_FALSE(bubble->isVisible());
    EXPECT_FALSE(t->scheduler.BubbleJobOn);
}

TEST_F(TileMovesTest, EveryDiscardedNumberedTileIsCountedAndHonoursAreNot) {
    Hold(1, 3);
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[0], {0, 0, 0, 0x85}));
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {0, 0, 0, 0x85}));
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {0, 0, 0, 0x15}));
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {0, 0, 0, 0x29}));
    EXPECT_EQ(t->computer.SeenTiles[3][5], 2);
    EXPECT_EQ(t->computer.SeenTiles[1][9], 1);
    EXPECT_EQ(t->computer.SeenTiles[0], (std::array<int16_t, 10>{}));
}

TEST_F(TileMovesTest, TheDiscardSoundPlaysBeforeTheTilesVoice) {
    t->playerInfo[1].VoiceCode = QStringLiteral("00");
    t->playerInfo[1].VoiceSet = QStringLiteral("10");
    t->playerInfo[1].Sex = 1;
    t->playerInfo[1].VoiceSex = 3;
    Hold(1, 3);
    Receive(HandMessage(MessageType::TileDiscarded, kSeatBits[1], {0, 0, 0, 0x45}));
    EXPECT_EQ(Played(), (std::vector<QString>{t->sound.WavePath[2], t->sound.VoiceFolder + QStringLiteral("v00101385.wav")}));
    EXPECT_TRUE(t->sound.WavePath[2].endsWith(QStringLiteral("dapai.wav")));
}

TEST_F(TileMovesTest, BadServerValuesEndTheClient) {
    const GameMessage bad[] = {
        HandMessage(MessageType::TileDiscarded, kSeatBits[2], {0, 0, 0, 0x11}),  // a seat without tiles
        HandMessage(MessageType::TileDiscarded, kSeatBits[0], {0, 0, 0, 0x2F}),  // no such tile
        HandMessage(MessageType::DealTiles, kSeatBits[0], {0x11, 0x11, 0x11, 0xFF}),
    };
    for (const GameMessage& m : bad) {
        SCOPED_TRACE(testing::Message() << "type " << m.MsgType << " seat " << int(m.SeatBit));
        TestClient other;
        ASSERT_EQ(other.Load(), std::nullopt);
        other.Tick(4);
        for (int s = 0; s < 4; ++s) other->seatInfo[s].SeatBit = kSeatBits[s];
        RearmTable(*other);
        other.Deliver(ToByteArray(EncodeGamePacket(m)));
        EXPECT_THROW(other.Tick(2), ProgramEnded);
        EXPECT_EQ(other.lobby->MessagesTo(QStringLiteral("Jokro山庄")).back(), kSysCommand);
    }
}

// A seat bit counts by its highest bit, and 0 as bit 1, as every seat bit
// does: a value that names no single seat still names one, in the player's
// view and in the spectator's, and the hand goes on.
TEST(SeatBitsOfNoneOrSeveralSeats, NameTheSeatOfTheHighestBitAndTheHandGoesOn) {
    struct Case {
        uint8_t seatBit;
        int seat;  // seen from seat bit 1, with bit 8 on the left
    };
    const Case cases[] = {{0, 0}, {3, 3}, {6, 2}, {12, 1}, {15, 1}};
    for (bool spectator : {false, true}) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << (spectator ? "spectator" : "player") << " seat bit " << int(k.seatBit));
            TestClient t;
            ASSERT_EQ(t.Load(), std::nullopt);
            t.Tick(4);
            for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
            RearmTable(*t);
            t->table.SpectatorMode = spectator;
            const auto receive = [&](const GameMessage& m) {
                t.Deliver(ToByteArray(EncodeGamePacket(m)));
                ASSERT_NO_THROW(t.Tick(2));
            };
            receive(HandMessage(MessageType::TileDrawn, k.seatBit, {0, 0, 0, 0x11}));
            for (int s = 0; s < 4; ++s) EXPECT_EQ(t->seatInfo[s].ConcealedCount, s == k.seat ? 1 : 0) << s;
            receive(HandMessage(MessageType::TileDiscarded, k.seatBit, {0, 0, 0, 0x11}));
            EXPECT_EQ(t->table.LastDiscarder, k.seat);
        }
    }
}
}  // namespace
