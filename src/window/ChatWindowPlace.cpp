#include "window/ChatWindowPlace.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/SideWindows.h"

void ShowOverTable(Client& c, QWidget& window) {
    const MainForm& f = *c.mainForm;
    const QRect frame = f.frameGeometry();
    const QRect table = f.Pic1->geometry();
    const bool smallScreen = c.table.ScaleY < 1;
    const double left = frame.left() + table.left() + (smallScreen ? 0.22 * frame.width() : 0.3 * table.width());
    const double top = frame.top() + table.top() + (smallScreen ? 0.6 * frame.height() : 0.66 * table.height());
    ShowTopmost(window, RoundHalfEven(left), RoundHalfEven(top));
}
