#pragma once
#include "platform/SoundDevice.h"

// Placeholder until sound output is built: a device without an output,
// which switches effect sounds off at start-up.
class SilentSoundDevice : public SoundDevice {
public:
    bool Start() override { return false; }
    void Play(const QString&, bool) override {}
    void Stop() override {}
    void SetVolume(int) override {}
};
