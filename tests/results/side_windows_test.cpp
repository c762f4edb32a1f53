// The score board, hand list and player card as the user handles them.
#include "wire/IniFile.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "platform/VideoView.h"
#include "window/TableMouse.h"
#include <QTest>
#include <gtest/gtest.h>

namespace {
class SideWindows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(t.Load(), std::nullopt); }
    // Hands 1 to n stored, each with its number as the one line of list 0.
    void StoreHands(int n) {
        classIniFile ini;
        ini.SetINIFileName(HandHistoryPath(*t));
        for (int hand = 1; hand <= n; ++hand)
            ini.WriteIniKeys(QStringLiteral("juNum:%1").arg(hand),
                             {{QStringLiteral("count( 0 )"), "1"}, {QStringLiteral("count( 0 )( 0 )"), QStringLiteral("hand %1").arg(hand)}});
    }
    void AddHandLines(int n) {
        for (int k = 0; k < n; ++k) {
            t->Hero().Num->addItem(QString::number(k + 1));
            for (QListWidget* grade : t->Hero().Grade) grade->addItem(QStringLiteral("0        金币"));
        }
    }
    QString Shown() { return t->Score().State[0]->count() ? t->Score().State[0]->item(0)->text() : QString(); }
    TestClient t;
};

TEST_F(SideWindows, BoardsHaveTheirSizesAndCloseAreasHideThem) {
    EXPECT_EQ(t->Score().size(), QSize(640, 480));
    EXPECT_EQ(t->Hero().size(), QSize(655, 454));
    EXPECT_EQ(t->Information().size(), QSize(220, 330));
    for (BoardWindow* board : {static_cast<BoardWindow*>(&t->Score()), static_cast<BoardWindow*>(&t->Hero())}) {
        for (int k = 0; k < 2; ++k) {
            board->show();
            QLabel* area = board == &t->Score() ? t->Score().Image1[k] : t->Hero().Image1[k];
            QTest::mouseClick(area, Qt::LeftButton);
            EXPECT_FALSE(board->isVisible()) << board->windowTitle().toStdString() << " area " << k;
        }
    }
}

TEST_F(SideWindows, ABoardFollowsTheMouseFromAPressOnItsSurface) {
    ScoreWindow& score = t->Score();
    score.move(100, 100);
    score.show();
    QWidget* surface = score.ID[1];  // a label passes the press to its window
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), surface->mapToGlobal(QPointF(32, 22)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(32, 22));
    EXPECT_EQ(score.pos(), QPoint(130, 120));
}

TEST_F(SideWindows, ADoubleClickInTheHandListOpensTheHandOfThatPosition) {
    StoreHands(5);
    AddHandLines(4);
    HeroWindow& hero = t->Hero();
    // The numbers shown skip (an aborted hand left no line); the position decides.
    hero.Num->item(3)->setText("5");
    hero.Num->setCurrentRow(3);
    hero.Hero_Num_DblClick();
    EXPECT_EQ(Shown(), QStringLiteral("hand 4"));
    EXPECT_TRUE(t->Score().isVisible());

    hero.Grade[2]->setCurrentRow(1);
    t->Score().hide();
    QTest::mouseDClick(hero.Grade[2]->viewport(), Qt::LeftButton, {}, hero.Grade[2]->visualItemRect(hero.Grade[2]->item(1)).center());
    EXPECT_EQ(Shown(), QStringLiteral("hand 2"));
    EXPECT_TRUE(t->Score().isVisible());
}

TEST_F(SideWindows, ADoubleClickWithoutASelectionKeepsTheBoardButBringsItUp) {
    StoreHands(1);
    AddHandLines(1);
    t->Score().State[0]->addItem(QStringLiteral("current"));
    t->Hero().Num->setCurrentRow(-1);
    t->Hero().Hero_Num_DblClick();
    EXPECT_EQ(Shown(), QStringLiteral("current"));
    EXPECT_TRUE(t->Score().isVisible());
}

TEST_F(SideWindows, PressingALineSelectsItInEveryList) {
    AddHandLines(8);
    HeroWindow& hero = t->Hero();
    hero.show();
    QTest::mousePress(hero.Grade[2]->viewport(), Qt::LeftButton, {}, hero.Grade[2]->visualItemRect(hero.Grade[2]->item(5)).center());
    EXPECT_EQ(hero.Num->currentRow(), 5);
    for (QListWidget* grade : hero.Grade) EXPECT_EQ(grade->currentRow(), 5);
    QTest::mousePress(hero.Num->viewport(), Qt::LeftButton, {}, hero.Num->visualItemRect(hero.Num->item(2)).center());
    for (QListWidget* grade : hero.Grade) EXPECT_EQ(grade->currentRow(), 2);
}

TEST_F(SideWindows, TheCardOfAVideoViewShowsThatSeatsRecordOnce) {
    MainForm& f = *t->mainForm;
    f.resize(1000, 700);
    PlayerInfo& p = t->playerInfo[3];
    p.NickName = QStringLiteral("老王");
    p.Sex = 2;
    p.Area = QStringLiteral("北京");
    p.Points = 1250.5;
    p.Credit = 100;
    p.LoginCount = 12;
    p.DropCount = 1;
    p.WinCount = 7;
    p.LossCount = 5;
    f.vshow1[3]->OnMouseEvent();
    InformationWindow& card = t->Information();
    ASSERT_TRUE(card.isVisible());
    QStringList values;
    for (QLabel* label : card.Inf) values << label->text();
    EXPECT_EQ(values, (QStringList{QStringLiteral("老王"), QStringLiteral("男"), QStringLiteral("北京"), "1250.5", "100", "12", "1", "7", "5"}));
    const QRect table = f.frameGeometry();
    EXPECT_EQ(card.pos().x() - table.left() - f.Pic1->x(), 2 * table.width() / 3) << "view 3 starts two thirds along";
    EXPECT_EQ(card.pos().y(), f.Pic1->y() + table.top() + int(0.14 * table.height()));

    // shown: not moved or refilled by another view
    const QPoint where = card.pos();
    t->playerInfo[1].NickName = QStringLiteral("other");
    f.vshow1[1]->OnMouseEvent();
    EXPECT_EQ(card.pos(), where);
    EXPECT_EQ(card.Inf[0]->text(), QStringLiteral("老王"));

    // the pointer over the table hides it
    MainForm_Pic1_MouseMove(*t, 10, 10);
    EXPECT_FALSE(card.isVisible());
}

TEST_F(SideWindows, TheCardShowsSexAsTheRecordHoldsItAndNothingForAnEmptySeat) {
    t->playerInfo[1].NickName = QStringLiteral("a");
    for (auto [sex, shown] : {std::pair{0, u"女"}, std::pair{1, u"男"}, std::pair{2, u"男"}}) {
        t->playerInfo[1].Sex = uint8_t(sex);
        t->Information().hide();
        MainForm_vshow1_MouseEvent(*t, 1);
        EXPECT_EQ(t->Information().Inf[1]->text(), QString::fromUtf16(shown)) << sex;
    }
    t->Information().hide();
    MainForm_vshow1_MouseEvent(*t, 2);
    EXPECT_FALSE(t->Information().isVisible()) << "no player at seat 2";
}
}  // namespace
