#pragma once
#include "table/ClickGesture.h"
#include <QLabel>
#include <functional>

// A picture or text label of a window that runs a procedure on a click
// (ClickGesture). It keeps every press, so that none reaches what lies below
// it, such as a window that follows the mouse.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent);

    // The click procedure, set by the client. It may end with the label gone:
    // nothing of the label is touched after it.
    std::function<void()> OnClick;

protected:
    // A double click's second press comes here as well, by the widget's default.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickGesture click_;
};
