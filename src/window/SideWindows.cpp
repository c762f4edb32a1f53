#include "window/SideWindows.h"
#include "shared/Client.h"
#include "table/MainForm.h"

void CenterOnMainForm(Client& c, QWidget& window) {
    const QRect table = c.mainForm->frameGeometry();
    const QSize size = window.frameGeometry().size();
    window.move(table.left() + (table.width() - size.width()) / 2, table.top() + (table.height() - size.height()) / 2);
}
