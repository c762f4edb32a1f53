// The player card brought up by the pointer over a seat's portrait.
#include "results/InformationWindow.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/PlayerCard.h"
#include "window/TableMouse.h"
#include <gtest/gtest.h>

namespace {
class PlayerCard : public ::testing::Test {
protected:
    explicit PlayerCard(QSize screen = {1024, 768}) : t(TestClient::DefaultCommandLine(), screen) {}
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t->mainForm->move(0, 0);
        for (int seat = 0; seat < 4; ++seat) t->playerInfo[seat].NickName = QStringLiteral("seat %1").arg(seat);
    }
    // The pointer as the portrait reports it.
    void OverPortrait(int seat) { t->mainForm->Tou[seat]->OnMouseMove(); }
    InformationWindow& Card() { return t->Information(); }
    QStringList Values() {
        QStringList values;
        for (QLabel* label : Card().Inf) values << label->text();
        return values;
    }
    TestClient t;
};

TEST_F(PlayerCard, EachSeatsCardHasItsPlaceOnTheDesignScreen) {
    ASSERT_EQ(t->mainForm->Pic1->geometry(), QRect(0, 0, 1024, 768));
    // Left: thirds of 1024 pixels; top: 11 % of 768 (84.48) or 42 % (322.56) for the own seat.
    const QPoint places[] = {{0, 323}, {0, 84}, {341, 84}, {683, 84}};
    for (int seat = 0; seat < 4; ++seat) {
        SCOPED_TRACE(seat);
        OverPortrait(seat);
        ASSERT_TRUE(Card().isVisible());
        EXPECT_EQ(Card().pos(), places[seat]);
        EXPECT_EQ(Card().Inf[0]->text(), QStringLiteral("seat %1").arg(seat));
        MainForm_Pic1_MouseMove(*t, 5, 5);
        EXPECT_FALSE(Card().isVisible());
    }
}

TEST_F(PlayerCard, ThePlaceFollowsTheTableWindowOnTheScreen) {
    t->mainForm->move(120, 45);
    const QPoint table = t->mainForm->frameGeometry().topLeft() + t->mainForm->Pic1->pos();
    EXPECT_EQ(PlayerCardPlace(*t, 2), table + QPoint(341, 84));
    EXPECT_EQ(PlayerCardPlace(*t, 0), table + QPoint(0, 323));
}

TEST_F(PlayerCard, TheCardShowsTheRecordWithNumbersInTheirShortestForm) {
    PlayerInfo& p = t->playerInfo[2];
    p.NickName = QStringLiteral("小明");
    p.Sex = 0;
    p.Area = QStringLiteral("上海");
    p.Points = 1500;
    p.Credit = 98.5;
    p.LoginCount = 2147483647;
    p.DropCount = 0;
    p.WinCount = 31;
    p.LossCount = -4;
    OverPortrait(2);
    EXPECT_EQ(Values(), (QStringList{QStringLiteral("小明"), QStringLiteral("女"), QStringLiteral("上海"), "1500", "98.5",
                                     "2147483647", "0", "31", "-4"}));

    struct Case {
        double points, credit;
        const char* pointsText;
        const char* creditText;
    };
    for (const Case& k : {Case{0, 100, "0", "100"}, Case{12.5, 0.1, "12.5", "0.1"}, Case{-250, 1234567.25, "-250", "1234567.25"},
                          Case{1.0 / 3, 123456789012345678.0, "0.333333333333333", "1.23456789012346e+17"}}) {
        SCOPED_TRACE(k.pointsText);
        p.Points = k.points;
        p.Credit = k.credit;
        MainForm_Pic1_MouseMove(*t, 5, 5);
        OverPortrait(2);
        EXPECT_EQ(Card().Inf[3]->text(), QString::fromLatin1(k.pointsText));
        EXPECT_EQ(Card().Inf[4]->text(), QString::fromLatin1(k.creditText));
    }
}

TEST_F(PlayerCard, SexZeroIsFemaleAndAnyOtherValueMale) {
    for (auto [sex, shown] : {std::pair{0, u"女"}, std::pair{1, u"男"}, std::pair{255, u"男"}}) {
        t->playerInfo[1].Sex = uint8_t(sex);
        MainForm_Pic1_MouseMove(*t, 5, 5);
        OverPortrait(1);
        EXPECT_EQ(Card().Inf[1]->text(), QString::fromUtf16(shown)) << sex;
    }
}

TEST_F(PlayerCard, AnEmptySeatShowsNothing) {
    t->playerInfo[3].NickName.clear();
    OverPortrait(3);
    EXPECT_FALSE(Card().isVisible());
    EXPECT_TRUE(Card().Inf[0]->text().isEmpty());
}

TEST_F(PlayerCard, MovingFromPortraitToPortraitKeepsTheFirstCard) {
    OverPortrait(1);
    const QPoint first = Card().pos();
    OverPortrait(1);
    OverPortrait(3);
    EXPECT_TRUE(Card().isVisible());
    EXPECT_EQ(Card().pos(), first);
    EXPECT_EQ(Card().Inf[0]->text(), QStringLiteral("seat 1"));
    // Only after the table has hidden it does the next portrait refill it.
    MainForm_Pic1_MouseMove(*t, 5, 5);
    OverPortrait(3);
    EXPECT_EQ(Card().Inf[0]->text(), QStringLiteral("seat 3"));
    EXPECT_EQ(Card().pos(), QPoint(683, 84));
}

class SmallScreenPlayerCard : public PlayerCard {
protected:
    SmallScreenPlayerCard() : PlayerCard({800, 600}) {}
};

TEST_F(SmallScreenPlayerCard, TheOwnSeatsCardSitsHigherOnASmallScreen) {
    ASSERT_LT(t->table.ScaleX, 1);
    const QSize table = t->mainForm->Pic1->size();
    const QPoint corner = t->mainForm->frameGeometry().topLeft() + t->mainForm->Pic1->pos();
    EXPECT_EQ(PlayerCardPlace(*t, 0), corner + QPoint(0, qRound(0.3 * table.height())));
    EXPECT_EQ(PlayerCardPlace(*t, 3), corner + QPoint(qRound(2 * table.width() / 3.0), qRound(0.11 * table.height())));
}
}  // namespace
