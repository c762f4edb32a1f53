#include "dravik-sounds/VoiceFiles.h"
#include "shared/PlayerInfo.h"
#include "table/Sound.h"
#include "window/PhraseFile.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <mutex>
#include <thread>

namespace {
struct Voice {
    const char* voiceSet;
    uint8_t sex;  // 0 female, 1 male
    int pitch;
    int speed;
};

// The voice sets the seating hands out: "10" and "30" to men, "10", "20" and
// "30" to women. Women speak higher; each set has its own pitch and pace.
const Voice kVoices[] = {
    {"10", 1, 35, 160}, {"30", 1, 22, 145}, {"10", 0, 68, 165}, {"20", 0, 80, 180}, {"30", 0, 58, 150},
};
// The dialect option switches every seat between these codes; both get the
// same Mandarin voice, so each word is spoken once and copied.
const char* const kVoiceCodes[] = {"00", "27"};

struct Word {
    QString suffix;
    QString text;
};

std::vector<Word> Words() {
    static const QString ranks[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
    static const QString honours[] = {"东风", "南风", "西风", "北风", "红中", "发财", "白板"};
    static const struct {
        int suitBit;
        const char* name;
    } suits[] = {{2, "条"}, {4, "万"}, {8, "筒"}};
    std::vector<Word> words;
    for (int rank = 1; rank <= 7; ++rank) words.push_back({TileVoiceSuffix(0x10 | rank), honours[rank - 1]});
    for (const auto& suit : suits)
        for (int rank = 1; rank <= 9; ++rank)
            words.push_back({TileVoiceSuffix(suit.suitBit << 4 | rank), ranks[rank - 1] + QString::fromUtf8(suit.name)});
    static const struct {
        VoiceClaim claim;
        const char* text;
    } claims[] = {{VoiceClaim::Chow, "吃"}, {VoiceClaim::Pung, "碰"}, {VoiceClaim::Kong, "杠"},
                  {VoiceClaim::RedDragonKong, "杠"}, {VoiceClaim::WildTileKong, "杠"}, {VoiceClaim::Win, "胡"}};
    for (const auto& claim : claims) words.push_back({ClaimVoiceSuffix(claim.claim), QString::fromUtf8(claim.text)});
    const QStringList phrases = VoicePhrases();
    for (int n = 1; n <= phrases.size(); ++n) words.push_back({QStringLiteral("a") + QString::number(n), phrases[n - 1]});
    return words;
}

QStringList EspeakArguments(const SpokenWord& word, const QString& dir) {
    return {QStringLiteral("-v"), QStringLiteral("cmn"), QStringLiteral("-p"), QString::number(word.pitch),
            QStringLiteral("-s"), QString::number(word.speed), QStringLiteral("-w"),
            dir + QLatin1Char('/') + word.fileNames.first(), word.text};
}

bool Speak(const SpokenWord& word, const QString& espeak, const QString& dir) {
    QProcess speaker;
    speaker.start(espeak, EspeakArguments(word, dir));
    if (!speaker.waitForFinished(-1) || speaker.exitStatus() != QProcess::NormalExit || speaker.exitCode() != 0)
        return false;
    const QString spoken = dir + QLatin1Char('/') + word.fileNames.first();
    for (const QString& copy : word.fileNames.mid(1)) {
        QFile::remove(dir + QLatin1Char('/') + copy);
        if (!QFile::copy(spoken, dir + QLatin1Char('/') + copy)) return false;
    }
    return true;
}
}  // namespace

QStringList VoicePhrases() { return ReadPhrases(QStringLiteral(DRAVIK_PHRASE_FILE), QStringLiteral("Phrase2")); }

std::vector<SpokenWord> SpokenWords() {
    std::vector<SpokenWord> spoken;
    for (const Voice& voice : kVoices) {
        PlayerInfo seat;
        seat.VoiceSet = QLatin1String(voice.voiceSet);
        seat.Sex = voice.sex;
        seat.VoiceSex = voice.sex == 0 ? 2 : 3;
        for (const Word& word : Words()) {
            QStringList names;
            for (const char* code : kVoiceCodes) {
                seat.VoiceCode = QLatin1String(code);
                names << VoiceFileBaseName(seat, word.suffix);
            }
            spoken.push_back({names, word.text, voice.pitch, voice.speed});
        }
    }
    return spoken;
}

bool WriteVoiceFiles(const QString& outDir, const QString& espeak, QString* error) {
    const QString dir = outDir + QStringLiteral("/mj");
    if (!QDir().mkpath(dir)) {
        *error = dir + QStringLiteral(": cannot create the folder");
        return false;
    }
    const std::vector<SpokenWord> words = SpokenWords();
    std::atomic<std::size_t> next{0};
    std::mutex failuresLock;
    QStringList failures;
    {
        std::vector<std::jthread> workers;
        for (int i = 0; i < std::max(1, QThread::idealThreadCount()); ++i) {
            workers.emplace_back([&] {
                for (std::size_t k; (k = next++) < words.size();) {
                    if (Speak(words[k], espeak, dir)) continue;
                    const std::lock_guard lock(failuresLock);
                    failures << words[k].fileNames.first();
                }
            });
        }
    }
    if (failures.isEmpty()) return true;
    *error = QStringLiteral("espeak-ng failed for %1 of %2 words, first %3")
                 .arg(failures.size())
                 .arg(words.size())
                 .arg(failures.first());
    return false;
}
