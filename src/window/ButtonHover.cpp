#include "window/ButtonHover.h"
#include "shared/Client.h"
#include "table/ResourceIds.h"
#include "table/BarButtons.h"
#include "table/MainForm.h"

namespace {
const char16_t* const kToolTips[] = {
    u"发送信息，快捷键为回车键", u"点击打开聊天窗口", u"点击开始新一局游戏", u"游戏的基本设置", u"最小化窗口，快捷键为F1",
    u"可以查看当前牌局详细结果", u"可以查看本次游戏的所有牌局详细结果", u"点击这里了解游戏规则", u"退出游戏"};

void ShowPicture(Client& c, int button, bool highlighted) {
    SetPictureFromResource(c, *c.mainForm->AnNiu[button], c.resourceIds.BarButtonIds[BarButtonPictureEntry(c, button, highlighted)]);
}
}  // namespace

int BarButtonPictureEntry(const Client& c, int button, bool highlighted) {
    // The start button shows its start pictures only until the first hand.
    const bool continues = button == BarButton::Start && !(c.table.HandNumber < 1 && c.window.StartButtonOn);
    return (continues ? kContinuePictureEntry : BarPictureEntry(button)) + (highlighted ? 1 : 0);
}

void MainForm_AnNiu_MouseMove(Client& c, int index) {
    // Mouse moves come many times a second: the picture is loaded only once.
    if (!c.window.AnNiuHover[index]) {
        c.window.AnNiuHover[index] = true;
        ShowPicture(c, index, true);
    }
    c.mainForm->AnNiu[index]->setToolTip(QString::fromUtf16(kToolTips[index]));
}

void RestoreHighlightedButtons(Client& c) {
    for (int i = 0; i <= BarButton::Exit; ++i) {
        if (!c.window.AnNiuHover[i]) continue;
        c.window.AnNiuHover[i] = false;
        ShowPicture(c, i, false);
    }
}
