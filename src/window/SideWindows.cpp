#include "window/SideWindows.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include <QPalette>

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

void SetForeColor(QWidget& control, const QColor& color) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    control.setPalette(palette);
}
