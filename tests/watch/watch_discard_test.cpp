// A spectator's discards: straight into their rows, voiced, enlarged for a
// second once the table has been rebuilt.
#include "watch/WatchFixture.h"
#include "watch/WatchView.h"

namespace {
class WatchDiscardTest : public WatchFixture {
protected:
    // `n` discards of a seat, each from a fresh last tile; their places in order.
    std::vector<Place> DiscardRow(int seat, int n) {
        std::vector<Place> places;
        for (int i = 0; i < n; ++i) {
            Hold(seat, {0x45}, i);
            SideShowDiscard(c, kSeatBits[seat], 0x45);
            places.push_back(PlaceOf(i));
        }
        return places;
    }
};

TEST_F(WatchDiscardTest, EachSeatsRowsHoldEightAndTheNinthStartsTheNextRow) {
    struct Expected {
        int seat;
        Place first, eighth, ninth;
        double width, height;
        bool inFront;
    };
    // Bottom: 36-pixel steps, new rows 32 higher; left: 18 down and 5 left,
    // new rows 43 right; opposite: 30 left, new rows 22 lower; right: 18 up
    // and 5 left, new rows 43 left.
    const Expected seats[] = {
        {0, {358, 438}, {358 + 7 * 36, 438}, {358, 438 - 32}, 36, 50, false},
        {1, {287, 238}, {287 - 35, 238 + 7 * 18}, {287 + 43, 238}, 48, 35, true},
        {2, {635, 238}, {635 - 7 * 30, 238}, {635, 238 + 22}, 30, 36, true},
        // The right seat's tiles go to the back, but its re-stack brings a new row forward.
        {3, {758, 438}, {758 - 35, 438 - 7 * 18}, {758 - 43, 438}, 48, 35, true},
    };
    for (const Expected& e : seats) {
        SCOPED_TRACE(e.seat);
        const std::vector<Place> places = DiscardRow(e.seat, 9);
        EXPECT_EQ(places[0], e.first);
        EXPECT_EQ(places[7], e.eighth);
        EXPECT_EQ(places[8], e.ninth);
        EXPECT_EQ(Image(8).Width(), e.width);
        EXPECT_EQ(Image(8).Height(), e.height);
        EXPECT_EQ(PictureOf(8), TilePicture(e.seat, 0x45));
        EXPECT_EQ(e.inFront ? InFrontOfAll(Image(8)) : BehindAll(Image(8)), true);
        EXPECT_EQ(c.seatInfo[e.seat].ConcealedCount, 0);
        EXPECT_EQ(c.table.LastDiscarder, e.seat);
        EXPECT_EQ(c.table.LastDiscardImage, 8);
        EXPECT_EQ((Place{double(c.table.SavedDiscardX), double(c.table.SavedDiscardY)}), e.ninth);
        NewHand();
    }
}

TEST_F(WatchDiscardTest, TheRightSeatsRowsAreRestackedSoLowerAndNewerTilesLieInFront) {
    struct Case {
        int discards;
        std::vector<int> frontToBack;  // images, the topmost first
    };
    const Case cases[] = {
        {3, {0, 1, 2}},
        {10, {8, 9, 0, 1, 2, 3, 4, 5, 6, 7}},
        {17, {16, 8, 9, 10, 11, 12, 13, 14, 15, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.discards);
        DiscardRow(3, k.discards);
        EXPECT_EQ(c.table.RightDiscardCount, k.discards);
        for (size_t i = 1; i < k.frontToBack.size(); ++i)
            EXPECT_GT(Image(k.frontToBack[i - 1]).zValue(), Image(k.frontToBack[i]).zValue()) << i;
        NewHand();
    }
}

TEST_F(WatchDiscardTest, ATwentyFifthRightDiscardIsLaidButNeitherListedNorRestacked) {
    DiscardRow(3, 24);
    const double z23 = Image(23).zValue();
    Hold(3, {0x45}, 30);
    EXPECT_NO_THROW(SideShowDiscard(c, kSeatBits[3], 0x45));
    EXPECT_EQ(c.table.RightDiscardCount, 24);
    EXPECT_EQ(c.table.LastDiscardImage, 30);
    EXPECT_EQ(Image(30).Width(), 48);
    EXPECT_TRUE(BehindAll(Image(30)));
    EXPECT_EQ(Image(23).zValue(), z23);
}

TEST_F(WatchDiscardTest, TheDiscardIsVoicedInTheDiscardersVoiceAtFullVolume) {
    Hold(1, {0x45});
    c.table.LastDiscardTile = 0;
    SideShowDiscard(c, kSeatBits[1], 0x45);
    EXPECT_EQ(Played(), std::vector<QString>{Voice(QStringLiteral("85.wav"))});
    EXPECT_EQ(t.sound->volume, 3000);
    EXPECT_EQ(c.table.LastDiscardTile, 0x45);

    t.sound->played.clear();
    t.sound->volume = -1;
    c.sound.EffectSoundOn = false;
    Hold(1, {0x21}, 110);
    SideShowDiscard(c, kSeatBits[1], 0x21);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(t.sound->volume, -1);
    EXPECT_EQ(PictureOf(110), TilePicture(1, 0x21));
}

TEST_F(WatchDiscardTest, ATileCodeOfZeroOnlyClearsTheLastDiscard) {
    Hold(2, {0x45});
    c.table.LastDiscardTile = 0x33;
    c.table.LastDiscarder = 1;
    const Place before = PlaceOf(100);
    SideShowDiscard(c, kSeatBits[2], 0);
    EXPECT_EQ(c.table.LastDiscardTile, 0);
    EXPECT_EQ(c.table.LastDiscarder, 1);
    EXPECT_EQ(c.seatInfo[2].ConcealedCount, 1);
    EXPECT_EQ(PlaceOf(100), before);
    EXPECT_TRUE(Played().empty());
}

TEST_F(WatchDiscardTest, OnlyARebuiltTableShowsTheDiscardEnlargedForASecond) {
    struct Moment {
        Place place;
        double now;
        bool operator==(const Moment&) const = default;
    };
    const QWidget& surface = *c.mainForm->Pic1;
    // The opposite seat's 30 × 36 discard a fifth larger, centred on the table.
    const Place centre{(surface.width() - 36.0) / 2, (surface.height() - 1.2 * 36) / 2};
    for (bool rebuilt : {false, true}) {
        SCOPED_TRACE(rebuilt);
        c.table.TableRebuilt = rebuilt;
        Hold(2, {0x45});
        std::vector<Moment> moves;
        const QMetaObject::Connection watching = QObject::connect(&Image(100), &QGraphicsObject::xChanged, [&] {
            moves.push_back({PlaceOf(100), t.clock->now});
        });
        const double start = t.clock->now;
        SideShowDiscard(c, kSeatBits[2], 0x45);
        const Place row{635, 238};
        if (rebuilt)
            EXPECT_EQ(moves, (std::vector<Moment>{{centre, start}, {row, start + 1}}));
        else
            EXPECT_EQ(moves, (std::vector<Moment>{{row, start}}));
        EXPECT_EQ(Image(100).Width(), 30);
        EXPECT_TRUE(InFrontOfAll(Image(100)));
        QObject::disconnect(watching);
        NewHand();
    }
}

TEST_F(WatchDiscardTest, TheWildIndicatorLaidByARebuildStaysOnTop) {
    c.table.IndicatorImage = 60;
    Hold(3, {0x45});
    SideShowDiscard(c, kSeatBits[3], 0x45);
    EXPECT_TRUE(InFrontOfAll(Image(60)));
}

TEST_F(WatchDiscardTest, TheWatchedSeatDiscardsTheTileOfTheNamedCodeAndKeepsTheOthers) {
    Hold(0, {0x11, 0x45, 0x23});
    const Place lastPlace = PlaceOf(102);
    SideShowDiscard(c, kSeatBits[0], 0x45);
    // The tile of 0x45 (image 101) leaves; the last tile takes its slot and place.
    EXPECT_EQ(c.table.LastDiscardImage, 101);
    EXPECT_EQ(PictureOf(101), TilePicture(0, 0x45));
    EXPECT_EQ(PlaceOf(101), (Place{358, 438}));
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 2);
    EXPECT_EQ(Slot(0, 5).Tile, 0x23);
    EXPECT_EQ(Slot(0, 5).Image, 102);
    EXPECT_EQ(PlaceOf(102), (Place{lastPlace.left - 48, lastPlace.top}));
    EXPECT_EQ(Slot(0, 4).Tile, 0x11);

    // A code the hand does not hold takes the last tile, as the row shows backs.
    SideShowDiscard(c, kSeatBits[0], 0x29);
    EXPECT_EQ(c.table.LastDiscardImage, 102);
    EXPECT_EQ(PictureOf(102), TilePicture(0, 0x29));
}

TEST_F(WatchDiscardTest, AFailingLaterStepIsLeftOut) {
    // A tile code that names no tile: the image keeps its picture but still goes into the row.
    Hold(1, {0x45});
    const int16_t back = PictureOf(100);
    EXPECT_NO_THROW(SideShowDiscard(c, kSeatBits[1], 0x4F));
    EXPECT_EQ(PictureOf(100), back);
    EXPECT_EQ(PlaceOf(100), (Place{287, 238}));
    EXPECT_EQ(c.seatInfo[1].ConcealedCount, 0);
    EXPECT_EQ(c.seatInfo[1].DiscardY, 238 + 18);

    // An empty run has no image to lay: the discard is voiced and counted, nothing moves.
    t.sound->played.clear();
    EXPECT_NO_THROW(SideShowDiscard(c, kSeatBits[2], 0x45));
    EXPECT_EQ(Played().size(), 1u);
    EXPECT_EQ(c.table.LastDiscarder, 2);
    EXPECT_EQ(c.table.LastDiscardImage, -1);
    EXPECT_EQ(PlaceOf(100), (Place{287, 238})) << "the last seat's discard stays in its row";
    EXPECT_EQ(c.seatInfo[2].ConcealedCount, 0);
}
}  // namespace
