#include "../play/OwnHandFixture.h"
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

TEST_F(TimeoutMove, ABadSlotRestoresTheLobbyAndEnds) {
    Hand({0x81, 0x82, 0x83, 0x41, 0x42});
    c.seatInfo[0].Slots[Run(4)].Image = 500;
    EXPECT_THROW(TimeoutPlayTurn(c), ProgramEnded);
}
}  // namespace
