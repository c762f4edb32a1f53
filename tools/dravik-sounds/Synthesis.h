#pragma once
#include <cstdint>
#include <random>
#include <vector>

// Sound being built: samples at the WAV rate, about -1 to 1.
using Signal = std::vector<float>;

Signal SilenceOf(double seconds);

// Adds a tone at `start` seconds: harmonics of `frequency` weighted by
// `harmonics`, rising in 3 ms, decaying exponentially, and faded out to zero
// by the end of `length` so that nothing rings past it.
void AddTone(Signal& signal, double start, double length, double frequency, const std::vector<float>& harmonics,
             double decayPerSecond, float amplitude);
// Adds white noise that decays exponentially from `start`, faded to zero by its end.
void AddNoise(Signal& signal, double start, double length, double decayPerSecond, float amplitude, std::mt19937& random);
// A wooden clack: a short bright knock of two inharmonic tones and a little noise.
void AddClack(Signal& signal, double start, double pitch, float amplitude, std::mt19937& random);

// 16-bit samples scaled so that the loudest one is `peak` of full scale.
std::vector<int16_t> ToPcm(const Signal& signal, float peak);
