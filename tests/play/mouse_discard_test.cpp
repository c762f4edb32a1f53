#include "OwnHandFixture.h"
#include "play/MouseDiscard.h"
#include "window/TableMouse.h"

namespace {
const std::vector<int> kFourteen{0x81, 0x82, 0x83, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x21, 0x22, 0x23, 0x11, 0x11};

class MouseDiscard : public OwnHandFixture {
protected:
    void Click(int index, int button = kLeftButton) { MainForm_MJ_Image_MouseDown(c, index, button, 0, 0, 0); }
    std::vector<double> Tops() {
        std::vector<double> tops;
        for (int k = 0; k < c.seatInfo[0].ConcealedCount; ++k) tops.push_back(Image(Slot(Run(k)).Image).Top());
        return tops;
    }
};

TEST_F(MouseDiscard, ClickOnTheOwnTurnPassesThenDiscardsAndClosesTheHand) {
    Hand(kFourteen);
    Prompt(1 | 128);
    Click(4);  // 2 of characters, slot 8
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}, {2, 1, 0, 0, 0, 0x4042}}));
    EXPECT_EQ(c.table.PromptState, 2);
    EXPECT_FALSE(c.table.MustDiscard);
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    EXPECT_EQ(c.table.LastDiscardImage, 4);
    EXPECT_EQ(c.table.LastDiscarder, 0);
    for (const ImageControl* button : c.mainForm->Operation) EXPECT_FALSE(button->isVisible());

    const ImageControl& discard = Image(4);
    EXPECT_DOUBLE_EQ(discard.Left(), 488);
    EXPECT_DOUBLE_EQ(discard.Top(), 345);
    EXPECT_DOUBLE_EQ(discard.Width(), 36);
    EXPECT_DOUBLE_EQ(discard.Height(), 50);
    EXPECT_EQ(c.table.TileImagePictures[4], TilePicture(0, 0x42));

    const SeatInfo& own = c.seatInfo[0];
    EXPECT_EQ(own.ConcealedCount, 13);
    EXPECT_EQ(c.table.TileWidth[0], 48);
    for (int k = 0; k < 13; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NE(Slot(Run(k)).Image, 4);
        EXPECT_DOUBLE_EQ(Image(Slot(Run(k)).Image).Left(), own.HandX + Run(k) * 48);
        EXPECT_DOUBLE_EQ(Image(Slot(Run(k)).Image).Top(), own.HandY);
    }
    EXPECT_EQ(Slot(Run(4)).Tile, 0x43);
}

TEST_F(MouseDiscard, ClickWhoseTileCountIsNoDiscardTurnChangesNothing) {
    Hand({0x41, 0x42, 0x43, 0x44});
    c.table.MustDiscard = true;
    const auto before = c.seatInfo[0].Slots;
    Click(1);
    EXPECT_TRUE(Answers().empty());
    EXPECT_TRUE(c.table.MustDiscard);
    EXPECT_EQ(c.table.PromptState, 0);
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 4);
    EXPECT_EQ(c.table.LastDiscardImage, -1);
    for (int s = 0; s < 21; ++s) EXPECT_EQ(Slot(s).Tile, before[s].Tile) << s;
    EXPECT_DOUBLE_EQ(Image(1).Top(), c.seatInfo[0].HandY);
}

TEST_F(MouseDiscard, ClicksThatMayNotPlayChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(Client&)> setUp;
        bool mayPass;
    };
    const std::vector<Case> cases{
        {"must not discard", [](Client& c) { c.table.MustDiscard = false; }, true},
        {"timed out", [](Client& c) { c.table.PromptState = 3; }, false},
        {"logged out", [](Client& c) { c.connection.LoggedIn = false; }, false},
        {"spectator", [](Client& c) { c.table.SpectatorMode = true; }, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Hand(kFourteen);
        Prompt(1 | 128);
        k.setUp(c);
        Click(4);
        if (!k.mayPass) Click(100, kRightButton);
        EXPECT_TRUE(Answers().empty());
        EXPECT_EQ(c.seatInfo[0].ConcealedCount, 14);
        c.connection.LoggedIn = true;
        c.table.SpectatorMode = false;
    }
}

TEST_F(MouseDiscard, RightClickPassesOffTheHandOnlyWhileThePassButtonShows) {
    Hand({0x41, 0x42, 0x43, 0x44});
    Prompt(1 | 8);
    Click(2, kRightButton);  // an own tile never passes
    EXPECT_TRUE(Answers().empty());
    Click(100, kRightButton);  // a wall tile does
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.table.PromptState, 0);
    EXPECT_FALSE(c.scheduler.TurnCountdownOn);
    EXPECT_FALSE(c.mainForm->Operation[4]->isVisible());
    Click(100, kRightButton);
    EXPECT_EQ(Answers().size(), 1u);
}

TEST_F(MouseDiscard, RightClickOnTheTablePassesOnce) {
    Hand(kFourteen);
    Prompt(1 | 128);
    MainForm_Pic1_MouseUp(c, kLeftButton, 0, 5, 5);
    EXPECT_TRUE(Answers().empty());
    MainForm_Pic1_MouseUp(c, kRightButton, 0, 5, 5);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.table.PromptState, 1);
    EXPECT_TRUE(c.scheduler.TurnCountdownOn);  // the own turn still must discard
    c.mainForm->Operation[4]->setVisible(true);
    MainForm_Pic1_MouseUp(c, kRightButton, 0, 5, 5);
    EXPECT_EQ(Answers().size(), 1u);
}

TEST_F(MouseDiscard, HoverRaisesOneOwnTileAndTheTableLowersItWhenThePointerLeaves) {
    Hand({0x41, 0x42, 0x43, 0x44});
    const double y = c.seatInfo[0].HandY;
    MainForm_MJ_Image_MouseMove(c, 1);
    EXPECT_EQ(Tops(), (std::vector<double>{y, y - 10, y, y}));
    EXPECT_EQ(Image(1).MousePointer(), 99);
    MainForm_MJ_Image_MouseMove(c, 1);
    EXPECT_EQ(Tops(), (std::vector<double>{y, y - 10, y, y}));
    MainForm_MJ_Image_MouseMove(c, 2);
    EXPECT_EQ(Tops(), (std::vector<double>{y, y, y - 10, y}));
    MainForm_MJ_Image_MouseMove(c, 100);
    EXPECT_EQ(Image(100).MousePointer(), 0);

    const ImageControl& raised = Image(2);
    MainForm_Pic1_MouseMove(c, raised.Left() + 5, raised.Top() + raised.Height() + 5);  // the strip below it
    EXPECT_EQ(Tops(), (std::vector<double>{y, y, y - 10, y}));
    MainForm_Pic1_MouseMove(c, 5, 5);
    EXPECT_EQ(Tops(), (std::vector<double>{y, y, y, y}));

    c.table.SpectatorMode = true;
    MainForm_MJ_Image_MouseMove(c, 1);
    EXPECT_EQ(Tops(), (std::vector<double>{y, y, y, y}));
    EXPECT_EQ(Image(1).MousePointer(), 0);
}

TEST_F(MouseDiscard, ABadImageInTheHandIsARunTimeError) {
    Hand({0x41, 0x42, 0x43, 0x44});
    c.seatInfo[0].Slots[Run(3)].Image = 300;
    EXPECT_THROW(MainForm_MJ_Image_MouseMove(c, 1), RuntimeError);
    EXPECT_THROW(Click(136), RuntimeError);
}
}  // namespace
