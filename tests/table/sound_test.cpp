#include "shared/Client.h"
#include "support/TestClient.h"
#include "table/Sound.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Every call the client makes on the sound device, in order.
class LoggingSound : public SoundDevice {
public:
    bool startSucceeds = true;
    QStringList calls;
    bool Start() override {
        calls << QStringLiteral("start");
        return startSucceeds;
    }
    void Play(const QString& path, bool looped) override { calls << (looped ? "loop " : "once ") + path; }
    void Stop() override { calls << QStringLiteral("stop"); }
    void SetVolume(int volume) override { calls << QStringLiteral("volume ") + QString::number(volume); }
};

// A test client whose sound device logs its calls (TestClient::sound is not used).
class Sound : public ::testing::Test {
protected:
    void SetUp() override {
        auto logging = std::make_unique<LoggingSound>();
        device = logging.get();
        t->platform.sound = std::move(logging);
    }

    // A running turn countdown that warns on the next second.
    void StartCountdownAt(int seconds) {
        t->connection.LoggedIn = true;
        t->table.ActionCountdown = static_cast<int16_t>(seconds);
        t->scheduler.TurnCountdownOn = true;
        t->scheduler.TurnTickTime = 0;
    }

    std::string Calls() const { return device->calls.join(QLatin1Char('|')).toStdString(); }

    TestClient t;
    LoggingSound* device = nullptr;
};

TEST_F(Sound, StartUpStopsThenLoopsTheTuneAtFullVolume) {
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_TRUE(t->sound.EffectSoundOn);
    EXPECT_EQ(Calls(), "start|stop|loop " + t->sound.WavePath[1].toStdString() + "|volume 3000");
}

// The start-up still asks for the tune (a device that did not start stays
// silent), but effects are no longer asked for.
TEST_F(Sound, WithoutAudioOutputEffectSoundsAreOffAndNoEffectPlays) {
    device->startSucceeds = false;
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_FALSE(t->sound.EffectSoundOn);
    device->calls.clear();
    StartCountdownAt(3);
    t.Tick(30);
    EXPECT_EQ(Calls(), "") << "no countdown warning";
}

TEST_F(Sound, EachWarningReplacesTheTuneAndTheTuneDoesNotComeBack) {
    ASSERT_EQ(t.Load(), std::nullopt);
    device->calls.clear();
    StartCountdownAt(3);
    t.Tick(30);  // about a second and a half: two warnings
    const std::string warning = "once " + t->sound.WavePath[6].toStdString() + "|volume 3000";
    EXPECT_EQ(Calls(), warning + "|" + warning);
}

TEST_F(Sound, OnlyVolumesFrom0To3000ReachTheDevice) {
    for (int volume : {3001, -1, 100000, 0, 1, 2999, 3000}) SetSoundVolume(*t, volume);
    EXPECT_EQ(Calls(), "volume 0|volume 1|volume 2999|volume 3000");
}

TEST_F(Sound, PathsSitInTheCommonFolderBesideTheProgramFolderWhateverTheirCase) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("table")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Common/MUSIC")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Common/Mj")));
    QFile shipped(root.path() + QStringLiteral("/Common/MUSIC/MaJiang.WAV"));
    ASSERT_TRUE(shipped.open(QIODevice::WriteOnly));
    t->platform.paths = ProgramPaths(root.path() + QStringLiteral("/table"));

    InitSoundPaths(*t);
    EXPECT_EQ(t->sound.WavePath[1], root.path() + QStringLiteral("/Common/MUSIC/MaJiang.WAV"));
    const char* const absent[] = {"dapai", "qupai", "xipai", "zhise", "tishi"};
    for (int i = 2; i <= 6; ++i)
        EXPECT_EQ(t->sound.WavePath[i], root.path() + "/Common/MUSIC/" + absent[i - 2] + ".wav") << i;
    EXPECT_TRUE(t->sound.WavePath[0].isEmpty());
    EXPECT_TRUE(t->sound.WavePath[7].isEmpty());
    EXPECT_EQ(t->sound.VoiceFolder, root.path() + QStringLiteral("/Common/Mj/"));
}

TEST_F(Sound, VoiceFileNamesOfTilesAndClaims) {
    t->sound.VoiceFolder = QStringLiteral("/v/");
    PlayerInfo seat;
    seat.VoiceCode = QStringLiteral("00");
    seat.VoiceSet = QStringLiteral("10");
    seat.Sex = 1;
    seat.VoiceSex = 3;
    struct Case {
        QString suffix, name;
    } cases[] = {
        {TileVoiceSuffix(0x25), "/v/v00101325.wav"},  // five of bamboo
        {TileVoiceSuffix(0x11), "/v/v00101311.wav"},  // east wind
        {TileVoiceSuffix(0x17), "/v/v00101317.wav"},  // white dragon
        {TileVoiceSuffix(0x21), "/v/v00101321.wav"},
        {TileVoiceSuffix(0x41), "/v/v00101381.wav"},  // characters speak as suit 8
        {TileVoiceSuffix(0x49), "/v/v00101389.wav"},
        {TileVoiceSuffix(0x85), "/v/v00101345.wav"},  // circles speak as suit 4
        {ClaimVoiceSuffix(VoiceClaim::Chow), "/v/v00101301.wav"},
        {ClaimVoiceSuffix(VoiceClaim::Pung), "/v/v00101302.wav"},
        {ClaimVoiceSuffix(VoiceClaim::Kong), "/v/v00101303.wav"},
        {ClaimVoiceSuffix(VoiceClaim::RedDragonKong), "/v/v00101304.wav"},
        {ClaimVoiceSuffix(VoiceClaim::WildTileKong), "/v/v00101305.wav"},
        {ClaimVoiceSuffix(VoiceClaim::Win), "/v/v00101309.wav"},
    };
    for (const Case& c : cases) EXPECT_EQ(VoiceFileName(*t, seat, c.suffix), c.name) << c.suffix.toStdString();

    seat.VoiceCode = QStringLiteral("27");
    seat.VoiceSet = QStringLiteral("20");
    seat.Sex = 0;
    seat.VoiceSex = 2;
    EXPECT_EQ(VoiceFileName(*t, seat, TileVoiceSuffix(0x15)), "/v/v27200215.wav") << "red dragon, another voice";
}

TEST_F(Sound, VoiceFileNameIsEmptyWhenAPartIsNotPlainLettersAndDigits) {
    struct Case {
        const char* name;
        QString voiceCode, voiceSet, suffix;
    } cases[] = {
        {"parent folder in the code", "..", "10", "25"},
        {"slash in the set", "00", "1/", "25"},
        {"blank in the code", "0 ", "10", "25"},
        {"Chinese set", "00", "十", "25"},
        {"accented letter", "é0", "10", "25"},
        {"dot in the suffix", "00", "10", "25.x"},
        {"zero character in the suffix", "00", "10", QString(QChar(0)) + "1"},
    };
    for (const Case& c : cases) {
        PlayerInfo seat;
        seat.VoiceCode = c.voiceCode;
        seat.VoiceSet = c.voiceSet;
        EXPECT_TRUE(VoiceFileName(*t, seat, c.suffix).isEmpty()) << c.name;
    }
}
}  // namespace
