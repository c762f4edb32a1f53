#include "ComputerFixture.h"
#include "computer/TurnMoves.h"
#include "support/Doubles.h"

namespace {
class TimeoutMove : public OwnHandFixture {
protected:
    void RunOutTheCountdown() { t.Tick(20 * (c.table.TurnSeconds + 2)); }
};

TEST_F(TimeoutMove, PassesAndDiscardsTheLastTileWhenTheTurnRunsOut) {
    Hand({0x81, 0x82, 0x83, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x21, 0x22, 0x23, 0x11, 0x15});
    Prompt(1 | 8 | 128);
    c.mainForm->Chi[0]->setVisible(true);
    RunOutTheCountdown();
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}, {2, 1, 0, 0, 0, 0x4015}}));
    EXPECT_EQ(c.table.PromptState, 3);
    EXPECT_FALSE(c.table.MustDiscard);
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 13);
    EXPECT_EQ(c.table.LastDiscardImage, 13);
    EXPECT_DOUBLE_EQ(Image(13).Left(), 488);
    EXPECT_DOUBLE_EQ(Image(13).Top(), 345);
    EXPECT_DOUBLE_EQ(Image(13).Width(), 36);
    EXPECT_EQ(c.table.TileWidth[0], 36);
    for (const ImageControl* button : c.mainForm->Operation) EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(c.mainForm->Chi[0]->isVisible());
}

TEST_F(TimeoutMove, OnAnotherSeatsDiscardOnlyPasses) {
    Hand({0x81, 0x82, 0x83, 0x41});
    Prompt(1 | 8);
    RunOutTheCountdown();
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 4);
}

TEST_F(TimeoutMove, SpectatorMakesNoMoveForTheWatchedSeat) {
    c.table.SpectatorMode = true;
    Hand({0x81, 0x82, 0x83, 0x41, 0x42});
    Prompt(1 | 128);
    RunOutTheCountdown();
    EXPECT_EQ(c.table.PromptState, 3);
    EXPECT_TRUE(Answers().empty());
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 5);
    EXPECT_TRUE(c.table.MustDiscard);
}

TEST_F(TimeoutMove, ARunThatWouldNotFitTheSlotsOnlyPasses) {
    Hand({0x81, 0x82, 0x83, 0x41, 0x42});
    c.seatInfo[0].FirstConcealed = 17;
    Prompt(1);
    RunOutTheCountdown();
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 5);
}

TEST_F(TimeoutMove, ABadSlotRestoresTheLobbyAndEnds) {
    Hand({0x81, 0x82, 0x83, 0x41, 0x42});
    c.seatInfo[0].Slots[Run(4)].Image = 500;
    EXPECT_THROW(TimeoutPlayTurn(c), ProgramEnded);
}
}  // namespace

namespace {
// A client in auto-play mode: every prompt it is shown runs out and the
// computer player answers it.
class AutoPlayMove : public OwnHandFixture {
protected:
    AutoPlayMove() : OwnHandFixture(QStringLiteral("abc$pw$127.0.0.1$4000$北京$0$$0$$$1$Jokro山庄$auto$")) {}
    void SetUp() override {
        OwnHandFixture::SetUp();
        ASSERT_TRUE(c.table.AutoPlay);
        c.playerInfo[0].VoiceCode = "00";
        c.playerInfo[0].VoiceSet = "10";
        c.playerInfo[0].Sex = 1;
        c.playerInfo[0].VoiceSex = 3;
        c.computer.WeakSuit = -1;
    }
    void RunOutTheCountdown() { t.Tick(20 * (c.table.TurnSeconds + 2)); }
    // Another seat has discarded the tile; its image lies in the table's middle.
    void Discarded(int tile) {
        c.table.LastDiscardTile = static_cast<int16_t>(tile);
        c.table.LastDiscardImage = kDiscardImage;
        Image(kDiscardImage).Move(400, 300, 36, 50);
    }
    // The tiles of the own concealed run, in slot order.
    std::vector<int> RunTiles() {
        std::vector<int> tiles;
        const SeatInfo& own = c.seatInfo[0];
        for (int k = 0; k < own.ConcealedCount; ++k) tiles.push_back(Slot(Run(k)).Tile);
        return tiles;
    }
    // The own voice files played since the last NextPrompt.
    std::vector<QString> Voices() {
        std::vector<QString> names;
        for (const PlayedSound& sound : t.sound->played)
            if (sound.path.section('/', -1).startsWith('v')) names.push_back(sound.path.section('/', -1));
        return names;
    }
    // The answers and discards sent since the last NextPrompt.
    std::vector<Answer> Moves() {
        const std::vector<Answer> all = Answers();
        return {all.begin() + static_cast<long>(answered_), all.end()};
    }
    // Forgets what the earlier prompts sent and played.
    void NextPrompt() {
        answered_ = Answers().size();
        t.sound->played.clear();
    }

    size_t answered_ = 0;
    static constexpr int kDiscardImage = 100;
    static constexpr Answer kPass{7, 1, 1, 0, 0, 0};
    static Answer Discard(int tile) { return {2, 1, 0, 0, 0, 0x4000 | tile}; }
    static Answer Claim(int op, int a, int b, int tile) { return {7, 1, op, 0x2000 | a, 0x2000 | b, 0x2000 | tile}; }
};

TEST_F(AutoPlayMove, OnItsOwnTurnItPassesThenDiscardsTheChosenTileAndClosesTheHandUpSorted) {
    // The 9 of circles stands alone; it lies in slot 6 of 14.
    Hand(Joined({Circles({1, 2, 3, 5, 5, 9}), Characters({4, 5, 6}), Bamboo({6, 7, 8}), Honours({2, 2})}));
    Prompt(0);
    RunOutTheCountdown();

    EXPECT_EQ(Moves(), (std::vector<Answer>{kPass, Discard(0x89)}));
    EXPECT_EQ(c.table.PromptState, 3);
    EXPECT_FALSE(c.table.MustDiscard);
    EXPECT_EQ(c.table.LastDiscardImage, 5);
    EXPECT_EQ(c.table.LastDiscarder, 0);
    EXPECT_DOUBLE_EQ(Image(5).Left(), 488);
    EXPECT_DOUBLE_EQ(Image(5).Top(), 345);
    EXPECT_DOUBLE_EQ(Image(5).Width(), 36);
    EXPECT_DOUBLE_EQ(Image(5).Height(), 50);

    // Thirteen tiles, sorted circles first, each image one hand tile apart.
    EXPECT_EQ(RunTiles(), Joined({Circles({1, 2, 3, 5, 5}), Characters({4, 5, 6}), Bamboo({6, 7, 8}), Honours({2, 2})}));
    EXPECT_EQ(c.table.TileWidth[0], 48);
    EXPECT_EQ(c.table.TileHeight[0], 78);
    const SeatInfo& own = c.seatInfo[0];
    for (int k = 0; k < own.ConcealedCount; ++k) {
        SCOPED_TRACE(k);
        const ImageControl& image = Image(Slot(Run(k)).Image);
        EXPECT_DOUBLE_EQ(image.Left(), own.HandX + Run(k) * 48);
        EXPECT_DOUBLE_EQ(image.Top(), own.HandY);
        EXPECT_NE(Slot(Run(k)).Image, 5);
    }
}

TEST_F(AutoPlayMove, OfEqualTilesTheFirstInSlotOrderIsDiscarded) {
    Hand(Joined({Bamboo({5}), Characters({1, 2, 3}), Bamboo({5})}));
    Prompt(0);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), (std::vector<Answer>{kPass, Discard(0x25)}));
    EXPECT_EQ(c.table.LastDiscardImage, 0);
}

TEST_F(AutoPlayMove, ASelfDrawnWinIsClaimedAloneAndNothingMoves) {
    Hand(Joined({Circles({1, 2, 3, 5, 5}), Characters({4, 5, 6}), Bamboo({6, 7, 8}), Honours({2, 2, 2})}));
    const double lastLeft = Image(13).Left();
    Prompt(1 | 128);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), (std::vector<Answer>{{7, 1, 128, 0, 0, 0}}));
    EXPECT_TRUE(c.table.AnswerSent);
    EXPECT_TRUE(c.table.MustDiscard);
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 14);
    EXPECT_DOUBLE_EQ(Image(13).Left(), lastLeft);
    EXPECT_EQ(Voices(), std::vector<QString>{"v00101309.wav"});
}

TEST_F(AutoPlayMove, AWinOnAnotherSeatsDiscardTakesTheTileToTheRightEndOfTheHand) {
    Hand(Joined({Circles({1, 2, 3, 5}), Characters({4, 5, 6}), Bamboo({6, 7, 8}), Honours({2, 2, 2})}));
    Discarded(0x85);
    Prompt(1 | 8 | 128);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), (std::vector<Answer>{{7, 1, 128, 0, 0, 0}}));
    const ImageControl& won = Image(kDiscardImage);
    EXPECT_DOUBLE_EQ(won.Left(), Image(12).Left() + 48);
    EXPECT_DOUBLE_EQ(won.Top(), c.seatInfo[0].HandY);
    EXPECT_DOUBLE_EQ(won.Width(), 48);
    EXPECT_DOUBLE_EQ(won.Height(), 78);
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 13);
}

TEST_F(AutoPlayMove, AWorthwhilePungOrChowIsClaimedWithoutPassOrDiscard) {
    struct ClaimCase {
        const char* name;
        std::vector<int> hand;
        int offered, discard;
        Answer answer;
        QString voice;
    };
    const ClaimCase cases[] = {
        {"a pung", Joined({Bamboo({5, 5}), Characters({1, 2, 3}), Circles({1, 9}), Honours({1, 3, 4})}), 1 | 8, 0x25,
         Claim(8, 0x25, 0x25, 0x25), "v00101302.wav"},
        {"a chow", Joined({Bamboo({4, 6}), Characters({1, 2, 3}), Circles({1, 9}), Honours({1, 3, 4})}), 1 | 4, 0x25,
         Claim(4, 0x24, 0x26, 0x25), "v00101301.wav"},
        {"the pung goes before an equally good chow", Joined({Bamboo({1, 1, 1, 2, 3}), Characters({1, 2, 3}), Circles({1}), Honours({1})}),
         1 | 4 | 8, 0x21, Claim(8, 0x21, 0x21, 0x21), "v00101302.wav"},
    };
    for (const ClaimCase& test : cases) {
        SCOPED_TRACE(test.name);
        NextPrompt();
        Hand(test.hand);
        Discarded(test.discard);
        Prompt(test.offered);
        RunOutTheCountdown();
        EXPECT_EQ(Moves(), std::vector<Answer>{test.answer});
        EXPECT_EQ(Voices(), std::vector<QString>{test.voice});
        EXPECT_EQ(c.seatInfo[0].ConcealedCount, static_cast<int16_t>(test.hand.size()));
    }
}

TEST_F(AutoPlayMove, TheChowTakesTheChosenSlotsAsItsChoice) {
    Hand(Joined({Characters({1, 2, 3}), Bamboo({4, 6}), Circles({1, 9})}));
    Discarded(0x25);
    Prompt(1 | 4);
    RunOutTheCountdown();
    EXPECT_EQ(c.play.ChowChoices[0], Run(3));
    EXPECT_EQ(c.play.ChowChoices[1], Run(4));
}

TEST_F(AutoPlayMove, ThePungOfTheWeakSuitIsNeverClaimedButItsChowIsJudged) {
    // Bamboo is the weak suit: three tiles against four characters and four circles.
    const std::vector<int> hand = Joined({Characters({1, 2, 3, 5}), Circles({1, 2, 3, 9}), Bamboo({4, 6})});
    Hand(Joined({hand, Bamboo({6}), Honours({1, 2})}));
    c.computer.WeakSuitStale = 1;
    Discarded(0x26);
    Prompt(1 | 8);
    RunOutTheCountdown();
    EXPECT_EQ(c.computer.WeakSuit, 1);
    EXPECT_EQ(c.computer.WeakSuitStale, 0);
    EXPECT_EQ(Moves(), std::vector<Answer>{kPass});

    NextPrompt();
    Hand(hand);
    Discarded(0x25);
    Prompt(1 | 4);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{Claim(4, 0x24, 0x26, 0x25)});
}

TEST_F(AutoPlayMove, TheWeakSuitIsWorkedOutOncePerHand) {
    Hand(Joined({Characters({1, 2, 3}), Circles({1, 2, 3, 9}), Bamboo({4, 6})}));
    c.computer.WeakSuitStale = 1;
    Discarded(0x31);
    Prompt(1);
    RunOutTheCountdown();
    EXPECT_EQ(c.computer.WeakSuit, 1);
    // Characters are now the fewest, but the hand keeps its weak suit.
    Hand(Joined({Characters({1}), Circles({1, 2, 3, 9}), Bamboo({4, 6, 7})}));
    Prompt(1);
    RunOutTheCountdown();
    EXPECT_EQ(c.computer.WeakSuit, 1);
}

TEST_F(AutoPlayMove, AnOfferedPungWithoutThePairIsPassed) {
    Hand(Joined({Bamboo({5, 6, 7}), Characters({1, 2, 3}), Circles({1, 9}), Honours({1, 4})}));
    Discarded(0x25);
    Prompt(1 | 8);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{kPass});
}

TEST_F(AutoPlayMove, AKongIsDeclaredOnlyWhenTheHandIsNearlyReady) {
    const std::vector<int> ready = Joined({Bamboo({5, 5, 5}), Characters({1, 2, 3, 4, 5, 6, 7, 8, 9}), Honours({1})});
    Hand(ready);
    Discarded(0x25);
    Prompt(1 | 8 | 16);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{Claim(16, 0x25, 0x25, 0x25)});
    EXPECT_TRUE(Voices().empty());

    // Far from ready: the kong is refused, the pung would break the
    // triplet, so the prompt is passed.
    NextPrompt();
    Hand(Joined({Bamboo({5, 5, 5}), Characters({1, 4, 7}), Circles({2, 5, 8}), Honours({1, 2, 3, 4})}));
    Discarded(0x25);
    Prompt(1 | 8 | 16);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{kPass});
}

TEST_F(AutoPlayMove, AKongThatWouldFirstLayDownTheOnlyWildTileIsRefused) {
    c.table.WildTile = 0x29;
    Hand(Joined({Characters({1, 2, 3, 4, 5, 6, 7, 8, 9}), Bamboo({2, 3, 4, 9}), Honours({2})}));
    Prompt(1 | 64);
    RunOutTheCountdown();
    ASSERT_EQ(Moves().size(), 2u);
    EXPECT_EQ(Moves()[0], kPass);
    EXPECT_EQ(Moves()[1].type, 2);
}

// The kong offer names a kong the hand cannot find: the prompt is not left
// unanswered but falls through to the pung.
TEST_F(AutoPlayMove, AKongTheHandCannotMakeFallsThroughToThePung) {
    Hand(Joined({Bamboo({5, 5}), Characters({1, 2, 3, 4, 5, 6, 7, 8, 9}), Honours({2, 2})}));
    Discarded(0x25);
    Prompt(1 | 8 | 16);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{Claim(8, 0x25, 0x25, 0x25)});
    EXPECT_TRUE(c.table.AnswerSent);
}

TEST_F(AutoPlayMove, OnItsOwnTurnAFailedKongSearchStillDiscards) {
    Hand(Joined({Bamboo({5, 5}), Characters({1, 2, 3, 4, 5, 6, 7, 8, 9}), Honours({2, 2, 7})}));
    Prompt(1 | 32);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), (std::vector<Answer>{kPass, Discard(0x17)}));
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 13);
}

TEST_F(AutoPlayMove, ARunThatWouldNotFitTheSlotsOnlyPasses) {
    Hand(Joined({Characters({1, 2, 3, 4, 5, 6, 7, 8, 9}), Bamboo({2, 3, 4}), Honours({2, 2})}));
    c.seatInfo[0].FirstConcealed = 10;
    Prompt(1 | 128);
    RunOutTheCountdown();
    EXPECT_EQ(Moves(), std::vector<Answer>{kPass});
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 14);
}
}  // namespace
