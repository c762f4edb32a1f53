// Renders the score board, the hand list and the player card of a seated
// table offscreen to PNG files in the build folder (screenshots/), so that a
// person can look at them.
#include "messages/SeatingHandlers.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

TEST(BoardScreenshot, RendersTheBoardsOfASeatedTable) {
    QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    const char16_t* const names[] = {u"我自己", u"张三丰", u"老王", u"长长的名字"};
    for (int s = 0; s < 4; ++s) {
        t->playerInfo[s].NickName = QString::fromUtf16(names[s]);
        ShowSeatPlayer(*t, s, s * 6);
        for (int k = 0; k < 6; ++k) t->Score().State[s]->addItem(QStringLiteral("   番数 %1").arg(k));
        t->Score().State[s + 4]->addItem(QStringLiteral("最终分：-12金币"));
    }
    for (int hand = 1; hand <= 3; ++hand) {
        t->Hero().Num->addItem(QStringLiteral("%1").arg(hand, 12));
        for (QListWidget* grade : t->Hero().Grade) grade->addItem(QStringLiteral("%1金币").arg(-12 * hand, 9));
    }
    t->playerInfo[2].Area = QStringLiteral("北京");
    FillInformationCard(*t, 2);
    for (auto [window, file] : {std::pair<QWidget*, const char*>{&t->Score(), "score-board.png"},
                                {&t->Hero(), "hand-list.png"}, {&t->Information(), "player-card.png"}}) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(window->grab().toImage().save(QStringLiteral(DRAVIK_SCREENSHOT_DIR "/") + QLatin1String(file)));
    }
}
