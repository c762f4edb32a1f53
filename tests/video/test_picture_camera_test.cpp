#include "video/TestPictureCamera.h"
#include "platform/VideoFrame.h"
#include "support/EventLoopWait.h"
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kTimeoutMs = 5000;

// A camera's frames, as its owner receives them.
struct FrameLog {
    explicit FrameLog(CameraDevice& camera) {
        camera.OnFrame = [this](const QByteArray& frame) { frames.push_back(frame); };
    }
    std::vector<QByteArray> frames;
};

// Runs the event loop until a zero-interval timer has fired `passes` times,
// which lets any other timer due by then fire too, without waiting for the clock.
void RunEventLoopPasses(int passes) {
    QTimer witness;
    witness.setInterval(0);
    int fired = 0;
    QObject::connect(&witness, &QTimer::timeout, [&fired] { ++fired; });
    witness.start();
    ASSERT_TRUE(WaitUntil([&fired, passes] { return fired >= passes; }, kTimeoutMs));
}

// Whether two pictures differ visibly. The first drawing of a glyph may
// antialias its edges a few levels apart from later ones, which is no difference.
bool Differs(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return true;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue())}) > 48)
                return true;
        }
    return false;
}

}  // namespace

TEST(DrawTestPicture, IsAFrameSizedPictureThatDependsOnlyOnItsInputs) {
    const QTime noon(12, 0, 0, 0);
    const QImage picture = DrawTestPicture(QStringLiteral("alice"), noon, 5);
    EXPECT_EQ(picture.size(), QSize(VideoFrame::Width, VideoFrame::Height));
    EXPECT_FALSE(Differs(picture, DrawTestPicture(QStringLiteral("alice"), noon, 5)));
}

// Every frame differs from the one before, and the sender can be told apart.
TEST(DrawTestPicture, ShowsTheMovingBarsTheTimeAndTheAccount) {
    const QTime noon(12, 0, 0, 0);
    const QImage base = DrawTestPicture(QStringLiteral("alice"), noon, 5);
    const struct Case {
        const char* name;
        QString account;
        QTime time;
        int frameNumber;
    } cases[] = {
        {"the next frame at the same time", QStringLiteral("alice"), noon, 6},
        {"one millisecond later", QStringLiteral("alice"), noon.addMSecs(1), 5},
        {"one hour later", QStringLiteral("alice"), noon.addSecs(3600), 5},
        {"another account", QStringLiteral("bob"), noon, 5},
        {"an account in Chinese", QStringLiteral("张三"), noon, 5},
        {"no account", QString(), noon, 5},
    };
    for (const Case& c : cases) EXPECT_TRUE(Differs(DrawTestPicture(c.account, c.time, c.frameNumber), base)) << c.name;

    // Chinese accounts are drawn as their glyphs, not as the same boxes of a missing face.
    EXPECT_TRUE(Differs(DrawTestPicture(QStringLiteral("张三"), noon, 5), DrawTestPicture(QStringLiteral("李四"), noon, 5)));
}

// Any frame number, the counter's extremes included, paints the bars across
// the whole width; an account far too long for the band still draws.
TEST(DrawTestPicture, DrawsForAnyFrameNumberAndAccount) {
    const QTime noon(12, 0, 0, 0);
    for (int frameNumber : {0, 1, 83, 84, 1000000, 0x7FFFFFFF, -1}) {
        const QImage picture = DrawTestPicture(QString(200, QChar(u'麻')), noon, frameNumber);
        EXPECT_EQ(picture.size(), QSize(VideoFrame::Width, VideoFrame::Height)) << frameNumber;
        // The top row is bars from edge to edge: no gap left unpainted.
        for (int x = 0; x < VideoFrame::Width; ++x)
            ASSERT_NE(picture.pixel(x, 0), QColor(Qt::black).rgb()) << frameNumber << " at " << x;
    }
}

TEST(DrawTestPicture, EncodesToAFrameWithinTheCaps) {
    const QByteArray frame = EncodeVideoFrame(DrawTestPicture(QStringLiteral("张三"), QTime(23, 59, 59, 999), 3));
    EXPECT_LT(frame.size(), VideoFrame::MaxBytes / 4);
    EXPECT_EQ(DecodeVideoFrame(frame).size(), QSize(VideoFrame::Width, VideoFrame::Height));
}

TEST(TestPictureCamera, DeliversDifferentFramesWhileStartedAndNoneAfterStop) {
    TestPictureCamera camera(std::chrono::milliseconds(0));
    FrameLog log(camera);
    camera.SetAccount(QStringLiteral("alice"));
    EXPECT_EQ(camera.Format(), QByteArray("JPEG 320x240"));
    // Without a start nothing comes.
    RunEventLoopPasses(20);
    EXPECT_TRUE(log.frames.empty());

    ASSERT_TRUE(camera.Start());
    ASSERT_TRUE(WaitUntil([&log] { return log.frames.size() >= 3; }, kTimeoutMs));
    EXPECT_NE(log.frames[0], log.frames[1]);
    for (const QByteArray& frame : log.frames)
        EXPECT_EQ(DecodeVideoFrame(frame).size(), QSize(VideoFrame::Width, VideoFrame::Height));

    camera.Stop();
    const size_t delivered = log.frames.size();
    RunEventLoopPasses(20);
    EXPECT_EQ(log.frames.size(), delivered);

    // A stopped camera starts again.
    ASSERT_TRUE(camera.Start());
    EXPECT_TRUE(WaitUntil([&log, delivered] { return log.frames.size() > delivered; }, kTimeoutMs));
    camera.Stop();
}

TEST(TestPictureCamera, SendsAboutTenFramesASecond) {
    TestPictureCamera camera;
    FrameLog log(camera);
    ASSERT_TRUE(camera.Start());
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(WaitUntil([&log] { return log.frames.size() >= 2; }, kTimeoutMs));
    // Two frames need at least one interval between them.
    EXPECT_GE(elapsed.elapsed(), VideoFrame::FrameIntervalMs);
    camera.Stop();
}
