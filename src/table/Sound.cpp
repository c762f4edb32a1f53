#include "table/Sound.h"
#include "shared/Client.h"
#include <algorithm>

namespace {
constexpr int kFullVolume = 3000;

bool IsPlainName(const QString& part) {
    return std::all_of(part.begin(), part.end(), [](QChar ch) { return ch.unicode() < 128 && ch.isLetterOrNumber(); });
}
}  // namespace

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

void SetSoundVolume(Client& c, int volume) {
    if (volume >= 0 && volume <= kFullVolume) c.platform.sound->SetVolume(volume);
}

void StopMusic(Client&) {}

QString VoiceFileBaseName(const PlayerInfo& seat, const QString& suffix) {
    if (!IsPlainName(seat.VoiceCode) || !IsPlainName(seat.VoiceSet) || !IsPlainName(suffix)) return QString();
    return QLatin1Char('v') + seat.VoiceCode + seat.VoiceSet + QString::number(seat.Sex) +
           QString::number(seat.VoiceSex) + suffix + QStringLiteral(".wav");
}

QString VoiceFileName(const Client& c, const PlayerInfo& seat, const QString& suffix) {
    const QString name = VoiceFileBaseName(seat, suffix);
    return name.isEmpty() ? name : c.sound.VoiceFolder + name;
}

QString TileVoiceSuffix(int tileCode) {
    int suit = (tileCode >> 4) & 15;
    if (suit == 4 || suit == 8) suit ^= 12;
    return QString::number(suit) + QString::number(tileCode & 15);
}

QString ClaimVoiceSuffix(VoiceClaim claim) { return QStringLiteral("0") + QString::number(static_cast<int>(claim)); }

void PlayOwnVoice(Client& c, VoiceClaim claim) {
    if (!c.sound.EffectSoundOn) return;
    PlaySoundFile(c, VoiceFileName(c, c.playerInfo[0], ClaimVoiceSuffix(claim)), false);
    SetSoundVolume(c, 3000);
}
