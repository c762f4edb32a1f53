#pragma once
#include <QWidget>

// A remote seat's view of the video component. Placeholder until webcam
// video exists: it keeps its switch and shows nothing.
class VideoView : public QWidget {
public:
    using QWidget::QWidget;

    bool DisplaySwitchB = false;
};
