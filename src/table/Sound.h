#pragma once
#include <QString>
class Client;

// Fills WavePath entries 1 to 6 and VoiceFolder.
void InitSoundPaths(Client& c);
// Starts the sound device; no sound output switches effect sounds off.
void InitDirectSound(Client& c);
void PlaySoundFile(Client& c, const QString& path, bool looped);
void StopSound(Client& c);
// 0 (quietest) to 3000 (full).
void SetSoundVolume(Client& c, int volume);
// Nothing in the client starts a music segment, so there is nothing to stop.
void StopMusic(Client& c);
