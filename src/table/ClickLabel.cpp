#include "table/ClickLabel.h"
#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    click_.Press(event->type(), event->button());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (click_.Release(event->button(), rect().contains(event->position().toPoint())) && OnClick) OnClick();
}
