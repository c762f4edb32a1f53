#include "window/TableMouse.h"
#include "results/InformationWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "window/ButtonHover.h"

namespace {
void LowerRaisedTile(Client& c, double x, double y) {
    SeatInfo& own = c.seatInfo[0];
    if (own.FirstConcealed + own.ConcealedCount - 1 > 20) own.ConcealedCount = static_cast<int16_t>(21 - own.FirstConcealed);
    // Tops are compared in single precision, as the hand raised them.
    const float raised = static_cast<float>(own.HandY - 10);
    for (int j = own.FirstConcealed; j < own.FirstConcealed + own.ConcealedCount; ++j) {
        ImageControl& image = TileImage(c, SeatSlot(own, j).Image);
        if (static_cast<float>(image.Top()) != raised) continue;
        // The strip the raised tile left free below it still counts as the tile.
        const bool inside = x > image.Left() && x < image.Left() + image.Width() && y > image.Top() &&
                            y < image.Top() + image.Height() + 10;
        if (!inside) {
            image.Move(image.Left(), own.HandY);
            return;
        }
    }
}
}  // namespace

void MainForm_Pic1_MouseMove(Client& c, double x, double y) {
    RestoreHighlightedButtons(c);
    if (c.window.AnNiuUsed[2] && !c.table.SpectatorMode) LowerRaisedTile(c, x, y);
    InformationWindow& card = c.Information();
    if (card.isVisible()) card.hide();
}
