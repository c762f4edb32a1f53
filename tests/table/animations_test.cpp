#include "table/Animations.h"
#include "wire/LobbyWindowLink.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>
#include <set>

namespace {
const QSize kLargeScreen(1024, 768);
const QSize kSmallScreen(800, 600);  // scale 0.78125

struct AnimatedTable {
    explicit AnimatedTable(QSize screen = kLargeScreen) : t(TestClient::DefaultCommandLine(), screen) {
        EXPECT_EQ(t.Load(), std::nullopt);
        LayoutWall(*t);
        t->table.Random.seed(7);
        t.sound->played.clear();  // the start-up's own sounds
    }
    MainForm& form() { return *t->mainForm; }
    ImageControl& tile(int index) { return *form().MJ_Image.at(index); }
    QStringList soundFilesPlayed() const {
        QStringList files;
        for (const PlayedSound& sound : t.sound->played) {
            EXPECT_FALSE(sound.looped);
            files << sound.path.section(QLatin1Char('/'), -1);
        }
        return files;
    }
    TestClient t;
};

TEST(WindDraw, StandsFourBacksMidTableAndTurnsUpTheOwnWind) {
    struct Case {
        QSize screen;
        int16_t wind, face;
        double left, top, width, height;
    } cases[] = {
        {kLargeScreen, 3, 144, 440, 334, 36, 50},  // 東
        {kLargeScreen, 0, 147, 440, 334, 36, 50},  // 北
        {kSmallScreen, 2, 145, 344, 261, 28, 39},  // 南
        // A table 767 high: 383.5 - 39 = 344.5 goes to the even 344.
        {QSize(1024, 767), 1, 146, 456, 344, 28, 39},  // 西
    };
    for (const Case& e : cases) {
        AnimatedTable table(e.screen);
        SCOPED_TRACE(testing::Message() << e.screen.height() << " wind " << e.wind);
        const int pumpsBefore = table.t.clock->pumps;

        ShowWindDraw(*table.t, e.wind);

        int turned = 0;
        for (int i = 0; i < 4; ++i) {
            const ImageControl& tile = table.tile(i);
            EXPECT_DOUBLE_EQ(tile.Left(), e.left + i * e.width) << i;
            EXPECT_EQ(tile.Top(), e.top) << i;
            EXPECT_EQ(tile.Width(), e.width);
            EXPECT_EQ(tile.Height(), e.height);
            EXPECT_FALSE(tile.isVisible()) << i;
            const int16_t picture = table.t->table.TileImagePictures[i];
            if (picture == e.face)
                ++turned;
            else
                EXPECT_EQ(picture, 7) << i;  // a standing back
        }
        EXPECT_EQ(turned, 1);
        // Two half-second pauses that freeze the client.
        EXPECT_DOUBLE_EQ(table.t.clock->sleptSeconds, 1.0);
        EXPECT_EQ(table.t.clock->pumps, pumpsBefore);
        EXPECT_EQ(table.soundFilesPlayed(), QStringList{QStringLiteral("qupai.wav")});
    }
}

TEST(WindDraw, AnyOfTheFourTilesCanTurn) {
    AnimatedTable table;
    std::set<int> turned;
    for (unsigned seed = 0; seed < 40; ++seed) {
        table.t->table.Random.seed(seed);
        ShowWindDraw(*table.t, 3);
        for (int i = 0; i < 4; ++i)
            if (table.t->table.TileImagePictures[i] == 144) turned.insert(i);
    }
    EXPECT_EQ(turned, (std::set<int>{0, 1, 2, 3}));
}

TEST(Compass, ShowsTheOwnWindAndGivesASeatlessClientTheFirstSeat) {
    const std::pair<uint8_t, uint8_t> cases[] = {{0, 1}, {8, 8}};
    for (auto [before, after] : cases) {
        AnimatedTable table;
        table.t->seatInfo[0].SeatBit = before;
        ShowCompass(*table.t);
        EXPECT_EQ(table.t->seatInfo[0].SeatBit, after);
        EXPECT_TRUE(table.form().ZhiNan->isVisible());
    }
}

TEST(Animations, PlayNoSoundWithEffectSoundsOff) {
    AnimatedTable table;
    table.t->sound.EffectSoundOn = false;
    std::array<int16_t, 4> dice{1, 2, 3, 4};
    ShowWindDraw(*table.t, 0);
    BuildWall(*table.t);
    RollDice(*table.t, 0, dice);
    EXPECT_TRUE(table.t.sound->played.empty());
}

std::vector<LobbyFrame> WallBuiltFrames(const FakeLobbyLink& lobby) {
    std::vector<LobbyFrame> frames;
    for (const LobbyFrame& frame : lobby.frames)
        if (frame.msg == LobbyMessage::WallBuilt) frames.push_back(frame);
    return frames;
}

TEST(BuildWall, BuildsAllFourWallsFaceDownEightTilesAStepThenTellsTheLobby) {
    AnimatedTable table;
    std::set<int> tilesShownAtPumps;
    bool lobbyToldEarly = false;
    table.t.clock->onPump = [&] {
        int shown = 0;
        for (int i = 0; i < 136; ++i) shown += table.tile(i).isVisible() && i % 34 >= 2;
        tilesShownAtPumps.insert(shown);
        lobbyToldEarly |= !WallBuiltFrames(*table.t.lobby).empty();
    };

    BuildWall(*table.t);

    std::set<int> steps;
    for (int step = 1; step <= 16; ++step) steps.insert(8 * step);
    EXPECT_EQ(tilesShownAtPumps, steps);
    EXPECT_FALSE(lobbyToldEarly);
    for (int i = 0; i < 136; ++i) {
        // Each wall in the face-down picture of its own side's set.
        EXPECT_EQ(table.t->table.TileImagePictures[i], 8 + 36 * (i / 34)) << i;
        if (i % 34 >= 2) {
            EXPECT_TRUE(table.tile(i).isVisible()) << i;
        }
    }
    const auto frames = WallBuiltFrames(*table.t.lobby);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].caption, QStringLiteral("Jokro山庄"));
    EXPECT_EQ(frames[0].wParam, 0u);
    EXPECT_EQ(frames[0].lParam, 0u);
    EXPECT_FALSE(frames[0].sent);
    EXPECT_EQ(table.t.clock->sleptSeconds, 0);  // it waits, letting events run, and never freezes
    EXPECT_EQ(table.soundFilesPlayed(), QStringList{QStringLiteral("xipai.wav")});
}

TEST(BuildWall, WithTheLobbyGoneStillBuildsAndClearsTheHandsLists) {
    AnimatedTable table;
    TableState& s = table.t->table;
    s.KongDiscardImages.fill(40);
    s.KongDiscardTiles.fill(0x15);
    s.KongDiscardSeats.fill(2);
    s.KongDiscardCount = 3;
    s.Dice = {5, 6};
    s.KongLogCount = 2;
    s.ResultPacketCount = 3;
    s.RevealTiles.fill(0x21);
    s.RevealImages.fill(90);
    s.RevealCount = 4;
    table.t.lobby->existingWindows.clear();

    BuildWall(*table.t);

    EXPECT_TRUE(WallBuiltFrames(*table.t.lobby).empty());
    EXPECT_EQ(s.TileImagePictures[135], 116);
    EXPECT_EQ(s.KongDiscardImages, (std::array<int16_t, 16>{}));
    EXPECT_EQ(s.KongDiscardTiles, (std::array<int16_t, 16>{}));
    EXPECT_EQ(s.KongDiscardSeats, (std::array<int16_t, 16>{}));
    EXPECT_EQ(s.KongDiscardCount, 0);
    EXPECT_EQ(s.Dice, (std::array<int16_t, 2>{}));
    EXPECT_EQ(s.KongLogCount, 0);
    EXPECT_EQ(s.ResultPacketCount, 0);
    EXPECT_EQ(s.RevealTiles, (std::array<int16_t, 5>{}));
    EXPECT_EQ(s.RevealImages, (std::array<int16_t, 5>{}));
    EXPECT_EQ(s.RevealCount, 0);
}

// What the dice showed at each frame of the animation, split into throws.
struct DiceFrame {
    int16_t left, right;
    bool bothVisible;
};
using Throw = std::vector<DiceFrame>;

std::vector<Throw> RecordThrows(AnimatedTable& table, std::array<int16_t, 4>& dice) {
    std::vector<Throw> throws;
    double lastFrameAt = -1;
    table.t.clock->onPump = [&] {
        // The throws are 1.2 seconds of frozen client apart; frames follow each other at once.
        if (throws.empty() || table.t.clock->now - lastFrameAt > 0.5) throws.emplace_back();
        lastFrameAt = table.t.clock->now;
        const auto& frames = table.t->table.DiceFrames;
        const MainForm& f = table.form();
        throws.back().push_back({frames[0], frames[1], f.Sai_Image[0]->isVisible() && f.Sai_Image[1]->isVisible()});
    };
    RollDice(*table.t, 0, dice);
    table.t.clock->onPump = nullptr;
    return throws;
}

TEST(RollDice, ThrowsTwiceTumblingThenEndingOnTheServersFaces) {
    AnimatedTable table;
    table.form().Label3->SetCaption(QStringLiteral("hand 3"));
    std::array<int16_t, 4> dice{0, 3, 0, 5};

    const std::vector<Throw> throws = RecordThrows(table, dice);

    EXPECT_EQ(dice, (std::array<int16_t, 4>{1, 3, 1, 5}));
    ASSERT_EQ(throws.size(), 2u);
    const std::pair<int16_t, int16_t> faces[] = {{0, 2}, {0, 4}};  // holders of faces 1, 3 and 1, 5
    for (int n = 0; n < 2; ++n) {
        const Throw& frames = throws[n];
        EXPECT_GE(frames.size(), 21u);
        EXPECT_LE(frames.size(), 25u);
        for (size_t i = 0; i + 1 < frames.size(); ++i) {
            EXPECT_TRUE(frames[i].bothVisible);
            EXPECT_GE(std::min(frames[i].left, frames[i].right), 6) << "throw " << n << " frame " << i;
            EXPECT_LE(std::max(frames[i].left, frames[i].right), 15) << "throw " << n << " frame " << i;
        }
        EXPECT_EQ(frames.back().left, faces[n].first);
        EXPECT_EQ(frames.back().right, faces[n].second);
    }
    // The faces stay 0.6 s after each throw, with 0.6 s between the throws.
    EXPECT_DOUBLE_EQ(table.t.clock->sleptSeconds, 1.8);
    EXPECT_FALSE(table.form().Sai_Image[0]->isVisible());
    EXPECT_FALSE(table.form().Sai_Image[1]->isVisible());
    EXPECT_TRUE(table.form().Label3->Caption().isEmpty());
    EXPECT_EQ(table.soundFilesPlayed(), (QStringList{QStringLiteral("zhise.wav"), QStringLiteral("zhise.wav")}));
}

TEST(RollDice, EachThrowShowsTwentyOneToTwentyFiveFrames) {
    AnimatedTable table;
    std::set<size_t> counts;
    for (unsigned seed = 0; seed < 30; ++seed) {
        table.t->table.Random.seed(seed);
        std::array<int16_t, 4> dice{1, 2, 3, 4};
        for (const Throw& frames : RecordThrows(table, dice)) counts.insert(frames.size());
    }
    EXPECT_EQ(counts, (std::set<size_t>{21, 22, 23, 24, 25}));
}

TEST(RollDice, PlacesTheDiceMidTable) {
    const std::pair<QSize, std::array<double, 3>> cases[] = {
        {kLargeScreen, {400, 560, 284}},
        {kSmallScreen, {312.5, 437.5, 221.875}},
    };
    for (const auto& [screen, place] : cases) {
        AnimatedTable table(screen);
        std::array<int16_t, 4> dice{1, 1, 1, 1};
        RollDice(*table.t, 2, dice);
        const MainForm& f = table.form();
        EXPECT_DOUBLE_EQ(f.Sai_Image[0]->Left(), place[0]);
        EXPECT_DOUBLE_EQ(f.Sai_Image[1]->Left(), place[1]);
        EXPECT_DOUBLE_EQ(f.Sai_Image[0]->Top(), place[2]);
        EXPECT_DOUBLE_EQ(f.Sai_Image[1]->Top(), place[2]);
    }
}

TEST(RollDice, ADieOutsideOneToSixShowsTheNearestFaceAndKeepsItsValue) {
    struct Case {
        std::array<int16_t, 4> dice, kept;
        std::array<int16_t, 4> holders;  // the faces the two throws end on
    } cases[] = {
        {{7, 9, -2, 6}, {7, 9, -2, 6}, {5, 5, 0, 5}},
        {{0, 6, 1, 0}, {1, 6, 1, 1}, {0, 5, 0, 0}},
        {{16, 32767, -32768, 3}, {16, 32767, -32768, 3}, {5, 5, 0, 2}},
    };
    for (Case& e : cases) {
        AnimatedTable table;
        const std::vector<Throw> throws = RecordThrows(table, e.dice);
        ASSERT_EQ(throws.size(), 2u);
        const std::array<int16_t, 4> shown{throws[0].back().left, throws[0].back().right, throws[1].back().left,
                                           throws[1].back().right};
        EXPECT_EQ(shown, e.holders);
        EXPECT_EQ(e.dice, e.kept);
    }
}
}  // namespace
