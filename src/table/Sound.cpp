#include "table/Sound.h"
#include "shared/Client.h"

void InitSoundPaths(Client& c) {
    static const char* const files[] = {"majiang.wav", "dapai.wav", "qupai.wav", "xipai.wav", "zhise.wav", "tishi.wav"};
    for (int i = 0; i < 6; ++i)
        c.sound.WavePath[i + 1] = c.platform.paths.Resolve(QStringLiteral("\\..\\common\\music\\") + QLatin1String(files[i]));
    c.sound.VoiceFolder = c.platform.paths.Resolve(QStringLiteral("\\..\\common\\mj")) + QLatin1Char('/');
}

void InitDirectSound(Client& c) {
    if (!c.platform.sound->Start()) c.sound.EffectSoundOn = false;
}

void PlaySoundFile(Client& c, const QString& path, bool looped) { c.platform.sound->Play(path, looped); }

void StopSound(Client& c) { c.platform.sound->Stop(); }

void SetSoundVolume(Client& c, int volume) { c.platform.sound->SetVolume(volume); }

void StopMusic(Client&) {}
