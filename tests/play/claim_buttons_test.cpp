#include "OwnHandFixture.h"
#include "play/ClaimAnswers.h"
#include "play/ClaimButtons.h"
#include "play/MouseDiscard.h"
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QRectF>
#include <functional>

namespace {
constexpr int kChow = 0, kPung = 1, kKong = 2, kWin = 3, kPass = 4;

class ClaimButtons : public OwnHandFixture {
protected:
    void SetUp() override {
        OwnHandFixture::SetUp();
        c.playerInfo[0].VoiceCode = "00";
        c.playerInfo[0].VoiceSet = "10";
        c.playerInfo[0].Sex = 1;
        c.playerInfo[0].VoiceSex = 3;
        c.table.TurnSeconds = 8;
    }
    MainForm& f() { return *c.mainForm; }
    // An own pung of the tile in meld slots 1 to 3; the concealed run then starts at slot 7.
    void PungInMelds(int tile) {
        SeatInfo& own = c.seatInfo[0];
        for (int s = 1; s <= 3; ++s) own.Slots[s] = {SlotFlag::Pung, static_cast<int16_t>(tile), static_cast<int16_t>(130 + s), 0};
        own.MeldEnd = 6;
        own.FirstConcealed = 7;
    }
    void ExpectChoiceCountdown() {
        EXPECT_TRUE(c.scheduler.TurnCountdownOn);
        EXPECT_EQ(c.scheduler.TurnCountdownTicks, 0);
        EXPECT_EQ(c.table.ActionCountdown, 4);
        EXPECT_TRUE(f().Number->isVisible());
        EXPECT_EQ(f().Number->Caption(), "4");
        EXPECT_TRUE(f().Time_Img->isVisible());
    }
};

TEST_F(ClaimButtons, ThreeChowsShowAsPicturesAndEitherPictureOfAPairSendsIt) {
    Hand({0x41, 0x86, 0x83, 0x11, 0x87, 0x84});
    c.table.LastDiscardTile = 0x85;
    c.table.LastDiscardImage = 90;
    Prompt(1 | 4);
    MainForm_Operation_Click(c, kChow);

    // Sorted: 3 4 6 7 of circles in slots 4 to 7.
    EXPECT_EQ(c.play.ChowChoices, (std::array<int16_t, 6>{4, 5, 5, 6, 6, 7}));
    EXPECT_TRUE(Answers().empty());
    EXPECT_EQ(c.table.PromptState, 1);
    EXPECT_TRUE(f().Operation[kChow]->isVisible());
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(f().Operation[k]->isVisible()) << k;
    // Their places: ChoicePictures below.
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const ImageControl& picture = *f().Chi[i];
        EXPECT_TRUE(picture.isVisible());
        EXPECT_TRUE(picture.isEnabled());
    }
    ExpectChoiceCountdown();
    ASSERT_FALSE(t.sound->played.empty());
    EXPECT_TRUE(t.sound->played.back().path.endsWith("v00101301.wav"));

    MainForm_Chi_Click(c, 3);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 4, 0x2084, 0x2086, 0x2085}}));
    EXPECT_EQ(c.play.ChowChoices[0], 5);
    EXPECT_EQ(c.play.ChowChoices[1], 6);
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    for (const ImageControl* picture : f().Chi) EXPECT_FALSE(picture->isVisible());
    EXPECT_FALSE(f().Operation[kChow]->isVisible());
}

TEST_F(ClaimButtons, ASingleChowIsSentAtOnce) {
    struct Case {
        const char* name;
        std::vector<int> hand;
        int discard;
        Answer sent;
    };
    const std::vector<Case> cases{
        {"discard 1 only chows upwards", {0x22, 0x23, 0x24, 0x11}, 0x21, {7, 1, 4, 0x2022, 0x2023, 0x2021}},
        {"discard 9 only chows downwards", {0x47, 0x48, 0x46, 0x11}, 0x49, {7, 1, 4, 0x2047, 0x2048, 0x2049}},
        {"leading wild tile stands aside", {0x84, 0x81, 0x82}, 0x83, {7, 1, 4, 0x2082, 0x2084, 0x2083}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c.transport.SendRead = c.transport.SendWrite;
        c.table.WildTile = 0x81;
        Hand(k.hand);
        c.table.LastDiscardTile = static_cast<int16_t>(k.discard);
        Prompt(1 | 4);
        MainForm_Operation_Click(c, kChow);
        EXPECT_EQ(Answers(), std::vector<Answer>{k.sent});
        EXPECT_FALSE(f().Operation[kChow]->isVisible());
        EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    }
    EXPECT_EQ(c.seatInfo[0].WildCount, 1);
}

TEST_F(ClaimButtons, TwoEqualTilesOfARankChowWithTheLastOfThem) {
    Hand({0x84, 0x83, 0x84, 0x11});
    StartChow(c, 0x85);
    EXPECT_EQ(c.play.ChowChoices[0], 4);
    EXPECT_EQ(c.play.ChowChoices[1], 6);
}

TEST_F(ClaimButtons, NoChowFoundStillRunsTheCountdownSoTheTimeOutAnswers) {
    Hand({0x81, 0x89, 0x41, 0x42});
    c.table.LastDiscardTile = 0x85;
    Prompt(1 | 4);
    MainForm_Operation_Click(c, kChow);
    EXPECT_TRUE(Answers().empty());
    EXPECT_TRUE(f().Operation[kChow]->isVisible());
    EXPECT_FALSE(f().Operation[kChow]->isEnabled());
    ExpectChoiceCountdown();

    t.Tick(20 * 6);
    EXPECT_EQ(c.table.PromptState, 3);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
}

TEST_F(ClaimButtons, OneKongPossibilitySendsOneAnswerOfItsKind) {
    PungInMelds(0x11);
    Hand({0x41, 0x11, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x21});
    Prompt(1 | 32 | 64);
    MainForm_Operation_Click(c, kKong);
    const int eastSlot = Run(10);  // sorted: characters, bamboo, then 東
    EXPECT_EQ(Slot(eastSlot).Tile, 0x11);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 64, 0, 0, 0x2011}}));
    EXPECT_EQ(c.play.KongChoices[0], eastSlot);
    EXPECT_FALSE(f().Operation[kKong]->isVisible());
    for (const ImageControl* picture : f().Gang) EXPECT_FALSE(picture->isVisible());
}

TEST_F(ClaimButtons, KongPicturesSendTheKindTheirTilesMake) {
    PungInMelds(0x11);
    Hand({0x23, 0x11, 0x23, 0x41, 0x23, 0x23, 0x42, 0x43});
    Prompt(1 | 32 | 64);
    MainForm_Operation_Click(c, kKong);
    // First the one-tile kong of 東, then the concealed kong of 3 bamboo.
    // Sorted: 1 2 3 of characters, 3 bamboo ×4, 東.
    const int bambooSlot = Run(3);
    EXPECT_EQ(c.play.KongChoices[0], Run(7));
    EXPECT_EQ(c.play.KongChoices[1], bambooSlot);
    EXPECT_TRUE(Answers().empty());
    EXPECT_TRUE(f().Operation[kKong]->isVisible());
    // Their places: ChoicePictures below.
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(f().Gang[i]->isVisible()) << i;
    EXPECT_FALSE(f().Gang[2]->isVisible());
    ExpectChoiceCountdown();

    MainForm_Gang_Click(c, 1);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 32, 0x2023, 0x2023, 0x2023}}));
    EXPECT_EQ(c.play.KongChoices[0], bambooSlot);
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    EXPECT_FALSE(f().Gang[0]->isVisible());
    EXPECT_TRUE(t.sound->played.back().path.endsWith("v00101303.wav"));
}

TEST_F(ClaimButtons, TheKongButtonOffersTheRedDragonAndTheWildTileAsOneTileKongs) {
    c.table.WildTile = 0x29;
    Hand({0x41, 0x15, 0x42, 0x29, 0x43});
    Prompt(1 | 64);
    MainForm_Operation_Click(c, kKong);
    // Without a concealed kong on offer the hand is searched as it stands.
    EXPECT_EQ(c.play.KongChoices[0], Run(1));
    EXPECT_EQ(c.play.KongChoices[1], Run(3));
    EXPECT_TRUE(f().Gang[1]->isVisible());
    MainForm_Gang_Click(c, 1);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 64, 0, 0, 0x2029}}));

    // Two wild tiles side by side are still one tile each to kong.
    Hand({0x29, 0x29, 0x41});
    Prompt(1 | 64);
    MainForm_Operation_Click(c, kKong);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 64, 0, 0, 0x2029}, {7, 1, 64, 0, 0, 0x2029}}));
}

TEST_F(ClaimButtons, AfterATimeOutTheKongSearchSendsItsFirstChoiceAtOnce) {
    Hand({0x23, 0x23, 0x23, 0x23, 0x41, 0x41, 0x41, 0x41});
    c.play.OfferedOps = 32;
    c.table.PromptState = 3;
    StartKong(c);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 32, 0x2023, 0x2023, 0x2023}}));
    for (const ImageControl* picture : f().Gang) EXPECT_FALSE(picture->isVisible());
}

TEST_F(ClaimButtons, KongPreTestIsTrueOnlyForTheHandsOnlyWildTileFirst) {
    struct Case {
        const char* name;
        std::vector<int> hand;
        bool expected;
    };
    const std::vector<Case> cases{
        {"five tiles", {0x86, 0x41, 0x42, 0x43, 0x44}, false},
        {"only wild tile", {0x86, 0x41, 0x42, 0x43, 0x44, 0x45}, true},
        {"two wild tiles", {0x86, 0x86, 0x41, 0x42, 0x43, 0x44}, false},
        {"Red Dragon found first", {0x86, 0x15, 0x41, 0x42, 0x43, 0x44}, false},
    };
    c.table.WildTile = 0x86;
    c.play.OfferedOps = 64;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Hand(k.hand);
        EXPECT_EQ(FindKongChoices(c), k.expected);
    }
    EXPECT_TRUE(Answers().empty());
}

TEST_F(ClaimButtons, PassOnTheOwnTurnKeepsTheHandDiscarding) {
    Hand({0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x81, 0x82, 0x83, 0x84, 0x85});
    Prompt(1 | 128);
    MainForm_Operation_Click(c, kPass);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_TRUE(c.table.MustDiscard);
    EXPECT_TRUE(c.scheduler.TurnCountdownOn);
    EXPECT_EQ(c.table.PromptState, 1);
    for (const ImageControl* button : f().Operation) {
        EXPECT_FALSE(button->isVisible());
        EXPECT_FALSE(button->isEnabled());
    }

    // On another seat's discard the pass ends the countdown.
    Hand({0x41, 0x42, 0x43, 0x44});
    Prompt(1 | 8);
    MainForm_Operation_Click(c, kPass);
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    EXPECT_FALSE(f().Number->isVisible());
}

// However a prompt is answered, by the user, the time-out move, the computer
// player or (for a spectator) by nobody, the row of claim buttons and the
// choice pictures go, so nothing greyed stays over the own discard row.
TEST_F(ClaimButtons, EveryWayAPromptEndsTakesTheButtonRowAndTheChoicePicturesAway) {
    const std::vector<int> waiting{0x41, 0x42, 0x43, 0x45, 0x45, 0x85, 0x86, 0x87, 0x88, 0x23, 0x23, 0x23, 0x11};
    const std::vector<int> threeChows{0x41, 0x83, 0x84, 0x86, 0x87, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x11, 0x12};
    const std::vector<int> twoKongs{0x23, 0x23, 0x23, 0x23, 0x41, 0x41, 0x41, 0x41, 0x85, 0x86, 0x87, 0x11, 0x12, 0x13};
    std::vector<int> ownTurn = waiting;
    ownTurn.push_back(0x13);
    const auto click = [this](int button) { MainForm_Operation_Click(c, button); };
    const auto discard = [this] { MainForm_MJ_Image_MouseDown(c, 2, kLeftButton, 0, 0, 0); };
    const auto runOut = [this] { t.Tick(20 * (c.table.TurnSeconds + 2)); };
    struct Case {
        const char* name;
        std::vector<int> hand;
        int ops;
        std::function<void()> end;
        bool autoPlay = false, spectator = false;
    };
    const std::vector<Case> cases{
        {"pung clicked", waiting, 1 | 8, [&] { click(kPung); }},
        {"the only chow clicked", waiting, 1 | 4, [&] { click(kChow); }},
        {"a chow picture clicked", threeChows, 1 | 4, [&] { click(kChow); MainForm_Chi_Click(c, 2); }},
        {"the only kong clicked", waiting, 1 | 16, [&] { click(kKong); }},
        {"a kong picture clicked", twoKongs, 1 | 32, [&] { click(kKong); MainForm_Gang_Click(c, 1); }},
        {"win clicked", waiting, 1 | 128, [&] { click(kWin); }},
        {"pass clicked", waiting, 1 | 8, [&] { click(kPass); }},
        {"pass on the own turn, then a discard", ownTurn, 1 | 128, [&] { click(kPass); discard(); }},
        {"right click on the table", waiting, 1 | 8, [&] { MainForm_Pic1_MouseUp(c, kRightButton, 0, 5, 5); }},
        {"discard on a turn that offers nothing", ownTurn, 0, discard},
        {"time-out move", ownTurn, 1 | 128, runOut},
        {"time-out while the chow pictures show", threeChows, 1 | 4, [&] { click(kChow); runOut(); }},
        {"auto-play move", waiting, 1 | 8, runOut, true},
        {"a spectator's prompt runs out", ownTurn, 1 | 128, runOut, false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c.table.AutoPlay = k.autoPlay;
        c.table.SpectatorMode = k.spectator;
        Hand(k.hand);
        c.table.LastDiscardTile = static_cast<int16_t>(k.ops & 4 ? 0x85 : k.ops & 16 ? 0x23 : 0x45);
        c.table.LastDiscardImage = 90;
        Prompt(k.ops);
        for (const ImageControl* button : f().Operation) ASSERT_TRUE(button->isVisible());
        k.end();
        for (int i = 0; i < 5; ++i) EXPECT_FALSE(f().Operation[i]->isVisible()) << "button " << i;
        for (const ImageControl* picture : f().Chi) EXPECT_FALSE(picture->isVisible());
        for (const ImageControl* picture : f().Gang) EXPECT_FALSE(picture->isVisible());
    }
}

// A claim is made with a left click on its button, as every button of the
// table window: a right press, or a press let go off the button, claims
// nothing (and is no right click on the table either, which would pass).
TEST_F(ClaimButtons, AnOfferedButtonAnswersOnlyALeftClickOnIt) {
    const auto send = [this](QEvent::Type type, QPointF scenePosition, Qt::MouseButton button) {
        QWidget* viewport = f().Pic1->viewport();
        const QPointF local = f().Pic1->mapFromScene(scenePosition);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, local, viewport->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    const struct {
        const char* name;
        Qt::MouseButton button;
        bool letGoOff;
        bool claims;
    } gestures[] = {
        {"right click", Qt::RightButton, false, false},
        {"left press let go off the button", Qt::LeftButton, true, false},
        {"left click", Qt::LeftButton, false, true},
    };
    Hand({0x41, 0x42, 0x43, 0x45, 0x45, 0x85, 0x86, 0x87, 0x88, 0x23, 0x23, 0x23, 0x11});
    c.table.LastDiscardTile = 0x45;
    c.table.LastDiscardImage = 90;
    for (const auto& g : gestures) {
        SCOPED_TRACE(g.name);
        Prompt(1 | 8);
        const QRectF place = f().Operation[kPung]->sceneBoundingRect();
        send(QEvent::MouseButtonPress, place.center(), g.button);
        send(QEvent::MouseButtonRelease, g.letGoOff ? place.topLeft() - QPointF(30, 30) : place.center(), g.button);
        EXPECT_EQ(Answers().size(), g.claims ? 1u : 0u);
    }
    ASSERT_EQ(Answers().size(), 1u);
    EXPECT_EQ(Answers()[0].type, MessageType::ClaimAnswer);
    EXPECT_EQ(Answers()[0].p0, 8);
}

TEST_F(ClaimButtons, ButtonsThatAreNotLiveDoNothing) {
    struct Case {
        const char* name;
        std::function<void(Client&)> setUp;
        int button;
    };
    const std::vector<Case> cases{
        {"not offered", [](Client&) {}, kChow},
        {"already answered", [](Client& c) { c.table.PromptState = 1; }, kPass},
        {"timed out", [](Client& c) { c.table.PromptState = 3; }, kPass},
        {"logged out", [](Client& c) { c.connection.LoggedIn = false; }, kPass},
        {"spectator", [](Client& c) { c.table.SpectatorMode = true; }, kPass},
    };
    Hand({0x41, 0x42, 0x43, 0x44});
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Prompt(1 | 8);
        c.connection.LoggedIn = true;
        c.table.SpectatorMode = false;
        k.setUp(c);
        MainForm_Operation_Click(c, k.button);
        EXPECT_TRUE(Answers().empty());
        EXPECT_TRUE(f().Operation[kPass]->isVisible());
        EXPECT_TRUE(c.scheduler.TurnCountdownOn);
    }
    c.connection.LoggedIn = true;
    c.table.SpectatorMode = true;
    c.table.PromptState = 0;
    MainForm_Chi_Click(c, 0);
    MainForm_Gang_Click(c, 0);
    EXPECT_TRUE(Answers().empty());
}
}  // namespace

namespace {
// The chow and kong choice pictures on both screen sizes.
class ChoicePictures : public OwnHandFixture, public ::testing::WithParamInterface<QSize> {
protected:
    ChoicePictures() : OwnHandFixture(TestClient::DefaultCommandLine(), GetParam()) {}
    void SetUp() override {
        OwnHandFixture::SetUp();
        c.table.TurnSeconds = 8;
    }
};

// Each picture is four fifths of the own hand's tile. The kong pictures rise
// in one column from the chow button's height over the win button; the chow
// pictures rise in pairs from the pung button, one own tile apart. Each row
// stands one picture height above the one below, so no picture hides part
// of another.
TEST_P(ChoicePictures, StandInRowsThatDoNotCoverEachOther) {
    // The own hand's tile: 48 × 78 design pixels, rounded to whole pixels.
    const bool small = GetParam().width() < 1024;
    const double tileWidth = small ? 38 : 48, tileHeight = small ? 61 : 78;
    struct Case {
        const char* name;
        std::vector<int> hand;
        int ops, button, discard;
        int pictures;
    };
    const std::vector<Case> cases{
        {"two kongs", {0x23, 0x23, 0x23, 0x23, 0x41, 0x41, 0x41, 0x41, 0x85, 0x86, 0x87, 0x11, 0x12, 0x13}, 1 | 32,
         kKong, 0, 2},
        {"three kongs", {0x23, 0x23, 0x23, 0x23, 0x41, 0x41, 0x41, 0x41, 0x85, 0x85, 0x85, 0x85, 0x11, 0x12}, 1 | 32,
         kKong, 0, 3},
        {"two chows", {0x41, 0x83, 0x84, 0x86, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x11, 0x12, 0x13}, 1 | 4, kChow,
         0x85, 4},
        {"three chows", {0x41, 0x83, 0x84, 0x86, 0x87, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x11, 0x12}, 1 | 4, kChow,
         0x85, 6},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Hand(k.hand);
        c.table.LastDiscardTile = static_cast<int16_t>(k.discard);
        Prompt(k.ops);
        MainForm_Operation_Click(c, k.button);
        const bool kong = k.button == kKong;
        const std::vector<ImageControl*>& pictures = kong ? c.mainForm->Gang : c.mainForm->Chi;
        const double left = c.mainForm->Operation[kong ? 3 : 1]->Left(), top = c.mainForm->Operation[0]->Top();
        std::vector<QRectF> shown;
        for (int i = 0; i < static_cast<int>(pictures.size()); ++i) {
            const ImageControl& picture = *pictures[i];
            ASSERT_EQ(picture.isVisible(), i < k.pictures) << i;
            if (i >= k.pictures) continue;
            const int column = kong ? 0 : i % 2, row = kong ? i : i / 2;
            EXPECT_DOUBLE_EQ(picture.Width(), 0.8 * tileWidth) << i;
            EXPECT_DOUBLE_EQ(picture.Height(), 0.8 * tileHeight) << i;
            EXPECT_DOUBLE_EQ(picture.Left(), left + column * tileWidth) << i;
            EXPECT_DOUBLE_EQ(picture.Top(), top - row * 0.8 * tileHeight) << i;
            shown.push_back(QRectF(picture.Left(), picture.Top(), picture.Width(), picture.Height()));
        }
        // For a person to look at: screenshots/choices-<screen>-<case>.png in the build folder.
        QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
        const QString file = QStringLiteral(DRAVIK_SCREENSHOT_DIR "/choices-%1x%2-%3.png")
                                 .arg(GetParam().width())
                                 .arg(GetParam().height())
                                 .arg(QString::fromLatin1(k.name).replace(' ', '-'));
        EXPECT_TRUE(c.mainForm->grab().save(file)) << file.toStdString();
        // Rectangles that only touch share no area.
        for (size_t a = 0; a < shown.size(); ++a)
            for (size_t b = a + 1; b < shown.size(); ++b) {
                const QRectF common = shown[a].intersected(shown[b]);
                EXPECT_LT(common.width() * common.height(), 1e-6) << a << " and " << b;
            }
        ClearClaimControls(c);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ChoicePictures, ::testing::Values(QSize(1024, 768), QSize(800, 600)),
                         [](const ::testing::TestParamInfo<QSize>& info) {
                             return info.param.width() < 1024 ? std::string("Small") : std::string("Large");
                         });
}  // namespace
