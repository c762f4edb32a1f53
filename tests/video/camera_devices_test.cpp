#include "video/CameraDevices.h"
#include "platform/QtCameraDevice.h"
#include "video/TestPictureCamera.h"
#include "support/ScopedEnv.h"
#include <QCameraDevice>
#include <QMediaDevices>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

TEST(OpenCameraDevice, GivesTheTestPictureOnlyWhenAskedForExactly) {
    const struct Case {
        std::optional<QString> setting;
        bool testPicture;
    } cases[] = {
        {std::nullopt, false},
        {QStringLiteral(""), false},
        {QStringLiteral("0"), false},
        {QStringLiteral("true"), false},
        {QStringLiteral("11"), false},
        {QStringLiteral(" 1"), false},
        {QStringLiteral("1"), true},
    };
    for (const Case& c : cases) {
        const ScopedEnv env("DRAVIK_TEST_CAMERA", c.setting);
        const std::unique_ptr<CameraDevice> device = OpenCameraDevice();
        const QString shown = c.setting.value_or(QStringLiteral("(unset)"));
        EXPECT_EQ(dynamic_cast<TestPictureCamera*>(device.get()) != nullptr, c.testPicture) << shown.toStdString();
        EXPECT_EQ(dynamic_cast<QtCameraDevice*>(device.get()) != nullptr, !c.testPicture) << shown.toStdString();
    }
}

TEST(QtCameraDevice, DoesNotStartWithoutACamera) {
    if (!QMediaDevices::videoInputs().isEmpty()) GTEST_SKIP() << "this machine has a camera";
    QtCameraDevice device;
    int frames = 0;
    device.OnFrame = [&frames](const QByteArray&) { ++frames; };
    EXPECT_EQ(device.Format(), QByteArray("JPEG 320x240"));
    EXPECT_FALSE(device.Start());
    EXPECT_FALSE(device.Start());
    device.Stop();
    device.Stop();
    EXPECT_EQ(frames, 0);
}

TEST(FramePacer, SendsAtMostAboutOneFramePerInterval) {
    const struct Case {
        const char* name;
        std::vector<qint64> arrivals;
        std::vector<bool> sent;
    } cases[] = {
        {"a camera at 30 a second sends every third frame",
         {0, 33, 67, 100, 133, 167, 200},
         {true, false, false, true, false, false, true}},
        {"jitter does not lower the rate below one per interval",
         {0, 33, 66, 99, 132, 165, 198, 231},
         {true, false, false, false, true, false, false, true}},
        {"a slow camera sends every frame", {0, 150, 300, 450}, {true, true, true, true}},
        {"after a stall two frames pass close together, then the pace holds",
         {0, 1000, 1033, 1066, 1100, 1133, 1200},
         {true, true, true, false, true, false, true}},
        {"the first frame passes whenever it comes", {5000, 5099, 5100}, {true, false, true}},
    };
    for (const Case& c : cases) {
        FramePacer pacer(100);
        std::vector<bool> sent;
        for (qint64 at : c.arrivals) sent.push_back(pacer.Take(at));
        EXPECT_EQ(sent, c.sent) << c.name;
    }
}
