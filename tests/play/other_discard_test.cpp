#include "play/OtherDiscard.h"
#include "messages/ServerMessageDispatch.h"
#include "table/TilePictures.h"
#include "shared/RuntimeError.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

namespace {
constexpr int16_t kFiveOfCharacters = 0x45;

class OtherDiscardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        for (int s = 0; s < 4; ++s) {
            t->seatInfo[s].SeatBit = kSeatBits[s];
            PlayerInfo& p = t->playerInfo[s];
            p.VoiceCode = QStringLiteral("00");
            p.VoiceSet = QStringLiteral("10");
            p.Sex = 1;
            p.VoiceSex = 3;
        }
        RearmTable(*t);
        t->table.LastDiscardImage = 7;
        t->table.LastDiscarder = 2;
        t.sound->played.clear();
    }

    ImageControl& Image(int index) { return *t->mainForm->MJ_Image.at(index); }
    // Gives a seat `n` concealed tiles on images 100, 101, ... at the seat's hand size.
    void Hold(int seat, int n, double width, double height) {
        SeatInfo& s = t->seatInfo[seat];
        for (int i = 0; i < n; ++i) {
            s.Slots[s.FirstConcealed + i] = {1, 0, int16_t(100 + i), 0};
            Image(100 + i).Move(0, 0, width, height);
        }
        s.ConcealedCount = int16_t(n);
    }
    QString Voice() { return t->sound.VoiceFolder + QStringLiteral("v00101385.wav"); }
    std::vector<QString> Played() const {
        std::vector<QString> paths;
        for (const PlayedSound& s : t.sound->played) paths.push_back(s.path);
        return paths;
    }

    TestClient t;
};

TEST_F(OtherDiscardTest, AnotherSeatsLastTileTurnsIntoTheDiscardInTheTableCentre) {
    struct Expected {
        int seat;
        double handWidth, handHeight, left, top, width, height;
        bool inFront;
    };
    const Expected seats[] = {
        {1, 35, 66, 494.5, 351, 48, 35, true},
        {2, 36, 50, 494, 359, 30, 36, true},
        {3, 35, 66, 494.5, 351, 48, 35, false},
    };
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        Hold(e.seat, 5, e.handWidth, e.handHeight);
        t.sound->played.clear();
        const double slept = t.clock->sleptSeconds;
        ShowOtherDiscard(*t, kSeatBits[e.seat], kFiveOfCharacters);
        const ImageControl& image = Image(104);
        EXPECT_EQ(t->table.LastDiscardImage, 104);
        EXPECT_EQ(t->table.LastDiscardTile, kFiveOfCharacters);
        EXPECT_EQ(t->table.LastDiscarder, e.seat);
        EXPECT_EQ(t->table.TileImagePictures[104], TilePicture(e.seat, kFiveOfCharacters));
        EXPECT_DOUBLE_EQ(image.Left(), e.left);
        EXPECT_DOUBLE_EQ(image.Top(), e.top);
        EXPECT_EQ(image.Width(), e.width);
        EXPECT_EQ(image.Height(), e.height);
        EXPECT_TRUE(image.isVisible());
        EXPECT_TRUE(e.inFront ? InFrontOfAll(image) : BehindAll(image));
        EXPECT_EQ(t->seatInfo[e.seat].ConcealedCount, 4);
        EXPECT_EQ(t->seatInfo[e.seat].Slots[8].Image, 104);  // the slot is left beyond the run
        EXPECT_EQ(Played(), std::vector<QString>{Voice()});
        EXPECT_DOUBLE_EQ(t.clock->sleptSeconds - slept, 0.05);
    }
}

TEST_F(OtherDiscardTest, TheOwnDiscardIsOnlyRecordedAndVoiced) {
    Hold(0, 5, 48, 78);
    ShowOtherDiscard(*t, kSeatBits[0], kFiveOfCharacters);
    EXPECT_EQ(t->table.LastDiscardTile, kFiveOfCharacters);
    EXPECT_EQ(t->table.LastDiscarder, 0);
    EXPECT_EQ(t->table.LastDiscardImage, 7);
    EXPECT_EQ(t->seatInfo[0].ConcealedCount, 5);
    EXPECT_EQ(t->table.TileImagePictures[104], -1);
    EXPECT_EQ(Played(), std::vector<QString>{Voice()});
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.05);
}

TEST_F(OtherDiscardTest, ASeatHoldingOneTileDiscardsItsFirstConcealedSlot) {
    Hold(2, 1, 36, 50);
    ShowOtherDiscard(*t, kSeatBits[2], kFiveOfCharacters);
    EXPECT_EQ(t->seatInfo[2].ConcealedCount, 0);
    EXPECT_EQ(t->table.LastDiscardImage, 100);
}

TEST_F(OtherDiscardTest, WithEffectSoundsOffThePauseStillComesButNoVoice) {
    t->sound.EffectSoundOn = false;
    Hold(1, 3, 35, 66);
    ShowOtherDiscard(*t, kSeatBits[1], kFiveOfCharacters);
    EXPECT_TRUE(t.sound->played.empty());
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.05);
}

TEST_F(OtherDiscardTest, ADiscardWithoutATileOnlyClearsTheLastDiscardTile) {
    t->table.LastDiscardTile = 0x22;
    Hold(1, 3, 35, 66);
    ShowOtherDiscard(*t, kSeatBits[1], 0);
    EXPECT_EQ(t->table.LastDiscardTile, 0);
    EXPECT_EQ(t->table.LastDiscarder, 2);
    EXPECT_EQ(t->table.LastDiscardImage, 7);
    EXPECT_EQ(t->seatInfo[1].ConcealedCount, 3);
    EXPECT_TRUE(t.sound->played.empty());
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0);
}

TEST_F(OtherDiscardTest, BadServerValuesAreRunTimeErrors) {
    Hold(1, 3, 35, 66);
    EXPECT_THROW(ShowOtherDiscard(*t, 3, kFiveOfCharacters), RuntimeError);  // no single seat bit
    EXPECT_THROW(ShowOtherDiscard(*t, kSeatBits[1], 0x4A), RuntimeError);   // no such tile
    EXPECT_THROW(ShowOtherDiscard(*t, kSeatBits[2], kFiveOfCharacters), RuntimeError);  // an empty hand
}
}  // namespace
