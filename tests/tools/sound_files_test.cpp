#include "dravik-sounds/MusicFiles.h"
#include "dravik-sounds/VoiceFiles.h"
#include "shared/PlayerInfo.h"
#include "table/Sound.h"
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <map>

namespace {
struct WaveFile {
    uint16_t format = 0, channels = 0, bitsPerSample = 0;
    uint32_t sampleRate = 0;
    std::vector<int16_t> samples;
};

// Reads a canonical 44-byte-header WAV file; fails the test where it is not one.
WaveFile ReadWave(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    WaveFile wave;
    if (bytes.size() < 44) {
        ADD_FAILURE() << path.toStdString() << " is too short";
        return wave;
    }
    const auto u16 = [&](int at) { return qFromLittleEndian<uint16_t>(bytes.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<uint32_t>(bytes.constData() + at); };
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(u32(4), uint32_t(bytes.size() - 8));
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(16), 16u);
    wave.format = u16(20);
    wave.channels = u16(22);
    wave.sampleRate = u32(24);
    EXPECT_EQ(u32(28), wave.sampleRate * 2) << "bytes per second";
    EXPECT_EQ(u16(32), 2) << "block align";
    wave.bitsPerSample = u16(34);
    EXPECT_EQ(bytes.mid(36, 4), "data");
    EXPECT_EQ(u32(40), uint32_t(bytes.size() - 44));
    for (int at = 44; at + 1 < bytes.size(); at += 2) wave.samples.push_back(static_cast<int16_t>(u16(at)));
    return wave;
}

int Loudest(const std::vector<int16_t>& samples) {
    int loudest = 0;
    for (int16_t sample : samples) loudest = std::max(loudest, std::abs(int(sample)));
    return loudest;
}

TEST(SoundFiles, TheSixTableSoundsAreAudible16BitMonoWaves) {
    QTemporaryDir out;
    QString error;
    ASSERT_TRUE(WriteMusicFiles(out.path(), &error)) << error.toStdString();
    struct Case {
        const char* name;
        double minSeconds, maxSeconds;
    } cases[] = {
        {"majiang.wav", 2, 10}, {"dapai.wav", 0.02, 0.5}, {"qupai.wav", 0.02, 0.5},
        {"xipai.wav", 0.5, 3},  {"zhise.wav", 0.3, 2},    {"tishi.wav", 0.05, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveFile wave = ReadWave(out.path() + "/music/" + c.name);
        EXPECT_EQ(wave.format, 1) << "PCM";
        EXPECT_EQ(wave.channels, 1);
        EXPECT_EQ(wave.sampleRate, 22050u);
        EXPECT_EQ(wave.bitsPerSample, 16);
        const double seconds = wave.samples.size() / 22050.0;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        EXPECT_GT(Loudest(wave.samples), 8000) << "clearly audible";
        EXPECT_LE(Loudest(wave.samples), 32767 * 0.9) << "not clipped";
    }
}

TEST(SoundFiles, TheStartUpTuneLoopsWithoutAClick) {
    QTemporaryDir out;
    QString error;
    ASSERT_TRUE(WriteMusicFiles(out.path(), &error)) << error.toStdString();
    const std::vector<int16_t> tune = ReadWave(out.path() + "/music/majiang.wav").samples;
    ASSERT_GT(tune.size(), 2u);
    EXPECT_LE(std::abs(tune.front() - tune.back()), 200);
    EXPECT_LE(std::abs(tune.front()), 200) << "starts from rest";
}

TEST(SoundFiles, AFolderThatCannotBeMadeIsAnError) {
    QTemporaryDir out;
    QFile blocker(out.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    QString error;
    EXPECT_FALSE(WriteMusicFiles(blocker.fileName(), &error));
    EXPECT_FALSE(error.isEmpty());
}

// Every tile, claim and voice phrase the client can speak, in every voice the
// seating gives (men "10" or "30", women "10", "20" or "30") under both dialect codes.
TEST(SoundFiles, VoiceFilesCoverEveryNameTheClientBuilds) {
    const qsizetype phrases = VoicePhrases().size();
    ASSERT_EQ(phrases, 8) << "the voice phrases of the shipped phrase file";
    QSet<QString> written;
    qsizetype files = 0;
    for (const SpokenWord& word : SpokenWords()) {
        EXPECT_FALSE(word.text.isEmpty()) << word.fileNames.join(' ').toStdString();
        for (const QString& name : word.fileNames) written.insert(name);
        files += word.fileNames.size();
    }
    const struct {
        uint8_t sex;
        QStringList sets;
    } voices[] = {{1, {"10", "30"}}, {0, {"10", "20", "30"}}};
    QSet<QString> expected;
    for (const QString code : {"00", "27"}) {
        for (const auto& voice : voices) {
            for (const QString& set : voice.sets) {
                PlayerInfo seat;
                seat.VoiceCode = code;
                seat.VoiceSet = set;
                seat.Sex = voice.sex;
                seat.VoiceSex = voice.sex == 0 ? 2 : 3;
                for (int rank = 1; rank <= 7; ++rank) expected.insert(VoiceFileBaseName(seat, TileVoiceSuffix(0x10 | rank)));
                for (int suit : {0x20, 0x40, 0x80})
                    for (int rank = 1; rank <= 9; ++rank) expected.insert(VoiceFileBaseName(seat, TileVoiceSuffix(suit | rank)));
                for (VoiceClaim claim : {VoiceClaim::Chow, VoiceClaim::Pung, VoiceClaim::Kong, VoiceClaim::RedDragonKong,
                                         VoiceClaim::WildTileKong, VoiceClaim::Win})
                    expected.insert(VoiceFileBaseName(seat, ClaimVoiceSuffix(claim)));
                for (int n = 1; n <= phrases; ++n) expected.insert(VoiceFileBaseName(seat, QStringLiteral("a%1").arg(n)));
            }
        }
    }
    EXPECT_EQ(expected.size(), 10 * (40 + phrases));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(files, expected.size()) << "no file twice";
}
// Voice phrase n is spoken by the files whose names end in "a" & n, in the
// words of line n of the phrase file's voice section, by every voice.
TEST(SoundFiles, VoicePhraseFilesSpeakTheirPhrase) {
    const QStringList phrases = VoicePhrases();
    ASSERT_FALSE(phrases.isEmpty());
    EXPECT_EQ(phrases.first(), QStringLiteral("快点出牌啊！"));
    std::map<QString, int> voicesByPhrase;
    for (const SpokenWord& word : SpokenWords()) {
        static const QRegularExpression phraseFile(QStringLiteral("a(\\d+)\\.wav$"));
        const QRegularExpressionMatch match = phraseFile.match(word.fileNames.first());
        if (!match.hasMatch()) continue;
        const int n = match.captured(1).toInt();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, phrases.size());
        EXPECT_EQ(word.text, phrases[n - 1]) << word.fileNames.first().toStdString();
        for (const QString& name : word.fileNames) EXPECT_TRUE(name.endsWith(match.captured(0))) << name.toStdString();
        ++voicesByPhrase[word.text];
    }
    for (const QString& phrase : phrases) EXPECT_EQ(voicesByPhrase[phrase], 5) << "one file set per voice";
}
}  // namespace
