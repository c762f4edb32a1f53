#include "results/HeroWindow.h"
#include <QGridLayout>

HeroWindow::HeroWindow() : Num(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("记录"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(Num, 2, 0);
    for (int s = 0; s < 4; ++s) {
        Tou[s] = new QLabel(this);
        ID[s] = new QLabel(this);
        Grade[s] = new QListWidget(this);
        sumScore[s] = new QLabel(this);
        grid->addWidget(Tou[s], 0, s + 1);
        grid->addWidget(ID[s], 1, s + 1);
        grid->addWidget(Grade[s], 2, s + 1);
        grid->addWidget(sumScore[s], 3, s + 1);
    }
}
