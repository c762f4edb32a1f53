#pragma once
#include "platform/CameraDevice.h"
#include "platform/VideoFrame.h"
#include <QElapsedTimer>
#include <QObject>
#include <memory>

class QVideoFrame;

// Lets at most one frame per interval through on average and drops the rest,
// so a camera running at 30 frames a second sends a third of them. After a
// stall it lets two frames close together through, never a burst.
class FramePacer {
public:
    explicit FramePacer(qint64 intervalMs) : interval_(intervalMs) {}
    // Whether the frame arriving at this time is sent.
    bool Take(qint64 nowMs);

private:
    qint64 interval_;
    bool started_ = false;
    qint64 due_ = 0;
};

// The machine's default camera through Qt Multimedia, its pictures sent as
// VideoFrame-sized JPEG frames.
class QtCameraDevice : public CameraDevice {
public:
    QtCameraDevice();
    ~QtCameraDevice() override;

    // False when the machine has no camera or it fails to start (e.g. in use).
    bool Start() override;
    void Stop() override;
    QByteArray Format() const override;
    // Camera pictures show whoever sits in front of them.
    void SetAccount(const QString&) override {}

private:
    void TakeVideoFrame(const QVideoFrame& videoFrame);

    // The camera, its session and its frame sink exist only while started,
    // so a program that never starts the camera never loads the media backend.
    struct Capture;
    std::unique_ptr<Capture> capture_;
    // Receives the sink's frames on the window thread; unlike the sink it
    // outlives a Stop made from inside the frame event.
    QObject frameReceiver_;
    FramePacer pacer_{VideoFrame::FrameIntervalMs};
    QElapsedTimer clock_;
};
