#include "results/ScoreWindow.h"
#include "table/pictures/SideWindowPictures.h"

ScoreWindow::ScoreWindow() : BoardWindow(QStringLiteral("战绩板"), ScoreBoardSize, DrawScoreBoardBackground, kLightText, true) {
    static constexpr QRect kSeatLines[] = {{6, 84, 151, 328}, {162, 84, 155, 328}, {322, 84, 155, 328}, {485, 84, 149, 328}};
    static constexpr QRect kFinalLines[] = {{8, 422, 147, 50}, {164, 422, 151, 50}, {326, 422, 149, 50}, {486, 422, 147, 50}};
    static constexpr int kColumns[] = {8, 168, 328, 488};
    for (int s = 0; s < 4; ++s) {
        State[s] = AddList(kSeatLines[s]);
        State[s + 4] = AddList(kFinalLines[s]);
        Tou[s] = AddLabel({kColumns[s], 32, 45, 41});
        // Wide enough for a four-character name.
        ID[s] = AddLabel({kColumns[s] + 48, 40, 100, 14}, QStringLiteral("玩家%1").arg(s));
    }
    Image1 = {AddCloseArea({598, 8, 19, 23}, 0), AddCloseArea({618, 8, 23, 21}, 1)};
}
