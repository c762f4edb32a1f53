#include "platform/QtSoundDevice.h"
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(QtSoundDevice, VolumeIsAnAttenuationInHundredthsOfADecibel) {
    struct Case {
        int volume;
        float gain;
    } cases[] = {
        {3000, 1.0f}, {2400, 0.501187f}, {2000, 0.316228f}, {1000, 0.1f}, {1, 0.0316592f}, {0, 0.0316228f},
    };
    for (const Case& c : cases) EXPECT_NEAR(LinearGainOfVolume(c.volume), c.gain, 1e-5f) << c.volume;
}

TEST(QtSoundDevice, DoesNotStartWithoutAudioOutput) {
    if (!QMediaDevices::audioOutputs().isEmpty()) GTEST_SKIP() << "this machine has an audio output";
    QtSoundDevice device;
    EXPECT_FALSE(device.Start());
}

// Whether or not an output exists, a file that cannot be played is silence.
TEST(QtSoundDevice, FilesThatCannotBePlayedAreSilentAndStoppingThemIsHarmless) {
    QTemporaryDir dir;
    QFile notAWave(dir.filePath(QStringLiteral("broken.wav")));
    ASSERT_TRUE(notAWave.open(QIODevice::WriteOnly));
    notAWave.write("not a wave file");
    notAWave.close();

    QtSoundDevice device;
    device.Start();
    for (const QString& path : {dir.filePath(QStringLiteral("missing.wav")), dir.path(), notAWave.fileName()}) {
        device.Play(path, true);
        device.SetVolume(1500);
        device.Stop();
    }
    device.Stop();
}
