#pragma once
#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

// A side window that follows the mouse from a left-button press on its
// background until the button is let go.
class WindowDrag {
public:
    void Press(const QWidget& window, const QMouseEvent& event);
    void Move(QWidget& window, const QMouseEvent& event);
    void Release(const QMouseEvent& event);

private:
    // Where the mouse went down, from the window's corner, while dragging.
    std::optional<QPoint> grip_;
};
