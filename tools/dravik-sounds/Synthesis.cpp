#include "dravik-sounds/Synthesis.h"
#include "dravik-sounds/WavFile.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kAttackSeconds = 0.003;
constexpr double kMaxFadeSeconds = 0.02;

// The envelope's gain at `t` seconds into a sound of `length` seconds.
double Envelope(double t, double length, double decayPerSecond) {
    const double fade = std::min(kMaxFadeSeconds, length / 4);
    const double attack = std::min(1.0, t / kAttackSeconds);
    const double release = std::min(1.0, (length - t) / fade);
    return attack * release * std::exp(-decayPerSecond * t);
}

template <typename SampleOf>
void AddShaped(Signal& signal, double start, double length, double decayPerSecond, SampleOf sampleOf) {
    const std::size_t first = static_cast<std::size_t>(std::lround(start * kWavSampleRate));
    const std::size_t count = static_cast<std::size_t>(std::lround(length * kWavSampleRate));
    for (std::size_t i = 0; i < count && first + i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kWavSampleRate;
        signal[first + i] += static_cast<float>(Envelope(t, length, decayPerSecond) * sampleOf(t));
    }
}
}  // namespace

Signal SilenceOf(double seconds) { return Signal(static_cast<std::size_t>(std::lround(seconds * kWavSampleRate)), 0.0f); }

void AddTone(Signal& signal, double start, double length, double frequency, const std::vector<float>& harmonics,
             double decayPerSecond, float amplitude) {
    AddShaped(signal, start, length, decayPerSecond, [&](double t) {
        double sum = 0;
        for (std::size_t h = 0; h < harmonics.size(); ++h)
            sum += harmonics[h] * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(h + 1) * t);
        return amplitude * sum;
    });
}

void AddNoise(Signal& signal, double start, double length, double decayPerSecond, float amplitude, std::mt19937& random) {
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    AddShaped(signal, start, length, decayPerSecond, [&](double) { return amplitude * noise(random); });
}

void AddClack(Signal& signal, double start, double pitch, float amplitude, std::mt19937& random) {
    AddTone(signal, start, 0.06, pitch, {1.0f}, 70, amplitude);
    AddTone(signal, start, 0.04, pitch * 2.76, {1.0f}, 110, amplitude * 0.5f);
    AddNoise(signal, start, 0.012, 300, amplitude * 0.6f, random);
}

std::vector<int16_t> ToPcm(const Signal& signal, float peak) {
    float loudest = 0;
    for (float sample : signal) loudest = std::max(loudest, std::abs(sample));
    const float scale = loudest > 0 ? peak * 32767.0f / loudest : 0.0f;
    std::vector<int16_t> pcm(signal.size());
    std::transform(signal.begin(), signal.end(), pcm.begin(),
                   [scale](float sample) { return static_cast<int16_t>(std::lround(sample * scale)); });
    return pcm;
}
