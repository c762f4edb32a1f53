#pragma once
#include <QLabel>
#include <QMouseEvent>

// A transparent strip along a side window's top edge: a click hides the window.
class ClosingStrip : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        window()->hide();
    }
};
