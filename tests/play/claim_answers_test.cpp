#include "OwnHandFixture.h"
#include "play/ClaimAnswers.h"
#include <functional>

namespace {
class ClaimAnswers : public OwnHandFixture {
protected:
    void SetUp() override {
        OwnHandFixture::SetUp();
        // 3 bamboo ×4, 5 6 characters, 1 circles ×2, Red Dragon ×3.
        Hand({0x23, 0x23, 0x23, 0x23, 0x45, 0x46, 0x81, 0x81, 0x15, 0x15, 0x15});
        c.table.LastDiscardTile = 0x47;
        c.table.LastDiscardImage = 100;
    }
    std::array<TileSlot, 21> RunBefore() { return c.seatInfo[0].Slots; }
};

TEST_F(ClaimAnswers, EachAnswerQueuesOneByteExactMessage) {
    struct Case {
        const char* name;
        std::function<void(Client&)> send;
        Answer expected;
        bool answerSent;
    };
    const std::vector<Case> cases{
        {"pass", [](Client& c) { SendPass(c); }, {7, 1, 1, 0, 0, 0}, true},
        {"chow", [this](Client& c) { SendChow(c, Run(4), Run(5)); }, {7, 1, 4, 0x2045, 0x2046, 0x2047}, true},
        {"pung", [](Client& c) { SendPung(c, 0x81); }, {7, 1, 8, 0x2081, 0x2081, 0x2081}, true},
        {"pung of Red Dragon", [](Client& c) { SendPung(c, 0x15); }, {7, 1, 8, 0x2015, 0x2015, 0x2015}, true},
        {"kong on a discard", [this](Client& c) { SendExposedKong(c, Run(8)); }, {7, 1, 16, 0x2015, 0x2015, 0x2015}, true},
        {"concealed kong", [this](Client& c) { SendConcealedKong(c, Run(0)); }, {7, 1, 32, 0x2023, 0x2023, 0x2023}, true},
        {"one-tile kong", [this](Client& c) { SendSingleKong(c, Run(0)); }, {7, 1, 64, 0, 0, 0x2023}, true},
        {"win", [](Client& c) { SendWin(c); }, {7, 1, 128, 0, 0, 0}, false},
        {"discard 3 bamboo", [](Client& c) { SendDiscard(c, 0x23); }, {2, 1, 0, 0, 0, 0x4023}, false},
        {"discard keeps 12 bits", [](Client& c) { SendDiscard(c, 0x2A81); }, {2, 1, 0, 0, 0, 0x4A81}, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c.table.AnswerSent = false;
        c.transport.SendRead = c.transport.SendWrite;
        k.send(c);
        const auto queued = Queued();
        ASSERT_EQ(queued.size(), 1u);
        EXPECT_EQ(AnswerOf(queued[0]), k.expected);
        EXPECT_EQ(queued[0].Byte5, 0);
        EXPECT_EQ(queued[0].Byte7, 0);
        EXPECT_EQ(c.table.AnswerSent, k.answerSent);
    }
}

TEST_F(ClaimAnswers, MeldAnswersCopyTheirTilesIntoTheNextMeldSlots) {
    SendChow(c, Run(5), Run(4));
    EXPECT_EQ(Slot(1).Tile, 0x46);
    EXPECT_EQ(Slot(1).Image, 5);
    EXPECT_EQ(Slot(2).Tile, 0x45);
    EXPECT_EQ(Slot(3).Tile, 0x47);
    EXPECT_EQ(Slot(3).Image, 100);
    for (int s : {1, 2, 3}) EXPECT_EQ(Slot(s).Flag, SlotFlag::Chow);
    // The caller's order, not sorted.
    EXPECT_EQ(AnswerOf(Queued().back()), (Answer{7, 1, 4, 0x2046, 0x2045, 0x2047}));

    // A second meld answer in the same prompt overwrites the same three slots.
    SendPung(c, 0x81);
    EXPECT_EQ(Slot(1).Image, 6);
    EXPECT_EQ(Slot(2).Image, 7);
    EXPECT_EQ(Slot(3).Tile, 0x81);
    EXPECT_EQ(Slot(3).Image, 100);
    for (int s : {1, 2, 3}) EXPECT_EQ(Slot(s).Flag, SlotFlag::Pung);
}

TEST_F(ClaimAnswers, KongsMarkTheirSlotsAndLeaveTheConcealedRunAlone) {
    c.seatInfo[0].MeldEnd = 6;
    const auto before = RunBefore();
    SendConcealedKong(c, Run(0));
    for (int s : {4, 5, 6}) {
        EXPECT_EQ(Slot(s).Flag, SlotFlag::ConcealedKong);
        EXPECT_EQ(Slot(s).Tile, 0x23);
    }
    EXPECT_EQ(Slot(4).Image, 0);
    EXPECT_EQ(Slot(6).Image, 2);
    for (int k = 3; k < 11; ++k) EXPECT_EQ(Slot(Run(k)).Tile, before[Run(k)].Tile) << k;
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 11);
    EXPECT_EQ(c.seatInfo[0].MeldEnd, 6);

    c.seatInfo[0].MeldEnd = 9;
    SendSingleKong(c, Run(8));
    EXPECT_EQ(Slot(7).Flag, SlotFlag::SingleKong);
    EXPECT_EQ(Slot(7).Tile, 0x15);
    EXPECT_EQ(Slot(8).Flag, before[8].Flag);
    EXPECT_EQ(Slot(9).Flag, before[9].Flag);
}

TEST_F(ClaimAnswers, PungWithoutAPairAnswersFromTheClaimedTileAndMarksNoSlot) {
    const auto before = RunBefore();
    SendPung(c, 0x47);
    ASSERT_EQ(Queued().size(), 1u);
    EXPECT_EQ(AnswerOf(Queued()[0]), (Answer{7, 1, 8, 0x2047, 0x2047, 0x2047}));
    EXPECT_TRUE(c.table.AnswerSent);
    for (int s = 0; s < 21; ++s) {
        EXPECT_EQ(Slot(s).Flag, before[s].Flag) << s;
        EXPECT_EQ(Slot(s).Tile, before[s].Tile) << s;
    }
}

TEST_F(ClaimAnswers, PassGoesOutOnlyWhileThePromptIsUnanswered) {
    SendWin(c);
    SendPass(c);  // a win leaves the prompt open for a pass
    SendPass(c);
    SendChow(c, Run(4), Run(5));
    SendPass(c);
    const auto answers = AnswersOf(Queued());
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0].p0, 128);
    EXPECT_EQ(answers[1].p0, 1);
    EXPECT_EQ(answers[2].p0, 4);
}

TEST_F(ClaimAnswers, SpectatorSendsNothingAndMarksNothing) {
    c.table.SpectatorMode = true;
    const auto before = RunBefore();
    SendPass(c);
    SendChow(c, Run(4), Run(5));
    SendPung(c, 0x81);
    SendExposedKong(c, Run(8));
    SendConcealedKong(c, Run(0));
    SendSingleKong(c, Run(0));
    SendWin(c);
    SendDiscard(c, 0x23);
    EXPECT_TRUE(Queued().empty());
    EXPECT_FALSE(c.table.AnswerSent);
    for (int s = 0; s < 21; ++s) EXPECT_EQ(Slot(s).Flag, before[s].Flag) << s;
}

TEST_F(ClaimAnswers, BadSlotsAreRunTimeErrors) {
    EXPECT_THROW(SendChow(c, 21, Run(0)), RuntimeError);
    EXPECT_THROW(SendExposedKong(c, 19), RuntimeError);
    c.seatInfo[0].MeldEnd = 1;
    EXPECT_THROW(SendSingleKong(c, Run(0)), RuntimeError);
}
}  // namespace
