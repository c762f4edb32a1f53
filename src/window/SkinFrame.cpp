#include "window/SkinFrame.h"
#include "play/HandEvents.h"
#include "play/MouseDiscard.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/WidgetPlace.h"
#include "table/pictures/FramePictures.h"
#include "window/ButtonRow.h"
#include "window/KeyHandler.h"
#include <QWindow>

namespace {
constexpr double Twips(double twips) { return twips / kTwipsPerPixel; }
constexpr int kExitButton = 8;

void ShowOnFrame(CaptionControl& control, double left, double top, double width, double height) {
    PlaceWidget(control, left, top, width, height);
    control.show();
    control.raise();
}

// Element 0 takes the picture of element `look`.
void ShowLook(const std::array<CaptionControl*, 4>& elements, CaptionLook look) {
    elements[0]->setPixmap(elements[int(look)]->pixmap());
}

void RestoreCaptionLooks(Client& c) {
    if (c.window.ChromeNormal) return;
    c.window.ChromeNormal = true;
    ShowLook(c.mainForm->ImgClose, CaptionLook::Normal);
    ShowLook(c.mainForm->ImgMin, CaptionLook::Normal);
}

void HoverLook(Client& c, const std::array<CaptionControl*, 4>& elements, int index) {
    if (index != 0 || !c.window.ChromeNormal) return;
    ShowLook(elements, CaptionLook::Hover);
    c.window.ChromeNormal = false;
}

void PressLook(const std::array<CaptionControl*, 4>& elements, int index, CaptionLook look) {
    if (index == 0) ShowLook(elements, look);
}

void ConnectButton(Client& c, std::array<CaptionControl*, 4>& elements,
                   void (*mouseMove)(Client&, int, int, int, double, double),
                   void (*mouseDown)(Client&, int, int, int, double, double),
                   void (*mouseUp)(Client&, int, int, int, double, double), void (*click)(Client&, int)) {
    Client* client = &c;
    for (int i = 0; i < 4; ++i) {
        CaptionControl& element = *elements[i];
        element.OnMouseMove = [=] { mouseMove(*client, i, 0, 0, 0, 0); };
        element.OnMouseDown = [=](Qt::MouseButton button) { mouseDown(*client, i, ButtonNumber(button), 0, 0, 0); };
        element.OnMouseUp = [=](Qt::MouseButton button) { mouseUp(*client, i, ButtonNumber(button), 0, 0, 0); };
        element.OnClick = [=] { click(*client, i); };
    }
}
}  // namespace

void PaintSkinFrame(Client& c) {
    MainForm& f = *c.mainForm;
    f.SkinFramed = true;
    f.update();
    if (!f.windowIcon().isNull()) {
        f.ImgIcon->setPixmap(f.windowIcon().pixmap(WindowIconSize));
        ShowOnFrame(*f.ImgIcon, Twips(50), Twips(50), Twips(240), Twips(240));
    }
    CaptionControl& close = *f.ImgClose[0];
    ShowOnFrame(close, f.width() - close.width() - Twips(70), Twips(25), close.width(), close.height());
    ShowLook(f.ImgClose, CaptionLook::Normal);
    CaptionControl& minimise = *f.ImgMin[0];
    ShowOnFrame(minimise, close.x() - minimise.width() - Twips(30), Twips(25), minimise.width(), minimise.height());
    ShowLook(f.ImgMin, CaptionLook::Normal);
    // The strip runs from just right of the icon to the minimise button.
    ShowOnFrame(*f.LbMove, Twips(290), 0, minimise.x() - Twips(290), close.height() + Twips(50));
    ShowOnFrame(*f.lcaption, Twips(300), Twips(25), f.lcaption->width(), f.lcaption->height());
    // The title lies under the strip, which takes the presses on it.
    f.lcaption->stackUnder(f.LbMove);
    QPalette palette = f.lcaption->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    f.lcaption->setPalette(palette);
}

void MainForm_ImgClose_MouseMove(Client& c, int index, int, int, double, double) {
    HoverLook(c, c.mainForm->ImgClose, index);
}

void MainForm_ImgClose_MouseDown(Client& c, int index, int, int, double, double) {
    PressLook(c.mainForm->ImgClose, index, CaptionLook::Pressed);
}

void MainForm_ImgClose_MouseUp(Client& c, int index, int, int, double, double) {
    PressLook(c.mainForm->ImgClose, index, CaptionLook::Hover);
}

void MainForm_ImgClose_Click(Client& c, int index) {
    if (index == 0) MainForm_AnNiu_Click(c, kExitButton);
}

void MainForm_ImgMin_MouseMove(Client& c, int index, int, int, double, double) {
    HoverLook(c, c.mainForm->ImgMin, index);
}

void MainForm_ImgMin_MouseDown(Client& c, int index, int, int, double, double) {
    PressLook(c.mainForm->ImgMin, index, CaptionLook::Pressed);
}

void MainForm_ImgMin_MouseUp(Client& c, int index, int, int, double, double) {
    PressLook(c.mainForm->ImgMin, index, CaptionLook::Hover);
}

// Only the window: the lobby stays as it is and the boss key is not entered.
void MainForm_ImgMin_Click(Client& c, int index) {
    if (index == 0) c.mainForm->Minimize();
}

void MainForm_LbMove_MouseDown(Client& c, int button, int, double, double) {
    if (button != kLeftButton) return;
    HideTableSideWindows(c);
    MainForm& f = *c.mainForm;
    f.LbMove->setCursor(Qt::SizeAllCursor);
    // The window system moves the window with the pointer until the button goes up.
    if (QWindow* window = f.windowHandle()) window->startSystemMove();
}

void MainForm_LbMove_MouseMove(Client& c, int, int, double, double) {
    c.mainForm->LbMove->setCursor(Qt::ArrowCursor);
    RestoreCaptionLooks(c);
}

void MainForm_Form_MouseMove(Client& c, int, int, double, double) { RestoreCaptionLooks(c); }

void ConnectFrameEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    ConnectButton(c, f.ImgClose, MainForm_ImgClose_MouseMove, MainForm_ImgClose_MouseDown, MainForm_ImgClose_MouseUp,
                  MainForm_ImgClose_Click);
    ConnectButton(c, f.ImgMin, MainForm_ImgMin_MouseMove, MainForm_ImgMin_MouseDown, MainForm_ImgMin_MouseUp,
                  MainForm_ImgMin_Click);
    f.LbMove->OnMouseDown = [client](Qt::MouseButton button) {
        MainForm_LbMove_MouseDown(*client, ButtonNumber(button), 0, 0, 0);
    };
    f.LbMove->OnMouseMove = [client] { MainForm_LbMove_MouseMove(*client, 0, 0, 0, 0); };
    f.OnMouseMove = [client] { MainForm_Form_MouseMove(*client, 0, 0, 0, 0); };
}
