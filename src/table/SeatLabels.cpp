#include "table/SeatLabels.h"
#include "shared/Client.h"
#include "table/MainForm.h"

void LayoutPlayerInfo(Client& c) {
    MainForm& f = *c.mainForm;
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    // Name, money and level lines of each local seat: 0 own, 1 left, 2 opposite, 3 right.
    struct SeatLines {
        double left, nameTop, cashTop, levelTop;
    };
    static constexpr SeatLines seats[] = {
        {181, 700, 724, 744}, {165, 15, 40, 64}, {509, 15, 40, 64}, {852, 15, 40, 64}};
    for (int k = 0; k < 4; ++k) {
        f.Nid[k]->Move(seats[k].left * sx, seats[k].nameTop * sy);
        f.Cash[k]->Move(seats[k].left * sx, seats[k].cashTop * sy);
        f.Level[k]->Move(seats[k].left * sx, seats[k].levelTop * sy);
    }
    f.Location->Move(760 * sx, 668 * sy);
    f.imgword1->Move(640 * sx, 659 * sy, 57 * sx, 13 * sy);
    f.imgword2->Move(640 * sx, 675 * sy, 57 * sx, 13 * sy);
    f.imgLocation->SetStretch(true);
    f.imgLocation->Move(632 * sx, 654 * sy, 394 * sx, 39 * sy);
}

void ClearSeatLabels(Client& c, int seat) {
    MainForm& f = *c.mainForm;
    f.Tou[seat]->SetPicture(QPixmap());
    f.Nid[seat]->SetCaption(QString());
    f.Cash[seat]->SetCaption(QString());
    f.Level[seat]->SetCaption(QString());
}
