#pragma once
#include <QWidget>
#include <functional>

// A remote seat's view of the video component. Placeholder until webcam
// video exists: it keeps its switch, shows nothing and reports the mouse.
class VideoView : public QWidget {
public:
    explicit VideoView(QWidget* parent = nullptr) : QWidget(parent) { setMouseTracking(true); }

    bool DisplaySwitchB = false;
    // The component's mouse event: a press or a move over the view.
    std::function<void()> OnMouseEvent;

protected:
    void mousePressEvent(QMouseEvent*) override { Raise(); }
    void mouseMoveEvent(QMouseEvent*) override { Raise(); }

private:
    void Raise() {
        if (OnMouseEvent) OnMouseEvent();
    }
};
