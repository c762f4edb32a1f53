#include "window/TableMouse.h"
#include "results/InformationWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"

void MainForm_Pic1_MouseMove(Client& c, double x, double y) {
    if (c.information && c.information->isVisible()) c.information->hide();
    if (!c.window.AnNiuUsed[2] || c.table.SpectatorMode) return;
    SeatInfo& own = c.seatInfo[0];
    if (own.FirstConcealed + own.ConcealedCount - 1 > 20) own.ConcealedCount = static_cast<int16_t>(21 - own.FirstConcealed);
    const double raised = own.HandY - 10;
    for (int j = own.FirstConcealed; j < own.FirstConcealed + own.ConcealedCount; ++j) {
        ImageControl& image = TileImage(c, SeatSlot(own, j).Image);
        if (image.Top() != raised) continue;
        // The strip the raised tile left free below it still counts as the tile.
        const bool inside = x > image.Left() && x < image.Left() + image.Width() && y > image.Top() &&
                            y < image.Top() + image.Height() + 10;
        if (!inside) {
            image.Move(image.Left(), own.HandY);
            return;
        }
    }
}
