#include "platform/QtSoundDevice.h"
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <cmath>

float LinearGainOfVolume(int volume) { return static_cast<float>(std::pow(10.0, (volume - 3000) / 2000.0)); }

QtSoundDevice::QtSoundDevice() = default;
QtSoundDevice::~QtSoundDevice() = default;

bool QtSoundDevice::Start() {
    started_ = !QMediaDevices::audioOutputs().isEmpty();
    return started_;
}

void QtSoundDevice::Play(const QString& path, bool looped) {
    if (effect_) effect_->stop();
    effect_.reset();
    const QFileInfo file(path);
    if (!started_ || !file.isFile() || !file.isReadable()) return;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    effect_->setLoopCount(looped ? QSoundEffect::Infinite : 1);
    // Plays as soon as the file has loaded.
    effect_->play();
}

void QtSoundDevice::Stop() {
    // A stopped effect plays from its start next time: stopping rewinds.
    if (effect_) effect_->stop();
}

void QtSoundDevice::SetVolume(int volume) {
    if (effect_) effect_->setVolume(LinearGainOfVolume(volume));
}
