#include "run/Leaving.h"
#include "run/StartUp.h"
#include "platform/CaptureControl.h"
#include "video/VideoFixture.h"
#include "video/VideoWindow.h"

namespace {
class VideoResetsTest : public VideoFixture {
protected:
    void ShowAllWindows() {
        for (int z = 0; z <= 3; ++z) VideoWindowOf(*t, z).show();
    }
};
}  // namespace

TEST_F(VideoResetsTest, LeavingTheTableClosesEveryRemoteVideoWindowAndStartsTheCountersAfresh) {
    ShowAllWindows();
    t->video.FrameSendCounter = {0, 4, 5, 6};
    SendLeaveTable(*t);
    for (int z = 1; z <= 3; ++z) EXPECT_EQ(t->videoWindows[z], nullptr) << z;
    EXPECT_TRUE(VideoWindowShown(*t, 0));
    EXPECT_EQ(t->video.FrameSendCounter, (std::array<int16_t, 4>{}));
}

TEST_F(VideoResetsTest, MinimisingTheTableClosesOnlyTheVideoWindowsThatAreShown) {
    VideoWindowOf(*t, 1).show();
    VideoWindowOf(*t, 2);  // loaded, never shown
    t->mainForm->Minimize();
    MainForm_Form_Resize(*t);
    EXPECT_EQ(t->videoWindows[1], nullptr);
    EXPECT_NE(t->videoWindows[2], nullptr);
}

TEST_F(VideoResetsTest, ClosingTheTableWindowStopsAndClosesTheOwnCameraAndTheLinks) {
    t.camera->startSucceeds = true;
    f().vcap1->OpenCapture();
    ASSERT_EQ(f().vcap1->StartCapture(), 0);
    t->video.CaptureOn = true;
    ShowAllWindows();
    EXPECT_THROW(MainForm_Form_Unload(*t), ProgramEnded);
    EXPECT_EQ(t.camera->stops, 1);
    EXPECT_FALSE(f().vcap1->Opened());
    EXPECT_EQ(t.peers->record.closeAllCalls, 1);
    for (const auto& window : t->videoWindows) EXPECT_EQ(window, nullptr);
}
