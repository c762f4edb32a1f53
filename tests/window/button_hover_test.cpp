// The button row lighting up under the pointer and the table surface
// putting everything back.
#include "play/MouseDiscard.h"
#include "play/OwnHandFixture.h"
#include "results/InformationWindow.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "window/ButtonHover.h"
#include "table/ResourceIds.h"
#include "window/ButtonRow.h"
#include "window/TableMouse.h"
#include <gtest/gtest.h>

namespace {
// The bar-button resource id a control shows, or 0 for any other picture.
int BarPictureShown(const ImageControl& control) {
    const QImage shown = control.Picture().toImage();
    for (int first : {101, 381})
        for (int id = first; id < first + 20; ++id)
            if (PictureOfResource(id).toImage() == shown) return id;
    return 0;
}

struct ButtonCase {
    int button;
    int normal, lit;
    const char16_t* tip;
};

// On the design screen; the start button as after the log-in, before any hand.
const ButtonCase kLargeScreen[] = {
    {0, 101, 102, u"发送信息，快捷键为回车键"},
    {1, 103, 104, u"点击打开聊天窗口"},
    {2, 105, 106, u"点击开始新一局游戏"},
    {3, 109, 110, u"游戏的基本设置"},
    {4, 111, 112, u"最小化窗口，快捷键为F1"},
    {5, 113, 114, u"可以查看当前牌局详细结果"},
    {6, 115, 116, u"可以查看本次游戏的所有牌局详细结果"},
    {7, 117, 118, u"点击这里了解游戏规则"},
    {8, 119, 120, u"退出游戏"},
};

class ButtonHover : public ::testing::Test {
protected:
    explicit ButtonHover(QSize screen = {1024, 768}) : t(TestClient::DefaultCommandLine(), screen) {}
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t->table.HandNumber = 0;
        t->window.StartButtonOn = true;
    }
    ImageControl& Button(int i) { return *t->mainForm->AnNiu[i]; }
    // The pointer as the controls report it.
    void Over(int i) { Button(i).OnMouseMove(); }
    void OverTable() { MainForm_Pic1_MouseMove(*t, 5, 5); }
    TestClient t;
};

TEST_F(ButtonHover, EachButtonLightsUpWithItsTipAndTheTableRestoresIt) {
    for (const ButtonCase& b : kLargeScreen) {
        SCOPED_TRACE(b.button);
        EXPECT_EQ(BarPictureShown(Button(b.button)), b.normal) << "after the start-up";
        Over(b.button);
        EXPECT_TRUE(t->window.AnNiuHover[b.button]);
        EXPECT_EQ(BarPictureShown(Button(b.button)), b.lit);
        EXPECT_EQ(Button(b.button).toolTip(), QString::fromUtf16(b.tip));
        OverTable();
        EXPECT_FALSE(t->window.AnNiuHover[b.button]);
        EXPECT_EQ(BarPictureShown(Button(b.button)), b.normal);
    }
}

TEST_F(ButtonHover, MovingWithinAButtonLoadsItsPictureOnce) {
    Over(3);
    // Another writer changes the picture; further moves leave it alone.
    SetPictureFromResource(*t, Button(3), 105);
    Button(3).setToolTip(QString());
    Over(3);
    Over(3);
    EXPECT_EQ(BarPictureShown(Button(3)), 105);
    EXPECT_EQ(Button(3).toolTip(), QStringLiteral("游戏的基本设置")) << "the tip is set on every move";
}

TEST_F(ButtonHover, TheTableRestoresExactlyTheButtonsThatWereLit) {
    Over(1);
    Over(5);  // straight from one button to another: both stay lit
    EXPECT_EQ(BarPictureShown(Button(1)), 104);
    EXPECT_EQ(BarPictureShown(Button(5)), 114);
    // The chat blink leaves button 1 lit without its hover flag: not touched.
    t->window.AnNiuHover[1] = false;
    OverTable();
    EXPECT_EQ(BarPictureShown(Button(1)), 104);
    EXPECT_EQ(BarPictureShown(Button(5)), 113);
    OverTable();
    EXPECT_EQ(BarPictureShown(Button(5)), 113);
}

TEST_F(ButtonHover, TheStartButtonLightsInTheStartPairOnlyBeforeTheFirstHandAndWhileNotPressed) {
    struct Case {
        int16_t handNumber;
        bool startButtonOn;
        int normal, lit;
    };
    for (const Case& c : {Case{0, true, 105, 106}, Case{1, true, 107, 108}, Case{3, true, 107, 108},
                          Case{0, false, 107, 108}, Case{-1, true, 105, 106}}) {
        SCOPED_TRACE(testing::Message() << "hand " << c.handNumber << " start on " << c.startButtonOn);
        t->table.HandNumber = c.handNumber;
        t->window.StartButtonOn = c.startButtonOn;
        Over(BarButton::Start);
        EXPECT_EQ(BarPictureShown(Button(BarButton::Start)), c.lit);
        OverTable();
        EXPECT_EQ(BarPictureShown(Button(BarButton::Start)), c.normal);
    }
}

TEST_F(ButtonHover, ThePointerOverTheTableHidesThePlayerCard) {
    t->Information().show();
    OverTable();
    EXPECT_FALSE(t->Information().isVisible());
}

TEST_F(ButtonHover, TheButtonsAndPortraitsReceiveHoverEvents) {
    for (ImageControl* button : t->mainForm->AnNiu) EXPECT_TRUE(button->acceptHoverEvents());
    for (ImageControl* portrait : t->mainForm->Tou) EXPECT_TRUE(portrait->acceptHoverEvents());
    for (ImageControl* button : t->mainForm->AnNiu) EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

class SmallScreenButtonHover : public ButtonHover {
protected:
    SmallScreenButtonHover() : ButtonHover({800, 600}) {}
};

TEST_F(SmallScreenButtonHover, TheSmallPicturesServeEveryButtonButSend) {
    ASSERT_LT(t->table.ScaleX, 1);
    for (const ButtonCase& b : kLargeScreen) {
        SCOPED_TRACE(b.button);
        const int shift = b.button == 0 ? 0 : 278;
        Over(b.button);
        EXPECT_EQ(BarPictureShown(Button(b.button)), b.lit + shift);
        OverTable();
        EXPECT_EQ(BarPictureShown(Button(b.button)), b.normal + shift);
    }
}

// A raised tile of the own hand only drops while the hand is the user's to play.
class TableHover : public OwnHandFixture {};

TEST_F(TableHover, TheRaisedTileStaysUpWhileWatchingOrWhileTheStartButtonIsFree) {
    struct Case {
        bool startUsed, spectator, lowered;
    };
    for (const Case& k : {Case{true, false, true}, Case{false, false, false}, Case{true, true, false}}) {
        SCOPED_TRACE(testing::Message() << "start used " << k.startUsed << " watching " << k.spectator);
        c.table.SpectatorMode = false;
        c.window.AnNiuUsed[2] = true;
        Hand({0x41, 0x42, 0x43});
        MainForm_MJ_Image_MouseMove(c, 1);
        ASSERT_DOUBLE_EQ(Image(1).Top(), c.seatInfo[0].HandY - 10);
        c.window.AnNiuUsed[2] = k.startUsed;
        c.table.SpectatorMode = k.spectator;
        MainForm_Pic1_MouseMove(c, 5, 5);
        EXPECT_DOUBLE_EQ(Image(1).Top(), c.seatInfo[0].HandY - (k.lowered ? 0 : 10));
    }
}

TEST_F(TableHover, ARunReachingPastTheLastSlotIsCutToEndThere) {
    Hand({0x41, 0x42, 0x43});
    MainForm_MJ_Image_MouseMove(c, 2);
    c.seatInfo[0].ConcealedCount = 30;
    MainForm_Pic1_MouseMove(c, 5, 5);
    EXPECT_EQ(c.seatInfo[0].FirstConcealed + c.seatInfo[0].ConcealedCount - 1, 20);
    EXPECT_DOUBLE_EQ(Image(2).Top(), c.seatInfo[0].HandY);
}
}  // namespace
