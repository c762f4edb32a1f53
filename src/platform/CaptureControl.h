#pragma once
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

class CameraDevice;

// The video component's own camera: opens a camera device, shows its own
// preview and hands every captured frame to OnFrameCaptured.
class CaptureControl : public QWidget {
public:
    // The device stays the caller's; the control only drives it.
    CaptureControl(CameraDevice& device, QWidget* parent);
    ~CaptureControl() override;

    bool CaptureSwitchA = false;
    bool CaptureSwitchB = false;
    bool CaptureSwitchC = false;
    int16_t CaptureMode = 0;

    void OpenCapture();
    // 0 when the capture runs; 1 when it cannot start: not opened, no camera, or one in use.
    int32_t StartCapture();
    void StopCapture();
    void CloseCapture();
    QByteArray CaptureFormat() const;
    bool Opened() const { return opened_; }
    bool Capturing() const { return capturing_; }

    // The frame event: one own frame.
    std::function<void(const QByteArray& frame)> OnFrameCaptured;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TakeFrame(const QByteArray& frame);

    CameraDevice& device_;
    bool opened_ = false;
    bool capturing_ = false;
    QImage preview_;
};
