#include "table/Countdown.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include <QColor>

void ShowCountdownFrom(Client& c, int seconds) {
    MainForm& f = *c.mainForm;
    c.table.ActionCountdown = static_cast<int16_t>(seconds);
    f.Number->SetCaption(QString::number(seconds));
    f.Number->SetForeColor(QColor(0, 255, 0));
    f.Number->setVisible(true);
    f.Time_Img->setVisible(true);
    BringToFront(*f.Time_Img);
    BringToFront(*f.Number);
}
