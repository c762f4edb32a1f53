#pragma once
#include "platform/SoundDevice.h"
#include <memory>

class QSoundEffect;

// The linear gain of a volume from 0 to 3000, an attenuation in hundredths of
// a decibel below full: 3000 is 1.0, 1000 is 0.1 (-20 dB), 0 is -30 dB.
float LinearGainOfVolume(int volume);

// The one sound buffer over QSoundEffect. Each Play makes a new effect, so a
// sound starts at full volume as a fresh buffer does.
class QtSoundDevice : public SoundDevice {
public:
    QtSoundDevice();
    ~QtSoundDevice() override;

    // False when the machine has no audio output.
    bool Start() override;
    // A missing or unreadable file leaves no sound; the previous one stops either way.
    void Play(const QString& path, bool looped) override;
    void Stop() override;
    void SetVolume(int volume) override;

private:
    bool started_ = false;
    std::unique_ptr<QSoundEffect> effect_;
};
