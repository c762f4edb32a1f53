#pragma once
#include <QEvent>
#include <Qt>

// What makes a click on any control of the program: the left button pressed
// on the control and let go over the same control. The second press of a
// double click makes no click of its own; other buttons neither make a click
// nor spoil one. A control keeps one gesture and feeds it its own presses and
// releases: a release reaches the control that took the press, wherever the
// pointer is by then.
class ClickGesture {
public:
    // A button went down on the control; the event's type tells a press from
    // the second press of a double click.
    void Press(QEvent::Type type, Qt::MouseButton button);
    // A button went up, over the control or not; true when that ends a click.
    bool Release(Qt::MouseButton button, bool overTheControl);

private:
    bool leftPressed_ = false;
};
