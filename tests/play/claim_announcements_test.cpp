#include "wire/General.h"
#include "play/ClaimAnnouncements.h"
#include "table/TilePictures.h"
#include "AllSeatsFixture.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/SeatRecords.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <optional>

namespace {
constexpr int16_t kWildTile = 0x29;
constexpr int16_t kDiscardImage = 120;

// Another seat's claims as every client announces them.
class ClaimAnnouncementsTest : public AllSeatsFixture {
protected:
    void Prepare() override {
        c().table.WildTile = kWildTile;
        c().table.LastDiscardImage = kDiscardImage;
        for (int seat = 0; seat < 4; ++seat) {
            SeatInfo& info = c().seatInfo[seat];
            c().playerInfo[seat].VoiceCode = QStringLiteral("00");
            c().playerInfo[seat].VoiceSet = QStringLiteral("10");
            c().playerInfo[seat].Sex = 1;
            c().playerInfo[seat].VoiceSex = 3;
            for (int k = 0; k < 14; ++k) info.Slots[4 + k] = {1, 0x21, int16_t(10 + 20 * seat + k), 0};
            info.ConcealedCount = 14;
        }
    }
    MainForm& form() { return *c().mainForm; }
    ImageControl& speak(int seat) { return *form().Speak.at(seat - 1); }
    bool WordsShow(int resourceId) { return form().Words->Picture().toImage() == PictureOfResource(resourceId).toImage(); }
    QString Voice(const char* suffix) { return c().sound.VoiceFolder + QStringLiteral("v001013") + QLatin1String(suffix); }
    QString LastSound() { return t->sound->played.empty() ? QStringLiteral("(none)") : t->sound->played.back().path; }
    void Announce(int op, int seat, std::array<int16_t, 3> tiles = {0, 0, 0x23}) {
        ShowOperation(c(), int16_t(op), kSeatBits[seat], tiles);
    }

};

TEST_F(ClaimAnnouncementsTest, EachClaimShowsItsWordAndSpeaksItsVoice) {
    struct Case {
        int op;
        std::array<int16_t, 3> tiles;
        int wordId;
        const char* voice;
    };
    const Case cases[] = {
        {4, {0x21, 0x22, 0x23}, 183, "01.wav"}, {8, {0x23, 0x23, 0x23}, 184, "02.wav"},
        {16, {0, 0, 0x23}, 185, "03.wav"},      {32, {0, 0, 0x23}, 186, "03.wav"},
        {64, {0, 0, 0x27}, 189, "03.wav"},      {64, {0, 0, 0x15}, 187, "04.wav"},
        {64, {0, 0, kWildTile}, 188, "05.wav"}, {128, {0, 0, 0}, 190, "09.wav"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.op << " " << test.tiles[2]);
        Start();
        Announce(test.op, 1, test.tiles);
        EXPECT_TRUE(speak(1).isVisible());
        EXPECT_TRUE(form().Words->isVisible());
        EXPECT_TRUE(WordsShow(test.wordId));
        EXPECT_EQ(LastSound(), Voice(test.voice));
        EXPECT_EQ(t->sound->volume, 3000);
    }
}

TEST_F(ClaimAnnouncementsTest, OppositePungBubbleFollowsThePortraitAndLastsTwoSeconds) {
    form().Tou[2]->Move(500, 20, 80, 90);
    speak(1).setVisible(true);
    speak(3).setVisible(true);
    c().table.LastDiscardTile = 0x23;
    Announce(8, 2, {0x23, 0x23, 0x23});

    ImageControl& bubble = speak(2);
    EXPECT_DOUBLE_EQ(bubble.Top(), 110);
    EXPECT_DOUBLE_EQ(bubble.Left(), 500 + 0.8 * 80);
    EXPECT_DOUBLE_EQ(form().Words->Left(), bubble.Left() + 0.17 * bubble.Width());
    EXPECT_DOUBLE_EQ(form().Words->Top(), bubble.Top() + 0.24 * bubble.Height());
    EXPECT_GT(form().Words->zValue(), bubble.zValue());
    EXPECT_TRUE(WordsShow(184));
    EXPECT_EQ(LastSound(), Voice("02.wav"));
    EXPECT_FALSE(speak(1).isVisible());
    EXPECT_FALSE(speak(3).isVisible());
    t->Tick(39);
    EXPECT_TRUE(bubble.isVisible());
    t->Tick(1);
    EXPECT_FALSE(bubble.isVisible());
    EXPECT_FALSE(form().Words->isVisible());
}

TEST_F(ClaimAnnouncementsTest, ASecondSeatsClaimTakesOverTheBubble) {
    Announce(16, 1);
    t->Tick(20);
    Announce(128, 3);
    EXPECT_FALSE(speak(1).isVisible());
    EXPECT_TRUE(speak(3).isVisible());
    EXPECT_TRUE(WordsShow(190));
    t->Tick(39);
    EXPECT_TRUE(speak(3).isVisible());
    t->Tick(1);
    EXPECT_FALSE(speak(3).isVisible());
}

TEST_F(ClaimAnnouncementsTest, OwnClaimIsNotAnnouncedAndLeavesAnotherSeatsBubbleUp) {
    Announce(16, 1);
    t->Tick(10);
    const size_t sounds = t->sound->played.size();
    Announce(128, 0);
    EXPECT_TRUE(speak(1).isVisible());
    EXPECT_TRUE(WordsShow(185));
    EXPECT_EQ(t->sound->played.size(), sounds);
    EXPECT_EQ(c().scheduler.BubbleJobTicks, 10);
    EXPECT_EQ(c().table.BubbleSeat, 0);
    EXPECT_EQ(c().table.WinnerSeat, 0);
}

TEST_F(ClaimAnnouncementsTest, WithoutEffectSoundsTheBubbleStillShowsSilently) {
    c().sound.EffectSoundOn = false;
    const size_t sounds = t->sound->played.size();
    Announce(32, 3);
    EXPECT_TRUE(speak(3).isVisible());
    EXPECT_TRUE(WordsShow(186));
    EXPECT_EQ(t->sound->played.size(), sounds);
    EXPECT_TRUE(c().scheduler.BubbleJobOn);
    EXPECT_EQ(c().table.BubbleSeat, 2);
}

// Unknown codes: 2 and above show the bubble with the last word, below 2
// none; either way nothing is spoken, the timer restarts and nothing is laid.
TEST_F(ClaimAnnouncementsTest, UnknownCodesRestartTheBubbleTimerOnly) {
    Announce(8, 1, {0x23, 0x23, 0x23});
    const SeatInfo before = c().seatInfo[3];
    for (const int op : {2, 1}) {
        SCOPED_TRACE(op);
        t->Tick(5);
        speak(3).setVisible(false);
        Announce(op, 3);
        EXPECT_EQ(speak(3).isVisible(), op >= 2);
        EXPECT_FALSE(speak(1).isVisible());
        EXPECT_TRUE(WordsShow(184));
        EXPECT_TRUE(LastSound().isEmpty());
        EXPECT_EQ(c().scheduler.BubbleJobTicks, 0);
        EXPECT_EQ(c().table.BubbleSeat, 2);
        EXPECT_EQ(c().seatInfo[3].ConcealedCount, before.ConcealedCount);
        EXPECT_EQ(c().seatInfo[3].MeldEnd, before.MeldEnd);
    }
}
}  // namespace
