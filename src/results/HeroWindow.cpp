#include "results/HeroWindow.h"
#include "wire/General.h"
#include "results/HandHistory.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/pictures/SideWindowPictures.h"
#include "table/SideWindows.h"
#include <QEvent>

namespace {
constexpr BoardHeads kHeads{{{{136, 24, 41, 41}, {176, 32, 38, 14}},
                             {{264, 24, 41, 41}, {304, 32, 38, 14}},
                             {{392, 24, 41, 41}, {432, 32, 38, 14}},
                             {{528, 24, 41, 41}, {568, 32, 38, 14}}}};
}  // namespace

HeroWindow::HeroWindow(Client& c)
    : BoardWindow(QStringLiteral("英雄榜"), HandListSize, [] { return DrawHandListBackground(kHeads); }, kLightText, true),
      c_(c) {
    static constexpr QRect kGrades[] = {{134, 74, 123, 314}, {260, 74, 125, 315}, {394, 74, 127, 314}, {528, 74, 123, 314}};
    static constexpr int kTotals[] = {144, 272, 400, 536};
    Num = AddList({8, 74, 121, 316});
    for (int s = 0; s < 4; ++s) {
        Grade[s] = AddList(kGrades[s]);
        sumScore[s] = AddLabel({kTotals[s], 408, 113, 25});
        Tou[s] = AddImage(kHeads[s].portrait);
        // A long name is cut at the label's edge.
        ID[s] = AddLabel(kHeads[s].name, QStringLiteral("玩家%1").arg(s));
    }
    Label2 = AddLabel({32, 408, 97, 25}, QStringLiteral("输赢总分："));
    Label1 = AddLabel({16, 32, 90, 14}, QStringLiteral("点击查看明细"));
    Image1 = {AddCloseArea({608, 8, 17, 17}, 0), AddCloseArea({628, 8, 21, 17}, 1)};

    connect(Num, &QListWidget::itemPressed, this, [this] { Hero_Num_MouseDown(); });
    Num->viewport()->installEventFilter(this);
    for (int s = 0; s < 4; ++s) {
        connect(Grade[s], &QListWidget::itemPressed, this, [this, s] { Hero_Grade_MouseDown(s); });
        Grade[s]->viewport()->installEventFilter(this);
    }
    Hero_Form_Load();
}

void HeroWindow::Hero_Form_Load() {
    MakeTranslucent(*this);
    setWindowState(Qt::WindowNoState);
    CenterOnMainForm(c_, *this);
    for (QListWidget* grade : Grade) ShowLastLine(*grade);
}

// A double-click anywhere in a list, on a line or below the last one.
bool HeroWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    if (watched == Num->viewport()) {
        Hero_Num_DblClick();
        return true;
    }
    for (int s = 0; s < 4; ++s) {
        if (watched != Grade[s]->viewport()) continue;
        Hero_Grade_DblClick(s);
        return true;
    }
    return false;
}

void HeroWindow::Hero_Grade_DblClick(int index) { OpenHand(Grade[index]->currentRow()); }

void HeroWindow::Hero_Num_DblClick() { OpenHand(Num->currentRow()); }

void HeroWindow::Hero_Grade_MouseDown(int index) {
    const int row = Grade[index]->currentRow();
    Num->setCurrentRow(row);
    for (int s = 0; s < 4; ++s)
        if (s != index) Grade[s]->setCurrentRow(row);
}

void HeroWindow::Hero_Num_MouseDown() {
    for (QListWidget* grade : Grade) grade->setCurrentRow(Num->currentRow());
}

// The line's position names the hand, not the number it shows.
void HeroWindow::OpenHand(int position) {
    LoadHandHistory(c_, static_cast<int16_t>(position + 1));
    ScoreWindow& score = c_.Score();
    CenterOnMainForm(c_, score);
    score.show();
    score.raise();
}

HeroWindow& Client::Hero() {
    if (!hero) hero = MakeWindow<HeroWindow>(*this);
    return *hero;
}
