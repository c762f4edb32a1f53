#include "results/ScoreWindow.h"
#include <QGridLayout>

ScoreWindow::ScoreWindow() {
    setWindowTitle(QStringLiteral("成绩"));
    auto* grid = new QGridLayout(this);
    for (int s = 0; s < 4; ++s) {
        Tou[s] = new QLabel(this);
        ID[s] = new QLabel(this);
        State[s] = new QListWidget(this);
        State[s + 4] = new QListWidget(this);
        grid->addWidget(Tou[s], 0, s);
        grid->addWidget(ID[s], 1, s);
        grid->addWidget(State[s], 2, s);
        grid->addWidget(State[s + 4], 3, s);
    }
}
