#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

constexpr int kWavSampleRate = 22050;

// A RIFF/WAVE file of 16-bit PCM mono samples at kWavSampleRate.
QByteArray WavBytes(const std::vector<int16_t>& samples);
bool WriteWavFile(const QString& path, const std::vector<int16_t>& samples, QString* error);
