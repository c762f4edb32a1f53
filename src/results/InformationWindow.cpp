#include "results/InformationWindow.h"
#include "shared/Client.h"
#include "shared/NumberText.h"
#include "table/MainForm.h"
#include "table/pictures/SideWindowPictures.h"
#include "platform/VideoView.h"
#include "table/SideWindows.h"

InformationWindow::InformationWindow() : BoardWindow(QStringLiteral("玩家资料"), PlayerCardSize, DrawPlayerCardBackground, QColor(60, 30, 10), false) {
    struct Caption {
        const char16_t* text;
        QRect place;
    };
    static constexpr Caption kCaptions[] = {{u"玩家昵称", {22, 40, 85, 19}}, {u"性    别", {24, 72, 87, 19}},
                                            {u"所 在 地", {24, 104, 85, 19}}, {u"积    分", {24, 136, 86, 19}},
                                            {u"信 用 度", {24, 168, 85, 19}}, {u"登录次数", {24, 200, 84, 19}},
                                            {u"掉线次数", {24, 232, 84, 19}}, {u"胜场次数", {24, 264, 84, 19}},
                                            {u"败场次数", {24, 296, 84, 19}}};
    MakeTranslucent(*this);
    QFont valueFont = font();
    valueFont.setPointSize(12);
    for (int k = 0; k < 9; ++k) {
        Label[k] = AddLabel(kCaptions[k].place, QString::fromUtf16(kCaptions[k].text));
        Inf[k] = AddLabel({128, kCaptions[k].place.top(), 68, 15});
        Inf[k]->setFont(valueFont);
    }
}

void FillInformationCard(Client& c, int seat) {
    const PlayerInfo& p = c.playerInfo[seat];
    const QString values[] = {p.NickName,
                              p.Sex != 0 ? QStringLiteral("男") : QStringLiteral("女"),
                              p.Area,
                              NumberText(p.Points),
                              NumberText(p.Credit),
                              QString::number(p.LoginCount),
                              QString::number(p.DropCount),
                              QString::number(p.WinCount),
                              QString::number(p.LossCount)};
    for (int k = 0; k < 9; ++k) {
        QLabel& label = *c.Information().Inf[k];
        label.setText(values[k]);
        label.adjustSize();
    }
}

void MainForm_vshow1_MouseEvent(Client& c, int index) {
    InformationWindow& card = c.Information();
    if (card.isVisible() || c.playerInfo[index].NickName.isEmpty()) return;
    const MainForm& f = *c.mainForm;
    const QRect table = f.frameGeometry();
    const QPoint surface = f.Pic1->geometry().topLeft();
    card.move(surface.x() + table.left() + (index - 1) * table.width() / 3,
              surface.y() + table.top() + int(0.14 * table.height()));
    FillInformationCard(c, index);
    card.show();
}

void ConnectVideoViewEvents(Client& c) {
    Client* client = &c;
    for (int k = 1; k <= 3; ++k) c.mainForm->vshow1[k]->OnMouseEvent = [client, k] { MainForm_vshow1_MouseEvent(*client, k); };
}

InformationWindow& Client::Information() {
    if (!information) information = MakeWindow<InformationWindow>();
    return *information;
}
