#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/StackingOrder.h"
#include "table/TableLayout.h"
#include "table/WidgetPlace.h"
#include "table/BannerView.h"

namespace {
void PlaceCountdown(MainForm& f, double sx, double sy) {
    ImageControl& plate = *f.Time_Img;
    plate.Move(f.Jokro->Left(), f.Jokro->Top() + f.Jokro->Height(), 81 * sx, 38 * sy);
    f.Number->Move(plate.Left() + 48 * sx, plate.Top() + 5 * sy, 24 * sx, 24 * sy);
    if (sx < 1) {
        plate.Move(f.Jokro->Left(), plate.Top());
        f.Number->SetFontSize(12);
        f.Number->Move(plate.Left() + 48 * sx + 2, f.Number->Top());
    }
}

void CreateClaimButtons(Client& c, double sx, double sy) {
    MainForm& f = *c.mainForm;
    f.Operation[0]->Move(358 * sx, 461 * sy);
    f.LoadElements(f.Operation, 5);
    for (int k = 0; k <= 4; ++k) {
        ImageControl& button = *f.Operation[k];
        button.Move(button.Left(), button.Top(), 50 * sx, 71 * sy);
        // The button does not stretch: its picture gives it its size.
        SetPictureFromResource(c, button, c.resourceIds.ActionButtonIds[3 * k]);
        if (k > 0) {
            const ImageControl& before = *f.Operation[k - 1];
            button.Move(before.Left() + f.Operation[0]->Width(), f.Operation[0]->Top());
        }
        button.setEnabled(false);
        button.setVisible(false);
    }
}

void CreateTileAndDiceImages(Client& c) {
    MainForm& f = *c.mainForm;
    f.LoadElements(f.MJ_Image, 136);
    for (int k = 1; k <= 135; ++k) BringToFront(*f.MJ_Image[k]);
    BringToFront(*f.MJ_Image[0]);
    f.LoadElements(f.SZ_Image, 16);
    for (int k = 1; k <= 15; ++k) SetPictureFromResource(c, *f.SZ_Image[k], c.resourceIds.DiceImageIds[k]);
    SetPictureFromResource(c, *f.SZ_Image[0], c.resourceIds.DiceImageIds[0]);
}

void PlaceTickerAndChat(MainForm& f, double sx, double sy) {
    auto& [upper, lower] = f.Sysmsg;
    if (sx < 1)
        PlaceWidget(*upper, upper->x(), 696 * sy - 2, upper->width(), (26 * sy + 4) / 2);
    else
        PlaceWidget(*upper, upper->x(), 696, upper->width(), 13);
    lower->setGeometry(lower->x(), upper->y() + upper->height(), lower->width(), upper->height());
    f.Lbchat->Move(594 * sx, 694 * sy, 25 * sx, 33 * sy);

    PlaceWidget(*upper, 312 * sx, upper->y(), 281 * sx, upper->height());
    lower->setGeometry(upper->x(), lower->y(), upper->width(), lower->height());
    upper->show();
    lower->show();

    QFont windowFont = f.font();
    windowFont.setPointSize(10);
    f.setFont(windowFont);

    f.Chat->show();
    PlaceWidget(*f.Chat, 318 * sx, 729 * sy, 244 * sx, 18 * sy);
}

void PlaceBanner(Client& c, double sx, double sy) {
    MainForm& f = *c.mainForm;
    f.Bird->Move(936 * sx, 680 * sy, 82 * sx, 80 * sy);
    BringToFront(*f.Bird);
    f.Bird->setVisible(true);
    f.WebBrowser1->hide();
    PlaceWidget(*f.WebBrowser1, f.Bird->Left() + 2, f.Bird->Top() + 2, 82 * sx, 80 * sy);
}

}  // namespace

void InitTableControls(Client& c) {
    MainForm& f = *c.mainForm;
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    f.ZhiNan->setVisible(false);
    PlaceCountdown(f, sx, sy);
    CreateClaimButtons(c, sx, sy);
    CreateTileAndDiceImages(c);
    PlaceTickerAndChat(f, sx, sy);
    PlaceBanner(c, sx, sy);
}
