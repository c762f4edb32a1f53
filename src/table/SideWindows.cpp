#include "table/SideWindows.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include <QPalette>
#include <QPointer>

void CenterOnMainForm(Client& c, QWidget& window) {
    const QRect table = c.mainForm->frameGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(table.left() + (table.width() - size.width()) / 2, table.top() + (table.height() - size.height()) / 2);
}

void MakeTranslucent(QWidget& window) { window.setWindowOpacity(200.0 / 255.0); }

void ShowTopmost(QWidget& window, int left, int top) {
    if (!(window.windowFlags() & Qt::WindowStaysOnTopHint)) window.setWindowFlag(Qt::WindowStaysOnTopHint);
    window.show();
    window.move(left, top);
}

void RunAfterClick(Client& c, QWidget* window, QWidget* (*current)(Client&), void (*procedure)(Client&)) {
    QMetaObject::invokeMethod(
        c.mainForm.get(),
        [&c, clicked = QPointer<QWidget>(window), current, procedure] {
            if (clicked && current(c) == clicked) procedure(c);
        },
        Qt::QueuedConnection);
}

void SetForeColor(QWidget& control, const QColor& color) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    control.setPalette(palette);
}
