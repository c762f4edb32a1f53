#include "../play/OwnHandFixture.h"
#include "table/ResourceIds.h"

namespace {
class Prompt : public OwnHandFixture {};

TEST_F(Prompt, OffersExactlyTheButtonsOfItsBitsAndStartsTheCountdown) {
    Hand({0x41, 0x42, 0x43, 0x44});
    c.play.OfferedOps = 99;
    c.table.AnswerSent = true;
    c.table.PromptState = 3;
    OwnHandFixture::Prompt(1 + 128);
    EXPECT_EQ(c.play.OperationState, (std::array<int16_t, 5>{0, 0, 0, 2, 2}));
    EXPECT_EQ(c.play.OfferedOps, 99);
    EXPECT_FALSE(c.table.AnswerSent);
    EXPECT_EQ(c.table.PromptState, 0);
    for (int k = 0; k <= 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(c.mainForm->Operation[k]->isVisible());
        EXPECT_EQ(c.mainForm->Operation[k]->isEnabled(), k >= 3);
    }
    EXPECT_TRUE(c.scheduler.TurnCountdownOn);
    EXPECT_EQ(c.table.ActionCountdown, c.table.TurnSeconds);
    EXPECT_EQ(c.mainForm->Number->Caption(), QString::number(c.table.TurnSeconds));
    EXPECT_TRUE(c.mainForm->Time_Img->isVisible());

    OwnHandFixture::Prompt(16 + 32);
    EXPECT_EQ(c.play.OperationState, (std::array<int16_t, 5>{0, 0, 2, 0, 0}));
    EXPECT_EQ(c.play.OfferedOps, 48);
}

TEST_F(Prompt, MustDiscardFollowsTheTileCount) {
    for (int count = 0; count <= 14; ++count) {
        SCOPED_TRACE(count);
        c.table.MustDiscard = false;
        c.seatInfo[0].ConcealedCount = static_cast<int16_t>(count);
        OwnHandFixture::Prompt(1);
        EXPECT_EQ(c.table.MustDiscard, count % 3 == 2);
    }
}

TEST_F(Prompt, EmptyHandShowsNoButtonAndNoCountdown) {
    OwnHandFixture::Prompt(1 + 4);
    EXPECT_EQ(c.play.OperationState, (std::array<int16_t, 5>{2, 0, 0, 0, 2}));
    EXPECT_FALSE(c.mainForm->Operation[4]->isVisible());
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
}

TEST_F(Prompt, ForAnotherSeatChangesNothingThroughTheHandler) {
    Hand({0x41, 0x42, 0x43, 0x44});
    c.table.AnswerSent = true;
    GameMessage prompt;
    prompt.MsgType = MessageType::ActionPrompt;
    prompt.SeatBit = 0x12;
    prompt.Param[0] = 1 + 128;
    t.Deliver(ToByteArray(EncodeGamePacket(prompt)));
    t.Tick(2);
    EXPECT_TRUE(c.table.AnswerSent);
    EXPECT_EQ(c.play.OperationState, (std::array<int16_t, 5>{}));
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);

    prompt.SeatBit = 0x11;  // only the low four bits name the seat
    t.Deliver(ToByteArray(EncodeGamePacket(prompt)));
    t.Tick(2);
    EXPECT_EQ(c.play.OperationState, (std::array<int16_t, 5>{0, 0, 0, 2, 2}));
}
}  // namespace
