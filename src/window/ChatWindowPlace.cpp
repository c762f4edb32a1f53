#include "window/ChatWindowPlace.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "window/SideWindows.h"
#include <cmath>

void ShowOverTable(Client& c, QWidget& window) {
    const MainForm& f = *c.mainForm;
    const QRect table = f.Pic1->geometry();
    const bool smallScreen = c.table.ScaleY < 1;
    const double left = f.x() + table.x() + (smallScreen ? 0.22 * f.width() : 0.3 * table.width());
    const double top = f.y() + table.y() + (smallScreen ? 0.6 * f.height() : 0.66 * table.height());
    ShowTopmost(window, int(std::nearbyint(left)), int(std::nearbyint(top)));
}
