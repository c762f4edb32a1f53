#include "window/BannerBrowser.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/BannerView.h"

void MainForm_WebBrowser1_DocumentComplete(Client& c) {
    if (c.window.BannerFailed) return;
    MainForm& f = *c.mainForm;
    // The margin of 2 is not scaled with the table.
    f.WebBrowser1->move(RoundHalfEven(f.Bird->Left() + 2), RoundHalfEven(f.Bird->Top() + 2));
    f.WebBrowser1->raise();
    f.WebBrowser1->show();
}

void MainForm_WebBrowser1_NavigateError(Client& c) {
    c.mainForm->WebBrowser1->hide();
    c.window.BannerFailed = true;
}

void ConnectBannerEvents(Client& c) {
    BannerView& view = *c.mainForm->WebBrowser1;
    view.SetPageLoader(*c.platform.pages);
    QObject::connect(&view, &BannerView::DocumentComplete, &view, [&c] { MainForm_WebBrowser1_DocumentComplete(c); });
    QObject::connect(&view, &BannerView::NavigateError, &view, [&c] { MainForm_WebBrowser1_NavigateError(c); });
}
