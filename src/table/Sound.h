#pragma once
#include <QString>
class Client;
struct PlayerInfo;

// Fills WavePath entries 1 to 6 and VoiceFolder.
void InitSoundPaths(Client& c);
// Starts the sound device; no sound output switches effect sounds off.
void InitDirectSound(Client& c);
// Stops the sound playing and plays the file once or looped; a missing file stays silent.
void PlaySoundFile(Client& c, const QString& path, bool looped);
// Stops the sound and rewinds it.
void StopSound(Client& c);
// 0 (quietest, -30 dB) to 3000 (full); other values change nothing.
void SetSoundVolume(Client& c, int volume);
// Nothing in the client starts a music segment, so there is nothing to stop.
void StopMusic(Client& c);

// The claims a seat's voice announces, by the number its file name ends in.
enum class VoiceClaim { Chow = 1, Pung = 2, Kong = 3, RedDragonKong = 4, WildTileKong = 5, Win = 9 };

// The voice file of a seat saying what `suffix` names: the voice folder, "v",
// the seat's VoiceCode, VoiceSet, Sex and VoiceSex, the suffix and ".wav".
// Empty (no voice) when a part is not plain ASCII letters and digits, so that
// a name built from server data cannot leave the voice folder.
QString VoiceFileName(const Client& c, const PlayerInfo& seat, const QString& suffix);
// The same name without the voice folder.
QString VoiceFileBaseName(const PlayerInfo& seat, const QString& suffix);
// A discarded tile's suffix: the suit digit (1 honours, 2 bamboo, 8 characters,
// 4 circles: the suit bit with 4 and 8 exchanged), then the rank digit.
QString TileVoiceSuffix(int tileCode);
QString ClaimVoiceSuffix(VoiceClaim claim);
// The own seat's voice announcing a claim, at full volume, while effect sounds are on.
void PlayOwnVoice(Client& c, VoiceClaim claim);
