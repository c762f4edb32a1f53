#include "platform/CaptureControl.h"
#include "platform/CameraDevice.h"
#include "platform/VideoFrame.h"
#include <QPainter>

CaptureControl::CaptureControl(CameraDevice& device, QWidget* parent) : QWidget(parent), device_(device) {
    device_.OnFrame = [this](const QByteArray& frame) { TakeFrame(frame); };
}

CaptureControl::~CaptureControl() {
    device_.OnFrame = nullptr;
    if (capturing_) device_.Stop();
}

void CaptureControl::OpenCapture() { opened_ = true; }

int32_t CaptureControl::StartCapture() {
    if (!opened_) return 1;
    if (!capturing_) capturing_ = device_.Start();
    return capturing_ ? 0 : 1;
}

void CaptureControl::StopCapture() {
    if (capturing_) device_.Stop();
    capturing_ = false;
}

void CaptureControl::CloseCapture() {
    StopCapture();
    opened_ = false;
}

QByteArray CaptureControl::CaptureFormat() const { return device_.Format(); }

void CaptureControl::TakeFrame(const QByteArray& frame) {
    // A device may still deliver a frame it had under way when it was stopped.
    if (!capturing_) return;
    preview_ = DecodeVideoFrame(frame);
    update();
    if (OnFrameCaptured) OnFrameCaptured(frame);
}

void CaptureControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!preview_.isNull()) painter.drawImage(rect(), preview_);
}
