#pragma once
#include <QLabel>
#include <QMouseEvent>

// A close area of a side window, such as the strip along its top edge: a
// click hides the window.
class ClosingStrip : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        window()->hide();
    }
};
