#include "dravik-sounds/TableSounds.h"
#include "dravik-sounds/Synthesis.h"
#include <cmath>
#include <numbers>

namespace {
constexpr float kEffectPeak = 0.8f;
constexpr float kTunePeak = 0.6f;

double FrequencyOfMidiNote(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A fixed seed: every run writes the same files.
std::mt19937 Random() { return std::mt19937(20240607u); }

double Between(std::mt19937& random, double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
}  // namespace

std::vector<int16_t> StartUpTune() {
    struct Note {
        int midi;
        int slots;
    };
    // D major pentatonic, sixteen eighth notes; the bass changes every four.
    static const Note melody[] = {{69, 1}, {71, 1}, {74, 1}, {76, 1}, {74, 1}, {71, 1}, {69, 2},
                                  {66, 1}, {64, 1}, {66, 1}, {69, 1}, {64, 1}, {62, 3}};
    static const int bass[] = {50, 47, 45, 50};
    constexpr double kSlot = 0.25;
    constexpr int kSlotsPerBass = 4;

    Signal tune = SilenceOf(kSlot * kSlotsPerBass * std::size(bass));
    double at = 0;
    for (const Note& note : melody) {
        // Each note fades to zero within its own slots, so the last sample meets the first.
        AddTone(tune, at, kSlot * note.slots, FrequencyOfMidiNote(note.midi), {1.0f, 0.45f, 0.25f, 0.12f, 0.06f}, 3.0, 1.0f);
        at += kSlot * note.slots;
    }
    for (std::size_t i = 0; i < std::size(bass); ++i)
        AddTone(tune, kSlot * kSlotsPerBass * static_cast<double>(i), kSlot * kSlotsPerBass, FrequencyOfMidiNote(bass[i]),
                {1.0f, 0.3f, 0.1f}, 1.5, 0.5f);
    return ToPcm(tune, kTunePeak);
}

std::vector<int16_t> DiscardClick() {
    std::mt19937 random = Random();
    Signal click = SilenceOf(0.15);
    AddClack(click, 0, 1100, 1.0f, random);
    AddTone(click, 0, 0.12, 160, {1.0f, 0.3f}, 35, 0.7f);
    return ToPcm(click, kEffectPeak);
}

std::vector<int16_t> DrawTick() {
    std::mt19937 random = Random();
    Signal tick = SilenceOf(0.06);
    AddTone(tick, 0, 0.05, 2600, {1.0f}, 120, 1.0f);
    AddNoise(tick, 0, 0.01, 300, 0.3f, random);
    return ToPcm(tick, kEffectPeak * 0.7f);
}

std::vector<int16_t> ShuffleRattle() {
    constexpr double kLength = 1.6;
    constexpr double kLastClack = 1.45;
    std::mt19937 random = Random();
    Signal rattle = SilenceOf(kLength);
    for (int i = 0; i < 140; ++i) {
        const double at = Between(random, 0.02, kLastClack);
        const double swell = std::sqrt(std::sin(std::numbers::pi * at / kLastClack));
        AddClack(rattle, at, Between(random, 900, 2200), static_cast<float>(swell * Between(random, 0.3, 1.0)), random);
    }
    return ToPcm(rattle, kEffectPeak);
}

std::vector<int16_t> DiceRattle() {
    std::mt19937 random = Random();
    Signal rattle = SilenceOf(0.9);
    for (int die = 0; die < 2; ++die) {
        // Each bounce comes sooner and softer than the one before.
        double at = 0.01 + 0.025 * die;
        double interval = 0.11 + 0.01 * die;
        float loudness = 1.0f;
        while (interval > 0.012) {
            AddClack(rattle, at, 1800 + 400 * die + Between(random, -200, 200), loudness, random);
            at += interval;
            interval *= 0.78;
            loudness *= 0.85f;
        }
    }
    return ToPcm(rattle, kEffectPeak);
}

std::vector<int16_t> CountdownBeep() {
    Signal beep = SilenceOf(0.2);
    AddTone(beep, 0, 0.18, 1046.5, {1.0f, 0.2f}, 4, 1.0f);
    return ToPcm(beep, kEffectPeak * 0.8f);
}
