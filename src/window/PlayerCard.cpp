#include "window/PlayerCard.h"
#include "wire/General.h"
#include "results/InformationWindow.h"
#include "shared/Client.h"
#include "table/MainForm.h"

QPoint PlayerCardPlace(const Client& c, int seat) {
    const MainForm& f = *c.mainForm;
    const QPointF table = f.frameGeometry().topLeft() + f.Pic1->geometry().topLeft();
    const double width = f.Pic1->width(), height = f.Pic1->height();
    double left = table.x(), top = table.y();
    if (seat > 0) {
        left += (seat - 1) * width / 3;
        top += 0.11 * height;
    } else {
        top += (c.table.ScaleX < 1 ? 0.3 : 0.42) * height;
    }
    return {RoundHalfEven(left), RoundHalfEven(top)};
}

void MainForm_Tou_MouseMove(Client& c, int index) {
    InformationWindow& card = c.Information();
    // Filled once per appearance: moving on to another portrait keeps the card.
    if (card.isVisible() || c.playerInfo[index].NickName.isEmpty()) return;
    card.move(PlayerCardPlace(c, index));
    FillInformationCard(c, index);
    card.show();
}
