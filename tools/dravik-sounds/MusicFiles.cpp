#include "dravik-sounds/MusicFiles.h"
#include "dravik-sounds/TableSounds.h"
#include "dravik-sounds/WavFile.h"
#include <QDir>

bool WriteMusicFiles(const QString& outDir, QString* error) {
    const QString dir = outDir + QStringLiteral("/music");
    if (!QDir().mkpath(dir)) {
        *error = dir + QStringLiteral(": cannot create the folder");
        return false;
    }
    const struct {
        const char* name;
        std::vector<int16_t> (*make)();
    } files[] = {{"majiang.wav", StartUpTune}, {"dapai.wav", DiscardClick},   {"qupai.wav", DrawTick},
                 {"xipai.wav", ShuffleRattle}, {"zhise.wav", DiceRattle}, {"tishi.wav", CountdownBeep}};
    for (const auto& file : files)
        if (!WriteWavFile(dir + QLatin1Char('/') + QLatin1String(file.name), file.make(), error)) return false;
    return true;
}
