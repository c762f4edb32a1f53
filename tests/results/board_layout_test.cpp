// Where the score board, the hand list and the player card put their
// controls, how a seat's portrait fits its place, and what loading the
// windows does to them.
#include "messages/SeatingHandlers.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "table/Pictures.h"
#include <QListWidget>
#include <gtest/gtest.h>
#include <cstdlib>
#include <vector>

namespace {
template <typename Controls>
std::vector<QWidget*> Widgets(const Controls& controls) {
    return {controls.begin(), controls.end()};
}

// The share of pixels in which two pictures of one size differ visibly.
double DifferingShare(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 24) ++differing;
        }
    return double(differing) / (x.width() * x.height());
}

class BoardLayout : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(t.Load(), std::nullopt); }
    TestClient t;
};

TEST_F(BoardLayout, EveryControlHasItsPlaceAndSize) {
    ScoreWindow& score = t->Score();
    HeroWindow& hero = t->Hero();
    InformationWindow& card = t->Information();
    struct Case {
        const char* controls;
        std::vector<QWidget*> widgets;
        std::vector<QRect> places;
    };
    const Case cases[] = {
        {"Score.State",
         Widgets(score.State),
         {{6, 84, 151, 328}, {162, 84, 155, 328}, {322, 84, 155, 328}, {485, 84, 149, 328},
          {8, 422, 147, 50}, {164, 422, 151, 50}, {326, 422, 149, 50}, {486, 422, 147, 50}}},
        {"Score.Tou", Widgets(score.Tou), {{8, 32, 45, 41}, {168, 32, 45, 41}, {328, 32, 45, 41}, {488, 32, 45, 41}}},
        {"Score.ID", Widgets(score.ID), {{56, 40, 38, 14}, {216, 40, 38, 14}, {376, 40, 38, 14}, {536, 40, 38, 14}}},
        {"Score.Image1", Widgets(score.Image1), {{598, 8, 19, 23}, {618, 8, 23, 21}}},
        {"Hero.Num", {hero.Num}, {{8, 74, 121, 316}}},
        {"Hero.Grade", Widgets(hero.Grade), {{134, 74, 123, 314}, {260, 74, 125, 315}, {394, 74, 127, 314}, {528, 74, 123, 314}}},
        {"Hero.sumScore", Widgets(hero.sumScore), {{144, 408, 113, 25}, {272, 408, 113, 25}, {400, 408, 113, 25}, {536, 408, 113, 25}}},
        {"Hero.Label2", {hero.Label2}, {{32, 408, 97, 25}}},
        {"Hero.Tou", Widgets(hero.Tou), {{136, 24, 41, 41}, {264, 24, 41, 41}, {392, 24, 41, 41}, {528, 24, 41, 41}}},
        {"Hero.ID", Widgets(hero.ID), {{176, 32, 38, 14}, {304, 32, 38, 14}, {432, 32, 38, 14}, {568, 32, 38, 14}}},
        {"Hero.Label1", {hero.Label1}, {{16, 32, 90, 14}}},
        {"Hero.Image1", Widgets(hero.Image1), {{608, 8, 17, 17}, {628, 8, 21, 17}}},
        {"Information captions",
         Widgets(card.Label),
         {{22, 40, 85, 19}, {24, 72, 87, 19}, {24, 104, 85, 19}, {24, 136, 86, 19}, {24, 168, 85, 19},
          {24, 200, 84, 19}, {24, 232, 84, 19}, {24, 264, 84, 19}, {24, 296, 84, 19}}},
        {"Information.Inf",
         Widgets(card.Inf),
         {{128, 40, 68, 15}, {128, 72, 68, 15}, {128, 104, 68, 15}, {128, 136, 68, 15}, {128, 168, 68, 15},
          {128, 200, 68, 15}, {128, 232, 68, 15}, {128, 264, 68, 15}, {128, 296, 68, 15}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.widgets.size(), c.places.size()) << c.controls;
        for (size_t k = 0; k < c.widgets.size(); ++k) EXPECT_EQ(c.widgets[k]->geometry(), c.places[k]) << c.controls << "(" << k << ")";
    }
}

TEST_F(BoardLayout, ASeatedPlayersPortraitShowsWholeInItsPlaceOnBothBoards) {
    t->playerInfo[2].NickName = QStringLiteral("老王");
    ShowSeatPlayer(*t, 2, 13);
    const QImage portrait = PictureOfResource(t->resourceIds.PortraitIds[13]).toImage();
    for (QLabel* tou : {t->Score().Tou[2], t->Hero().Tou[2]}) {
        const QImage whole = portrait.scaled(tou->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(DifferingShare(tou->grab().toImage(), whole), 0.02) << tou->window()->windowTitle().toStdString();
    }
}

TEST_F(BoardLayout, LoadingTheHandListScrollsEveryResultListThatHasLinesToItsEnd) {
    HeroWindow& hero = t->Hero();
    const int lines[] = {40, 1, 0, 60};  // more than a list shows, one, none, more
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < lines[s]; ++k) hero.Grade[s]->addItem(QStringLiteral("%1 金币").arg(k, 9));
    hero.Hero_Form_Load();
    hero.show();
    for (int s = 0; s < 4; ++s) {
        QListWidget& grade = *hero.Grade[s];
        const int top = grade.indexAt(QPoint(2, 2)).row();
        if (lines[s] > 1) {
            EXPECT_GT(top, 0) << "seat " << s << " scrolled";
            EXPECT_TRUE(grade.viewport()->rect().contains(grade.visualItemRect(grade.item(lines[s] - 1)))) << "seat " << s;
        } else {
            EXPECT_EQ(top, lines[s] - 1) << "seat " << s << " has nothing to scroll";
        }
    }
}

TEST_F(BoardLayout, TheBoardsAndTheCardLoadTranslucent) {
    for (QWidget* window : {static_cast<QWidget*>(&t->Score()), static_cast<QWidget*>(&t->Hero()),
                            static_cast<QWidget*>(&t->Information())})
        EXPECT_NEAR(window->windowOpacity(), 200.0 / 255.0, 0.002) << window->windowTitle().toStdString();
}
}  // namespace
