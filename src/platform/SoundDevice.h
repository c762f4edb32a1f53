#pragma once
#include <QString>

// The one sound buffer: a new sound replaces the playing one.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // False when there is no sound output to play on.
    virtual bool Start() = 0;
    virtual void Play(const QString& path, bool looped) = 0;
    virtual void Stop() = 0;
    // 0 (quietest) to 3000 (full).
    virtual void SetVolume(int volume) = 0;
};
