#include "table/TableLayout.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/SeatLabels.h"
#include "table/StackingOrder.h"
#include "table/WidgetPlace.h"
#include "platform/VideoView.h"
#include "table/BarButtons.h"

namespace {
void PlaceBoard(MainForm& f, double sx, double sy) {
    f.Jokro->Move(870 * sx, 110 * sy);
    f.Label3->Move(914 * sx, 160 * sy);
    // The wild tile's face keeps its size and its offset from the board on every screen.
    f.Jokro_Image->Move(f.Jokro_Image->Left(), f.Jokro_Image->Top(), 36, 56);
    f.Jokro_Image->Move(f.Jokro->Left() + 20, f.Jokro->Top() + 59);
    BringToFront(*f.Jokro_Image);
    f.Jokro_Image->setVisible(false);
}

void PlacePortraits(MainForm& f, double sx, double sy) {
    f.Tou[0]->Move(10 * sx, 666 * sy, 85 * sx, 90 * sy);
    f.LoadElements(f.Tou, 4);
    static constexpr double lefts[] = {0, 7, 350, 693};
    for (int k = 1; k <= 3; ++k) {
        f.Tou[k]->Move(lefts[k] * sx, 15 * sy, 70 * sx, 62 * sy);
        f.Tou[k]->setVisible(true);
    }
}

void LayOutButtonRow(Client& c, double sx, double sy) {
    MainForm& f = *c.mainForm;
    f.LoadElements(f.AnNiu, 9);
    for (int k = 1; k <= 8; ++k) {
        f.AnNiu[k]->setVisible(true);
        BringToFront(*f.AnNiu[k]);
    }
    for (int i = 0; i <= 8; ++i) {
        c.window.AnNiuUsed[i] = false;
        c.window.AnNiuHover[i] = false;
        ImageControl& button = *f.AnNiu[i];
        button.Move(button.Left(), button.Top(), (i == 0 ? 50 : 60) * sx, 30 * sy);
        SetPictureFromResource(c, button, c.resourceIds.BarButtonIds[BarPictureEntry(i)]);
    }
    c.window.AnNiuUsed[2] = true;
    f.AnNiu[0]->Move(573 * sx, 730 * sy);
    f.AnNiu[1]->Move(648 * sx, 699 * sy);
    // Each button is measured from the one before it, the second row from the first.
    for (int i = 2; i <= 8; ++i) {
        const ImageControl& before = *f.AnNiu[i == 5 ? 1 : i - 1];
        if (i == 5)
            f.AnNiu[i]->Move(before.Left(), before.Top() + 32 * sy);
        else
            f.AnNiu[i]->Move(before.Left() + 70 * sx, before.Top());
    }
}

void CreateSeatLabels(Client& c) {
    MainForm& f = *c.mainForm;
    f.LoadElements(f.Nid, 4);
    f.LoadElements(f.Cash, 4);
    f.LoadElements(f.Level, 4);
    const bool smallScreen = c.table.ScaleX < 1;
    for (int k = 1; k <= 3; ++k) {
        for (LabelControl* label : {f.Nid[k], f.Cash[k], f.Level[k]}) label->setVisible(true);
        if (smallScreen) {
            f.Cash[k]->SetFontSize(8);
            f.Level[k]->SetFontSize(8);
        }
    }
    if (smallScreen) f.Level[0]->SetFontSize(8);
}

void PlaceReadyMarks(MainForm& f, double sx, double sy) {
    f.LoadElements(f.OK, 4);
    static constexpr QPointF places[] = {{460, 610}, {60, 280}, {460, 108}, {900, 280}};
    for (int k = 0; k <= 3; ++k) {
        f.OK[k]->setVisible(false);
        f.OK[k]->Move(places[k].x() * sx, places[k].y() * sy);
    }
}

void PlaceVideoPanels(MainForm& f, double sx, double sy) {
    // The frames' tops stay 3 pixels from the table's edge on every screen.
    static constexpr double frameLefts[] = {0, 0, 342, 685};
    for (int k = 1; k <= 3; ++k) {
        f.ImgKuang[k]->Move(frameLefts[k] * sx, 3, 126 * sx, 105 * sy);
        f.ImgKuang[k]->setVisible(false);
    }
    PlaceWidget(*f.PicLocal[0], 9 * sx, 742 * sy, 87 * sx, 17 * sy);
    for (int k = 1; k <= 3; ++k)
        PlaceWidget(*f.PicLocal[k], f.ImgKuang[k]->Left() + f.ImgKuang[k]->Width(), 88 * sy, 145 * sx, 17 * sy);
    for (QLabel* bar : f.PicLocal) bar->hide();
    for (int k = 1; k <= 3; ++k) f.ImgShow[k]->setVisible(false);

    for (int k = 1; k <= 3; ++k) {
        f.vshow1[k]->hide();
        f.vshow1[k]->DisplaySwitchB = true;
        const ImageControl& frame = *f.ImgKuang[k];
        PlaceWidget(*f.vshow1[k], frame.Left(), frame.Top(), frame.Width(), frame.Height());
    }
    static constexpr double iconLefts[] = {0, 32, 380, 720};
    for (int k = 1; k <= 3; ++k) f.ImgShow[k]->Move(iconLefts[k] * sx, 80 * sy, 16 * sx, 14 * sy);

    for (QLabel* icon : f.ImCmd) icon->setCursor(f.ImCmd[0]->cursor());
    if (sx < 1)
        for (int i = 0; i < int(f.ImCmd.size()); ++i) {
            const QRectF design = MainForm::ImCmdDesignPlace(i);
            f.ImCmd[i]->setScaledContents(true);
            PlaceWidget(*f.ImCmd[i], design.left() * sx, design.top() * sy, design.width() * sx,
                        design.height() * sy);
        }
}
}  // namespace

void InitTableLayout(Client& c) {
    MainForm& f = *c.mainForm;
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    PlaceBoard(f, sx, sy);
    PlacePortraits(f, sx, sy);
    LayOutButtonRow(c, sx, sy);
    CreateSeatLabels(c);
    c.table.SeatOrderPending = false;
    c.window.ResultPending = false;
    LayoutPlayerInfo(c);
    PlaceReadyMarks(f, sx, sy);
    PlaceVideoPanels(f, sx, sy);
}
