#pragma once
#include <QString>
#include <array>

struct SoundState {
    std::array<QString, 101> WavePath;
    QString VoiceFolder;
    bool MusicOn = true;
    bool SystemSoundOn = true;
    bool EffectSoundOn = true;
};
