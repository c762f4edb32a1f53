#include "play/HandEvents.h"
#include "play/ClaimButtons.h"
#include "play/MouseDiscard.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "window/SmallTable.h"
#include "window/TableMouse.h"
#include <QtDebug>

namespace {
// The event procedures have no failure handling of their own: an event that
// meets a bad value is dropped and changes nothing more.
template <typename Procedure>
void RunGuarded(const char* name, Procedure procedure) {
    try {
        procedure();
    } catch (const RuntimeError& error) {
        qWarning("%s: event dropped: %s", name, error.what());
    }
}
}  // namespace

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

namespace {
template <typename Procedure>
void ConnectClicks(std::vector<ImageControl*>& controls, const char* name, Procedure procedure) {
    for (int i = 0; i < static_cast<int>(controls.size()); ++i)
        controls[i]->OnClick = [name, procedure, i] { RunGuarded(name, [&] { procedure(i); }); };
}
}  // namespace

void ConnectHandPlayEvents(Client& c) {
    MainForm& f = *c.mainForm;
    Client* client = &c;
    for (int i = 0; i < static_cast<int>(f.MJ_Image.size()); ++i) {
        ImageControl& image = *f.MJ_Image[i];
        image.setAcceptHoverEvents(true);
        image.OnMouseMove = [client, i] {
            RunGuarded("MJ_Image_MouseMove", [&] { MainForm_MJ_Image_MouseMove(*client, i); });
        };
        image.OnMouseDown = [client, i](Qt::MouseButton button, QPointF position) {
            RunGuarded("MJ_Image_MouseDown", [&] {
                MainForm_MJ_Image_MouseDown(*client, i, ButtonNumber(button), 0, position.x(), position.y());
            });
        };
    }
    ConnectClicks(f.Operation, "Operation_Click", [client](int i) { MainForm_Operation_Click(*client, i); });
    ConnectClicks(f.Chi, "Chi_Click", [client](int i) { MainForm_Chi_Click(*client, i); });
    ConnectClicks(f.Gang, "Gang_Click", [client](int i) { MainForm_Gang_Click(*client, i); });
    f.Pic1->OnMouseUp = [client](Qt::MouseButton button, QPointF position) {
        RunGuarded("Pic1_MouseUp",
                   [&] { MainForm_Pic1_MouseUp(*client, ButtonNumber(button), 0, position.x(), position.y()); });
    };
    f.Pic2->OnMouseUp = [client](Qt::MouseButton button, QPointF position) {
        RunGuarded("Pic2_MouseUp",
                   [&] { MainForm_Pic2_MouseUp(*client, ButtonNumber(button), 0, position.x(), position.y()); });
    };
    f.Pic1->OnMouseMove = [client](QPointF position) {
        RunGuarded("Pic1_MouseMove", [&] { MainForm_Pic1_MouseMove(*client, position.x(), position.y()); });
    };
}
