#include "table/CaptionControl.h"
#include <QMouseEvent>

CaptionControl::CaptionControl(QWidget* parent) : ClickLabel(parent) { setMouseTracking(true); }

void CaptionControl::mousePressEvent(QMouseEvent* event) {
    ClickLabel::mousePressEvent(event);
    if (OnMouseDown) OnMouseDown(event->button());
}

// The button's look comes up before its command runs.
void CaptionControl::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(event->button());
    ClickLabel::mouseReleaseEvent(event);
}

void CaptionControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (OnMouseMove) OnMouseMove();
}
