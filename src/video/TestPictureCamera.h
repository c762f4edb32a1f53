#pragma once
#include "platform/CameraDevice.h"
#include "platform/VideoFrame.h"
#include <QImage>
#include <QString>
#include <QTime>
#include <QTimer>
#include <chrono>

// A test card of VideoFrame::Width x VideoFrame::Height: colour bars that move
// on with every frame, the own account in large letters and the time of day
// to the millisecond, so that each frame differs and its sender is plain.
QImage DrawTestPicture(const QString& account, const QTime& time, int frameNumber);

// A camera that shows the test card, for trying video on machines without a
// webcam. It needs no hardware, so it always starts.
class TestPictureCamera : public CameraDevice {
public:
    explicit TestPictureCamera(std::chrono::milliseconds interval = std::chrono::milliseconds(VideoFrame::FrameIntervalMs));

    bool Start() override;
    void Stop() override;
    QByteArray Format() const override;
    void SetAccount(const QString& account) override;

private:
    void SendFrame();

    QTimer timer_;
    QString account_;
    quint32 framesSent_ = 0;
};
