#include "video/VideoPanels.h"
#include "platform/VideoView.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "video/VideoWindow.h"

void ShowSeatPanel(Client& c, int seat) {
    MainForm& f = *c.mainForm;
    f.ImgKuang[seat]->setVisible(true);
    f.PicLocal[seat]->show();
    f.vshow1[seat]->show();
    f.vshow1[seat]->raise();
}

void HideSeatPanel(Client& c, int seat) {
    MainForm& f = *c.mainForm;
    f.PicLocal[seat]->hide();
    f.vshow1[seat]->hide();
    f.ImgKuang[seat]->setVisible(false);
}

void CloseSeatVideo(Client& c, int seat) {
    HideSeatPanel(c, seat);
    c.mainForm->ImgShow[seat]->setVisible(false);
    c.video.FirstFrameShown[seat] = false;
    c.video.VideoBlocked[seat] = false;
    if (VideoWindowShown(c, seat)) VideoWindowOf(c, seat).hide();
}

void MainForm_ImgShow_Click(Client& c, int seat) {
    c.video.VideoBlocked[seat] = false;
    ShowSeatPanel(c, seat);
    c.Timer_Vshow[seat]->SetEnabled(true);
}

void MainForm_Timer_Vshow_Timer(Client& c, int seat) {
    c.Timer_Vshow[seat]->SetEnabled(false);
    MainForm& f = *c.mainForm;
    if (f.PicLocal[seat]->isHidden()) return;
    // Twice: a view that has just been shown or resized may drop the first drawing.
    for (int i = 0; i < 2; ++i) f.vshow1[seat]->ShowFrame(c.video.LastVideoFrame[seat]);
}

void MainForm_Timer_Zoom_Timer(Client& c) {
    c.Timer_Zoom.SetEnabled(false);
    const int z = c.video.ZoomWindow;
    if (z < 0 || z > 3) return;
    VideoWindowOf(c, z).vshow1->ShowFrame(c.video.LastVideoFrame[z]);
}

void ConnectVideoPanelEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    for (int k = 1; k <= 3; ++k) {
        f.ImgShow[k]->OnClick = [client, k] { MainForm_ImgShow_Click(*client, k); };
        c.Timer_Vshow[k]->OnTick([client, k] { MainForm_Timer_Vshow_Timer(*client, k); });
    }
    c.Timer_Zoom.OnTick([client] { MainForm_Timer_Zoom_Timer(*client); });
}

void ResetSeatVideo(Client& c, int s) {
    CloseSeatVideo(c, s);
    c.video.LastVideoFrame[s].clear();
}
