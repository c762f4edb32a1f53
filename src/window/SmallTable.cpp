#include "window/SmallTable.h"
#include "play/MouseDiscard.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "window/KeyHandler.h"

void MainForm_Pic2_MouseUp(Client& c, int button, int shift, double x, double y) {
    MainForm_Pic1_MouseUp(c, button, shift, x, y);
}

void MainForm_Pic2_KeyDown(Client& c, int16_t& keyCode, int16_t&) {
    if (TableKeyDown(c, keyCode)) c.mainForm->Chat->setFocus();
}

void MainForm_Pic2_Click(Client& c) { MainForm_Pic1_Click(c); }

void ConnectSmallTableEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    ConnectSurfaceKeys(*f.Pic2, [client](int16_t keyCode, int16_t shift) { MainForm_Pic2_KeyDown(*client, keyCode, shift); });
    f.Pic2->OnClick = [client] { MainForm_Pic2_Click(*client); };
}
