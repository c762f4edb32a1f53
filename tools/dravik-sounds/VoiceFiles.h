#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// One word in one voice, spoken by espeak-ng into the first file and copied
// to the others (the same voice under each dialect code).
struct SpokenWord {
    QStringList fileNames;  // as the client names them
    QString text;
    int pitch;  // espeak-ng -p, 0 to 99
    int speed;  // espeak-ng -s, words per minute
};

// The voice phrases of the phrase file the client ships, in their order.
QStringList VoicePhrases();
// Every tile, claim and voice-phrase file the client can ask for, for each
// voice the seating can give a male or female seat, under both dialect codes.
std::vector<SpokenWord> SpokenWords();
// Speaks SpokenWords() into outDir/mj/ with the espeak-ng program `espeak`,
// several at once.
bool WriteVoiceFiles(const QString& outDir, const QString& espeak, QString* error);
