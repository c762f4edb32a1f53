// A spectator's claim announcements: bubble, word and voice of another seat
// and a blocking 2-second pause, only once the table has been rebuilt.
#include "results/ScoreWindow.h"
#include "table/Pictures.h"
#include "watch/WatchFixture.h"
#include "watch/WatchView.h"

namespace {
constexpr int kPung = 8, kSingleKong = 64, kWin = 128;
constexpr int16_t kWildTile = 0x29;

class WatchClaimsTest : public WatchFixture {
protected:
    void SetUp() override {
        WatchFixture::SetUp();
        Deal();
    }
    // A new hand in which every seat holds five tiles and seat 2 has discarded 0x45.
    void Deal() {
        NewHand();
        c.table.TableRebuilt = true;
        c.table.WildTile = kWildTile;
        for (int seat = 0; seat < 4; ++seat) Hold(seat, {0x45, 0x45, 0x11, 0x11, 0x12}, 100 + 5 * seat);
        c.table.LastDiscardImage = 60;
        c.table.LastDiscardTile = 0x45;
        c.table.LastDiscarder = 2;
    }
    // Announces the claim; returns the seconds the client stood still and
    // whether the seat's bubble showed meanwhile.
    std::pair<double, bool> Announce(int op, int seat, int16_t tile = 0x45) {
        bool bubbleShown = false;
        QMetaObject::Connection watching;
        if (seat > 0)
            watching = QObject::connect(Form().Speak[seat - 1], &QGraphicsObject::visibleChanged, [&, seat] {
                bubbleShown = bubbleShown || Form().Speak[seat - 1]->isVisible();
            });
        const double start = t.clock->now;
        SideShowOperation(c, int16_t(op), kSeatBits[seat], {tile, tile, tile});
        QObject::disconnect(watching);
        return {t.clock->now - start, bubbleShown};
    }
    MainForm& Form() { return *c.mainForm; }
    bool WordsShow(int resourceId) { return Form().Words->Picture().toImage() == PictureOfResource(resourceId).toImage(); }
    QColor IdColor(int seat) { return c.Score().ID[seat]->palette().color(QPalette::WindowText); }
};

TEST_F(WatchClaimsTest, EachClaimShowsItsWordAndSpeaksItsVoice) {
    struct Case {
        const char* name;
        int op;
        int16_t tile;
        int resource;
        const char* voice;
    };
    const Case cases[] = {
        {"chow", 4, 0x45, 183, "01.wav"},
        {"pung", 8, 0x45, 184, "02.wav"},
        {"kong on a discard", 16, 0x45, 185, "03.wav"},
        {"concealed kong", 32, 0x11, 186, "03.wav"},
        {"Red Dragon kong", 64, 0x15, 187, "04.wav"},
        {"wild-tile kong", 64, kWildTile, 188, "05.wav"},
        {"other one-tile kong", 64, 0x23, 189, "03.wav"},
        {"win", 128, 0x45, 190, "09.wav"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto [paused, bubbleShown] = Announce(k.op, 3, k.tile);
        EXPECT_DOUBLE_EQ(paused, 2.0);
        EXPECT_TRUE(bubbleShown);
        EXPECT_TRUE(WordsShow(k.resource));
        EXPECT_EQ(Played(), std::vector<QString>{Voice(QString::fromLatin1(k.voice))});
        EXPECT_EQ(t.sound->volume, 3000);
        EXPECT_FALSE(Form().Speak[2]->isVisible());
        EXPECT_FALSE(Form().Words->isVisible());
        Deal();
    }
}

TEST_F(WatchClaimsTest, TheBubbleStandsBesideTheClaimingSeat) {
    const ImageControl& portrait = *Form().Tou[2];
    const struct {
        int seat;
        double left, top;
    } seats[] = {{1, 8, 280}, {2, portrait.Left() + 0.8 * portrait.Width(), 110}, {3, 936, 280}};
    for (const auto& e : seats) {
        SCOPED_TRACE(e.seat);
        Announce(kWin, e.seat);
        const ImageControl& bubble = *Form().Speak[e.seat - 1];
        EXPECT_DOUBLE_EQ(bubble.Left(), e.left);
        EXPECT_DOUBLE_EQ(bubble.Top(), e.top);
        EXPECT_DOUBLE_EQ(Form().Words->Left(), e.left + 0.17 * bubble.Width());
        EXPECT_DOUBLE_EQ(Form().Words->Top(), e.top + 0.24 * bubble.Height());
    }
}

TEST_F(WatchClaimsTest, TheWatchedSeatsClaimsAndClaimsBeforeARebuildAreLaidOutSilentlyAtOnce) {
    const auto [watchedPause, watchedBubble] = Announce(kPung, 0);
    EXPECT_EQ(watchedPause, 0);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(c.seatInfo[0].MeldEnd, 6);

    c.table.TableRebuilt = false;
    const auto [pause, bubbleShown] = Announce(kPung, 1);
    EXPECT_EQ(pause, 0);
    EXPECT_FALSE(bubbleShown);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(c.seatInfo[1].MeldEnd, 7);
}

TEST_F(WatchClaimsTest, WithoutEffectSoundsTheBubbleAndPauseRemain) {
    c.sound.EffectSoundOn = false;
    const auto [pause, bubbleShown] = Announce(kPung, 2);
    EXPECT_DOUBLE_EQ(pause, 2.0);
    EXPECT_TRUE(bubbleShown);
    EXPECT_TRUE(Played().empty());
}

TEST_F(WatchClaimsTest, CodesOutsideTheClaimsPauseButLayNothing) {
    Announce(kPung, 1);
    t.sound->played.clear();
    // A code of 2 or more shows the bubble with the last word, a lower one none.
    const auto [pause, bubbleShown] = Announce(2, 1);
    EXPECT_DOUBLE_EQ(pause, 2.0);
    EXPECT_TRUE(bubbleShown);
    EXPECT_TRUE(WordsShow(184));
    const auto [lowPause, lowBubble] = Announce(1, 1);
    EXPECT_DOUBLE_EQ(lowPause, 2.0);
    EXPECT_FALSE(lowBubble);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(c.seatInfo[1].MeldEnd, 7);
}

TEST_F(WatchClaimsTest, TheFirstWinnerOfTheHandIsMarkedRedAndTheOthersGreen) {
    Announce(kWin, 3);
    EXPECT_EQ(c.table.WinnerSeat, 3);
    for (int seat = 0; seat < 4; ++seat) EXPECT_EQ(IdColor(seat), seat == 3 ? QColor(255, 0, 0) : QColor(0, 255, 0));
    // A second winner is announced but marks nothing.
    const auto [pause, bubbleShown] = Announce(kWin, 1);
    EXPECT_DOUBLE_EQ(pause, 2.0);
    EXPECT_EQ(c.table.WinnerSeat, 3);
    EXPECT_EQ(IdColor(1), QColor(0, 255, 0));

    Deal();
    const auto [watchedPause, watchedBubble] = Announce(kWin, 0);
    EXPECT_EQ(watchedPause, 0);
    EXPECT_EQ(c.table.WinnerSeat, 0);
    EXPECT_EQ(IdColor(0), QColor(255, 0, 0));
}

TEST_F(WatchClaimsTest, EveryClaimOfASideSeatRestacksItsConcealedRow) {
    // The left seat's lower tiles cover the ones above, the right seat's upper ones.
    Announce(kWin, 1);
    for (int image = 106; image <= 109; ++image) EXPECT_GT(Image(image).zValue(), Image(image - 1).zValue());
    Announce(kWin, 3);
    for (int image = 116; image <= 119; ++image) EXPECT_LT(Image(image).zValue(), Image(image - 1).zValue());
    const double opposite = Image(110).zValue();
    Announce(kWin, 2);
    EXPECT_EQ(Image(110).zValue(), opposite);
}
}  // namespace
