#include "window/TalkWindow.h"
#include "shared/Client.h"
#include "table/DesignPictures.h"
#include "table/MainForm.h"
#include "table/pictures/ChatWindowPictures.h"
#include "table/pictures/SideWindowPictures.h"
#include "window/ChatWindowPlace.h"
#include "table/ClosingStrip.h"
#include "window/KeyCodes.h"
#include "table/SideWindows.h"
#include <QKeyEvent>
#include <cmath>

TalkWindow::TalkWindow(Client& c)
    : BoardWindow(QStringLiteral("聊天"), ChatWindowSize, [] { return DrawChatWindowBackground(QStringLiteral("聊天")); },
                  kLightText, false),
      Text1(AddList({8, 16, 305, 158})),
      Label1(new ClosingStrip(this)) {
    Label1->setGeometry(8, 0, 305, 17);
    Label1->setCursor(Qt::PointingHandCursor);
    Client* client = &c;
    OnKeyDown(*Text1, [client](const QKeyEvent& key) {
        Talk_Text1_KeyDown(*client, KeyCodeOf(key), ShiftOf(key));
        return false;
    });
    MakeTranslucent(*this);
    const MainForm& f = *c.mainForm;
    move(int(std::nearbyint(0.3 * f.width())), int(std::nearbyint(0.66 * f.height())));
}

void Talk_Text1_KeyDown(Client& c, int16_t keyCode, int16_t) {
    auto& [alt, letterC] = c.window.HotkeyState;
    if (keyCode == KeyCode::Alt) {
        alt = 1;
    } else if (keyCode == KeyCode::C) {
        letterC = 1;
    } else {
        alt = 0;
        letterC = 0;
    }
    if (alt == 1 && letterC == 1) {
        alt = 0;
        letterC = 0;
        c.Talk().hide();
    }
}

void MainForm_Lbchat_Click(Client& c) {
    TalkWindow& talk = c.Talk();
    if (talk.isVisible()) return talk.hide();
    ShowOverTable(c, talk);
}

void ShowChatStrip(Client& c) {
    MainForm& f = *c.mainForm;
    if (!f.ChatStrip) f.ChatStrip = f.NewImage();
    ImageControl& strip = *f.ChatStrip;
    strip.SetStretch(true);
    strip.SetPicture(LazyDesignPicture(DesignPictureId::ChatStrip));
    strip.Move(f.Lbchat->Left(), f.Lbchat->Top(), f.Lbchat->Width(), f.Lbchat->Height());
    strip.setZValue(f.Lbchat->zValue());
    strip.stackBefore(f.Lbchat);
    strip.setVisible(true);
}

TalkWindow& Client::Talk() {
    if (!talk) talk = MakeWindow<TalkWindow>(*this);
    return *talk;
}
