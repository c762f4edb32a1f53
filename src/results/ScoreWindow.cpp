#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/pictures/SideWindowPictures.h"
#include "table/SideWindows.h"

namespace {
constexpr BoardHeads kHeads{{{{8, 32, 45, 41}, {56, 40, 38, 14}},
                             {{168, 32, 45, 41}, {216, 40, 38, 14}},
                             {{328, 32, 45, 41}, {376, 40, 38, 14}},
                             {{488, 32, 45, 41}, {536, 40, 38, 14}}}};
}  // namespace

ScoreWindow::ScoreWindow()
    : BoardWindow(QStringLiteral("战绩板"), ScoreBoardSize, [] { return DrawScoreBoardBackground(kHeads); }, kLightText, true) {
    static constexpr QRect kSeatLines[] = {{6, 84, 151, 328}, {162, 84, 155, 328}, {322, 84, 155, 328}, {485, 84, 149, 328}};
    static constexpr QRect kFinalLines[] = {{8, 422, 147, 50}, {164, 422, 151, 50}, {326, 422, 149, 50}, {486, 422, 147, 50}};
    MakeTranslucent(*this);
    for (int s = 0; s < 4; ++s) {
        State[s] = AddList(kSeatLines[s]);
        State[s + 4] = AddList(kFinalLines[s]);
        Tou[s] = AddImage(kHeads[s].portrait);
        // A long name is cut at the label's edge.
        ID[s] = AddLabel(kHeads[s].name, QStringLiteral("玩家%1").arg(s));
    }
    Image1 = {AddCloseArea({598, 8, 19, 23}, 0), AddCloseArea({618, 8, 23, 21}, 1)};
}

ScoreWindow& Client::Score() {
    if (!score) score = MakeWindow<ScoreWindow>();
    return *score;
}
