#pragma once
#include <QWidget>
#include <cstdint>

// The own camera picture of the video component. Placeholder until webcam
// video exists: it keeps the settings it is given, shows nothing and answers
// a start as a machine without a camera does.
class CaptureControl : public QWidget {
public:
    using QWidget::QWidget;

    bool CaptureSwitchA = false;
    bool CaptureSwitchB = false;
    bool CaptureSwitchC = false;
    int16_t CaptureMode = 0;
    bool Opened = false;
    bool Capturing = false;
    // What StartCapture answers: 0 when the capture runs, anything else when it cannot start.
    int32_t StartResult = 1;

    void OpenCapture() { Opened = true; }
    int32_t StartCapture() {
        Capturing = StartResult == 0;
        return StartResult;
    }
    void StopCapture() { Capturing = false; }
    void CloseCapture() { Opened = false; }
};
