#include "table/CaptionControl.h"
#include <QMouseEvent>

CaptionControl::CaptionControl(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

void CaptionControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (OnMouseDown) OnMouseDown(event->button());
}

void CaptionControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (OnMouseUp) OnMouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) OnClick();
}

void CaptionControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (OnMouseMove) OnMouseMove();
}
