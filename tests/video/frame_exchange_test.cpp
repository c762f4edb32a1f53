#include "platform/CaptureControl.h"
#include "video/FrameExchange.h"
#include "video/VideoFixture.h"
#include "video/VideoWindow.h"

namespace {
using Sent = FakeP2PSocket::SentData;

QByteArray Frame(int n) { return QByteArray("frame-") + QByteArray::number(n); }

class FrameExchangeTest : public VideoFixture {};
}  // namespace

TEST_F(FrameExchangeTest, OnlyALoginAnswerOfTwoLogsInAndNoLaterAnswerLogsOut) {
    t.peers->AnswerLogin(PeerLogin::Refused);
    EXPECT_FALSE(t->video.VideoLoginOk);
    t.peers->AnswerLogin(PeerLogin::LoggedIn);
    EXPECT_TRUE(t->video.VideoLoginOk);
    t.peers->AnswerLogin(PeerLogin::Refused);
    t.peers->AnswerLogin(PeerLogin::Unreachable);
    EXPECT_TRUE(t->video.VideoLoginOk);
}

TEST_F(FrameExchangeTest, ALinkAtFourteenOrFifteenIsGreetedWithFormatModeAndTheLastOwnFrame) {
    // Before the camera has given a frame the greeting carries an empty one.
    t.peers->ReportState(2, PeerLink::Linked);
    EXPECT_EQ(sent(), (std::vector<Sent>{{2, "format", "test-format"}, {2, "mode", "2"}, {2, "frame", {}}}));
    sent().clear();
    MainForm_vcap1_FrameCaptured(*t, Frame(1));
    sent().clear();
    t.peers->ReportState(3, PeerLink::Ready);
    EXPECT_EQ(sent(), (std::vector<Sent>{{3, "format", "test-format"}, {3, "mode", "2"}, {3, "frame", Frame(1)}}));
    sent().clear();
    for (int16_t state : {PeerLink::Free, PeerLink::Asked, PeerLink::Waiting, int16_t(10), PeerLink::Throttled, int16_t(16)})
        t.peers->ReportState(1, state);
    EXPECT_TRUE(sent().empty());
}

TEST_F(FrameExchangeTest, OwnFramesGoToEveryReadyLinkAndThinnedToLinksNotYetReady) {
    t.peers->Link(1, QStringLiteral("east"), PeerLink::Throttled);
    t.peers->Link(2, QStringLiteral("north"), PeerLink::Ready);
    t.peers->Link(3, QStringLiteral("west"), 9);
    for (int n = 1; n <= 70; ++n) MainForm_vcap1_FrameCaptured(*t, Frame(n));
    EXPECT_EQ(FramesTo(1), (QByteArrayList{Frame(1), Frame(2), Frame(3), Frame(24), Frame(45), Frame(66)}));
    EXPECT_EQ(FramesTo(2).size(), 70);
    EXPECT_TRUE(FramesTo(3).isEmpty());
    EXPECT_EQ(t->video.FrameSendCounter[2], 0);
    EXPECT_EQ(t->video.LastVideoFrame[0], Frame(70));

    // A link that was ready and drops back is thinned on from the count it had.
    t->video.FrameSendCounter[2] = 20;
    t.peers->Link(2, QStringLiteral("north"), PeerLink::Throttled);
    sent().clear();
    for (int n = 71; n <= 75; ++n) MainForm_vcap1_FrameCaptured(*t, Frame(n));
    EXPECT_EQ(FramesTo(2), QByteArrayList{Frame(74)});
}

TEST_F(FrameExchangeTest, TheCapturedFrameReachesTheLinksThroughTheCameraControl) {
    t.camera->startSucceeds = true;
    f().vcap1->OpenCapture();
    ASSERT_EQ(f().vcap1->StartCapture(), 0);
    t.peers->Link(2, QStringLiteral("north"), PeerLink::Ready);
    t.camera->Deliver(Frame(1));
    f().vcap1->StopCapture();
    t.camera->Deliver(Frame(2));
    EXPECT_EQ(FramesTo(2), QByteArrayList{Frame(1)});
}

TEST_F(FrameExchangeTest, TheOwnVideoWindowShowsOwnFramesOnlyWhileItIsShown) {
    MainForm_vcap1_FrameCaptured(*t, Frame(1));
    EXPECT_EQ(t->videoWindows[0], nullptr);
    VideoWindow& window = VideoWindowOf(*t, 0);
    window.show();
    window.vshow1->hide();
    MainForm_vcap1_FrameCaptured(*t, Frame(2));
    EXPECT_EQ(window.vshow1->ShownFrame(), Frame(2));
    EXPECT_FALSE(window.vshow1->isHidden());
    window.hide();
    MainForm_vcap1_FrameCaptured(*t, Frame(3));
    EXPECT_EQ(window.vshow1->ShownFrame(), Frame(2));
}

// Whether a peer's frame is kept and drawn: by seat, link state and the user's switch.
TEST_F(FrameExchangeTest, AFrameIsKeptAndDrawnByTheSeatsGate) {
    struct Case {
        int seat;
        int16_t state;
        bool blocked;
        bool kept, drawn;
    };
    const QString accounts[] = {{}, QStringLiteral("east"), QStringLiteral("north"), QStringLiteral("west")};
    for (const Case& k : {Case{1, 10, false, true, true}, Case{1, 9, false, false, false}, Case{1, 15, true, false, false},
                          Case{2, 12, false, true, true}, Case{2, 9, false, true, false}, Case{3, 15, true, true, false},
                          Case{3, 5, true, true, false}}) {
        SCOPED_TRACE(testing::Message() << "seat " << k.seat << " state " << k.state << " blocked " << k.blocked);
        t->video.LastVideoFrame[k.seat] = "before";
        t->video.VideoBlocked[k.seat] = k.blocked;
        const int before = view(k.seat).ShowCount();
        t.peers->Link(2, accounts[k.seat], k.state);
        t.peers->Arrive(2, Frame(k.seat));
        EXPECT_EQ(t->video.LastVideoFrame[k.seat], k.kept ? Frame(k.seat) : QByteArray("before"));
        EXPECT_EQ(view(k.seat).ShowCount() > before, k.drawn);
    }
}

TEST_F(FrameExchangeTest, TheFirstFrameOpensThePanelAndLaterOnesOnlyRedrawTheView) {
    t.peers->Link(3, QStringLiteral("north"), PeerLink::Ready);
    t.peers->Arrive(3, Frame(1));
    EXPECT_TRUE(f().ImgKuang[2]->isVisible());
    EXPECT_FALSE(f().PicLocal[2]->isHidden());
    EXPECT_FALSE(view(2).isHidden());
    EXPECT_TRUE(t->video.FirstFrameShown[2]);
    EXPECT_TRUE(t->Timer_Vshow[2]->Enabled());
    EXPECT_EQ(view(2).ShowCount(), 1);
    EXPECT_EQ(view(2).ShownFrame(), Frame(1));
    for (int k : {1, 3}) EXPECT_TRUE(view(k).isHidden());

    // Hidden by other code while the seat's first frame has been shown: drawn all the same, not reopened.
    view(2).hide();
    f().PicLocal[2]->hide();
    t.peers->Arrive(3, Frame(2));
    EXPECT_EQ(view(2).ShowCount(), 2);
    EXPECT_EQ(view(2).ShownFrame(), Frame(2));
    EXPECT_TRUE(view(2).isHidden());
    EXPECT_TRUE(f().PicLocal[2]->isHidden());
}

TEST_F(FrameExchangeTest, AFrameFindsItsSeatByAccountAloneAndTheLowerSeatWinsATie) {
    t->seatInfo[3].Account = QStringLiteral("east");
    t.peers->Link(3, QStringLiteral("east"), PeerLink::Ready);
    t.peers->Arrive(3, Frame(1));
    EXPECT_EQ(t->video.LastVideoFrame[1], Frame(1));
    EXPECT_TRUE(t->video.LastVideoFrame[3].isEmpty());
    t.peers->Link(2, QStringLiteral("stranger"), PeerLink::Ready);
    t.peers->Arrive(2, Frame(2));
    for (int k = 1; k <= 3; ++k) EXPECT_NE(t->video.LastVideoFrame[k], Frame(2));
    // A free slot names nobody, and an empty seat must not take its frames.
    t->seatInfo[2].Account.clear();
    t.peers->Arrive(1, Frame(3));
    EXPECT_TRUE(t->video.LastVideoFrame[2].isEmpty());
}

TEST_F(FrameExchangeTest, ARemoteVideoWindowGetsTheSeatsFramesOnlyWhileShown) {
    t.peers->Link(1, QStringLiteral("west"), PeerLink::Ready);
    VideoWindow& window = VideoWindowOf(*t, 3);
    window.show();
    t.peers->Arrive(1, Frame(1));
    EXPECT_EQ(window.vshow1->ShownFrame(), Frame(1));
    window.hide();
    t.peers->Arrive(1, Frame(2));
    EXPECT_EQ(window.vshow1->ShownFrame(), Frame(1));
    EXPECT_EQ(VideoWindowOf(*t, 1).vshow1->ShowCount(), 0);
}
