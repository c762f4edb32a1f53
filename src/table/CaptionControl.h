#pragma once
#include "table/ClickLabel.h"
#include <functional>

// A picture or text control on the window itself, beside the table surface:
// the frame's caption buttons, icon, title and drag strip. Mouse events that
// reach it end here and never count as moves over the bare window.
class CaptionControl : public ClickLabel {
    Q_OBJECT
public:
    explicit CaptionControl(QWidget* parent);

    // Event procedures, set by the client, besides the click. A button goes up
    // over the control that took its press, wherever the pointer is then.
    std::function<void(Qt::MouseButton button)> OnMouseDown;
    std::function<void(Qt::MouseButton button)> OnMouseUp;
    std::function<void()> OnMouseMove;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
