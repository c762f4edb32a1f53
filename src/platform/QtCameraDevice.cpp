#include "platform/QtCameraDevice.h"
#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>
#include <algorithm>

bool FramePacer::Take(qint64 nowMs) {
    if (started_ && nowMs < due_) return false;
    // The next time is counted from the last one, so jitter in the camera's
    // timing does not lower the rate; a late frame moves it on.
    due_ = started_ ? std::max(due_ + interval_, nowMs) : nowMs + interval_;
    started_ = true;
    return true;
}

// Declared in this order so that the session lets go of the sink and the
// camera before they are destroyed.
struct QtCameraDevice::Capture {
    explicit Capture(const QCameraDevice& input) : camera(input) {}
    QCamera camera;
    QVideoSink sink;
    QMediaCaptureSession session;
};

QtCameraDevice::QtCameraDevice() { clock_.start(); }

QtCameraDevice::~QtCameraDevice() { Stop(); }

bool QtCameraDevice::Start() {
    if (capture_) return true;
    const QCameraDevice input = QMediaDevices::defaultVideoInput();
    if (input.isNull()) return false;
    capture_ = std::make_unique<Capture>(input);
    capture_->session.setCamera(&capture_->camera);
    capture_->session.setVideoOutput(&capture_->sink);
    // The sink may report frames from the camera's own thread; they are
    // queued to the window thread.
    QObject::connect(&capture_->sink, &QVideoSink::videoFrameChanged, &frameReceiver_,
                     [this](const QVideoFrame& videoFrame) { TakeVideoFrame(videoFrame); });
    capture_->camera.start();
    if (capture_->camera.error() != QCamera::NoError) {
        Stop();
        return false;
    }
    pacer_ = FramePacer(VideoFrame::FrameIntervalMs);
    return true;
}

void QtCameraDevice::Stop() {
    if (!capture_) return;
    capture_->camera.stop();
    capture_.reset();
}

QByteArray QtCameraDevice::Format() const { return VideoFrame::Format; }

void QtCameraDevice::TakeVideoFrame(const QVideoFrame& videoFrame) {
    // A frame still queued when the camera was stopped is dropped.
    if (!capture_ || !videoFrame.isValid() || !pacer_.Take(clock_.elapsed())) return;
    const QByteArray frame = EncodeVideoFrame(videoFrame.toImage());
    if (!frame.isEmpty() && OnFrame) OnFrame(frame);
}
