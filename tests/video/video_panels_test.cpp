#include "video/FrameExchange.h"
#include "video/VideoFixture.h"
#include "video/VideoPanels.h"
#include "video/VideoWindow.h"

namespace {
class VideoPanelsTest : public VideoFixture {
protected:
    // The user switches a seat's video off as its command icon does.
    void SwitchOff(int seat) {
        t->video.VideoBlocked[seat] = true;
        f().PicLocal[seat]->hide();
        view(seat).hide();
        f().ImgKuang[seat]->setVisible(false);
        f().ImgShow[seat]->setVisible(true);
    }
};
}  // namespace

TEST_F(VideoPanelsTest, TheOpenVideoIconShowsThePanelAndHasItRedrawnWithTheKeptFrame) {
    SwitchOff(2);
    MainForm_ImgShow_Click(*t, 2);
    EXPECT_FALSE(t->video.VideoBlocked[2]);
    EXPECT_TRUE(f().ImgKuang[2]->isVisible());
    EXPECT_FALSE(f().PicLocal[2]->isHidden());
    EXPECT_FALSE(view(2).isHidden());
    // The icon itself stays, and the panel counts as never opened by a frame.
    EXPECT_TRUE(f().ImgShow[2]->isVisible());
    EXPECT_FALSE(t->video.FirstFrameShown[2]);
    ASSERT_TRUE(t->Timer_Vshow[2]->Enabled());
    // No frame kept yet: the redraw hands the view an empty frame, twice.
    MainForm_Timer_Vshow_Timer(*t, 2);
    EXPECT_FALSE(t->Timer_Vshow[2]->Enabled());
    EXPECT_EQ(view(2).ShowCount(), 2);
    EXPECT_TRUE(view(2).ShownFrame().isEmpty());
}

TEST_F(VideoPanelsTest, TheSeatRedrawDrawsOnlyWhileTheCommandBarIsShown) {
    t->video.LastVideoFrame[1] = "kept";
    t->Timer_Vshow[1]->SetEnabled(true);
    MainForm_Timer_Vshow_Timer(*t, 1);
    EXPECT_FALSE(t->Timer_Vshow[1]->Enabled());
    EXPECT_EQ(view(1).ShowCount(), 0);
    f().PicLocal[1]->show();
    MainForm_Timer_Vshow_Timer(*t, 1);
    EXPECT_EQ(view(1).ShowCount(), 2);
    EXPECT_EQ(view(1).ShownFrame(), "kept");
}

// Switched back on, seat 1 shows the frame from before it was switched off;
// seats 2 and 3 the latest one that came meanwhile.
TEST_F(VideoPanelsTest, SwitchedBackOnASeatShowsTheFrameItKeptWhileOff) {
    t.peers->Link(1, QStringLiteral("east"), PeerLink::Ready);
    t.peers->Link(2, QStringLiteral("north"), PeerLink::Ready);
    for (int16_t slot : {1, 2}) t.peers->Arrive(slot, "before");
    SwitchOff(1);
    SwitchOff(2);
    for (int16_t slot : {1, 2}) t.peers->Arrive(slot, "while off");
    for (int seat : {1, 2}) {
        MainForm_ImgShow_Click(*t, seat);
        MainForm_Timer_Vshow_Timer(*t, seat);
    }
    EXPECT_EQ(view(1).ShownFrame(), "before");
    EXPECT_EQ(view(2).ShownFrame(), "while off");
    // The next frame is drawn straight into the view.
    t.peers->Arrive(1, "after");
    EXPECT_EQ(view(1).ShownFrame(), "after");
}

TEST_F(VideoPanelsTest, TheZoomRedrawDrawsTheLastFrameOfTheWindowNamed) {
    for (int z = 0; z <= 3; ++z) t->video.LastVideoFrame[z] = QByteArray("frame of ") + QByteArray::number(z);
    for (int z = 0; z <= 3; ++z) {
        t->video.ZoomWindow = int16_t(z);
        t->Timer_Zoom.SetEnabled(true);
        MainForm_Timer_Zoom_Timer(*t);
        EXPECT_FALSE(t->Timer_Zoom.Enabled());
        EXPECT_EQ(VideoWindowOf(*t, z).vshow1->ShownFrame(), t->video.LastVideoFrame[z]) << z;
    }
    for (int16_t outside : {int16_t(-1), int16_t(4)}) {
        t->video.ZoomWindow = outside;
        t->Timer_Zoom.SetEnabled(true);
        MainForm_Timer_Zoom_Timer(*t);
        EXPECT_FALSE(t->Timer_Zoom.Enabled());
    }
    for (int z = 0; z <= 3; ++z) EXPECT_EQ(VideoWindowOf(*t, z).vshow1->ShowCount(), 1) << z;
}

TEST_F(VideoPanelsTest, AClickOnTheOpenVideoIconReachesItsSeat) {
    SwitchOff(3);
    f().ImgShow[3]->OnClick();
    EXPECT_FALSE(t->video.VideoBlocked[3]);
}
