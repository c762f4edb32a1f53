#include "dravik-sounds/WavFile.h"
#include <QSaveFile>
#include <QtEndian>

namespace {
void Append16(QByteArray& bytes, uint16_t value) {
    const uint16_t little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void Append32(QByteArray& bytes, uint32_t value) {
    const uint32_t little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}
}  // namespace

QByteArray WavBytes(const std::vector<int16_t>& samples) {
    constexpr uint16_t kChannels = 1, kBitsPerSample = 16, kBlockAlign = kChannels * kBitsPerSample / 8;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * kBlockAlign;
    QByteArray bytes;
    bytes.reserve(44 + static_cast<qsizetype>(dataSize));
    bytes.append("RIFF");
    Append32(bytes, 36 + dataSize);
    bytes.append("WAVEfmt ");
    Append32(bytes, 16);
    Append16(bytes, 1);  // PCM
    Append16(bytes, kChannels);
    Append32(bytes, kWavSampleRate);
    Append32(bytes, kWavSampleRate * kBlockAlign);
    Append16(bytes, kBlockAlign);
    Append16(bytes, kBitsPerSample);
    bytes.append("data");
    Append32(bytes, dataSize);
    for (int16_t sample : samples) Append16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

bool WriteWavFile(const QString& path, const std::vector<int16_t>& samples, QString* error) {
    // A file is there whole or not at all, so an interrupted run leaves nothing half written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(WavBytes(samples)) < 0 || !file.commit()) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}
