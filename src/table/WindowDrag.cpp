#include "table/WindowDrag.h"
#include <QMouseEvent>
#include <QWidget>

void WindowDrag::Press(const QWidget& window, const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) grip_ = event.globalPosition().toPoint() - window.pos();
}

void WindowDrag::Move(QWidget& window, const QMouseEvent& event) {
    if (grip_ && (event.buttons() & Qt::LeftButton)) window.move(event.globalPosition().toPoint() - *grip_);
}

void WindowDrag::Release(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) grip_.reset();
}
