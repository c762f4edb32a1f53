// The settlement of a hand with a winner: money, records, board lines,
// hand list, ticker, buttons and the countdown to the next hand.
#include "platform/AnsiCodec.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "results/Settlement.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/ButtonRow.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {
class Settlement : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t->table.HandNumber = 7;
        t->table.WinnerSeat = 0;
        for (auto& items : t->handResult) items[1] = 1;  // gold coins
        // the hand set-up disabled the first three buttons
        for (int k = 0; k < 3; ++k) t->mainForm->AnNiu[k]->setEnabled(false);
        t->window.AnNiuUsed[BarButton::Start] = true;
        t->table.InGame = true;
    }
    void Money(int seat, uint64_t magnitude, bool negative) {
        for (int k = 0; k < 8; ++k) t->handResult[seat][22 + k] = int32_t((magnitude >> (8 * k)) & 0xFF);
        t->handResult[seat][30] = negative ? 2 : 1;
    }
    void Settle() {
        GameMessage unused;
        SettleHand(*t, unused);
    }
    QStringList Lines(const QListWidget& list) {
        QStringList lines;
        for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
        return lines;
    }
    TestClient t;
};

TEST_F(Settlement, MoneyAndPointsNeverGoBelowZeroAndTheCountsFollowTheMoney) {
    struct Case {
        double money, points;
        uint64_t magnitude;
        bool negative;
        double moneyAfter, pointsAfter;
        int wins, losses;
    };
    const Case cases[] = {
        {300, 500, 1000, true, 0, 1, 0, 1},      // a loss below zero: money 0, points 1
        {5000, 1000, 1000, true, 4000, 0, 0, 1}, // points of exactly 0 stay 0
        {100, 100, 250, false, 350, 350, 1, 0},
        {100, 100, 0, false, 100, 100, 0, 0},    // nothing won, nothing counted
    };
    for (const Case& c : cases) {
        TestClient fresh;
        ASSERT_EQ(fresh.Load(), std::nullopt);
        for (auto& items : fresh->handResult) items[1] = 1;
        PlayerInfo& p = fresh->playerInfo[2];
        p.Money = c.money;
        p.Points = c.points;
        for (int k = 0; k < 8; ++k) fresh->handResult[2][22 + k] = int32_t((c.magnitude >> (8 * k)) & 0xFF);
        fresh->handResult[2][30] = c.negative ? 2 : 0;
        GameMessage unused;
        SettleHand(*fresh, unused);
        SCOPED_TRACE(c.magnitude);
        EXPECT_EQ(p.Money, c.moneyAfter);
        EXPECT_EQ(p.Points, c.pointsAfter);
        EXPECT_EQ(p.WinCount, c.wins);
        EXPECT_EQ(p.LossCount, c.losses);
        EXPECT_EQ(fresh->mainForm->Cash[2]->Caption(), QString::number(c.moneyAfter) + QStringLiteral("金币"));
    }
}

TEST_F(Settlement, ASpecialHandCountsTheMarkedSeatsLossAndTheAnnouncedWinner) {
    Money(0, 500, true);    // the announced winner, though its money went down
    Money(1, 500, false);   // marked: a loss even with money won
    t->handResult[1][4] = 1;
    Money(2, 100, false);   // neither: not counted
    Settle();
    EXPECT_TRUE(t->table.SpecialResult);
    EXPECT_EQ(t->playerInfo[0].WinCount, 1);
    EXPECT_EQ(t->playerInfo[0].LossCount, 0);
    EXPECT_EQ(t->playerInfo[1].LossCount, 1);
    EXPECT_EQ(t->playerInfo[1].WinCount, 0);
    EXPECT_EQ(t->playerInfo[2].WinCount + t->playerInfo[2].LossCount, 0);

    TestClient noWinner;
    ASSERT_EQ(noWinner.Load(), std::nullopt);
    noWinner->table.WinnerSeat = -1;
    noWinner->handResult[3][4] = 1;
    GameMessage unused;
    SettleHand(*noWinner, unused);
    for (int s = 0; s < 4; ++s) EXPECT_EQ(noWinner->playerInfo[s].WinCount, 0);
    EXPECT_EQ(noWinner->playerInfo[3].LossCount, 1);
}

TEST_F(Settlement, TaxLineUnitAndTheFinalLines) {
    struct Case {
        const char* name;
        int noTax;
        int unit;
        uint64_t magnitude;
        bool negative;
        QString taxLine, finalLine;
    };
    const Case cases[] = {
        {"a win is taxed", 0, 1, 2700, false, QStringLiteral("扣税：3%"), QStringLiteral("最终分：2700金币")},
        {"a loss is not", 0, 1, 300, true, QStringLiteral(" "), QStringLiteral("最终分：-300金币")},
        {"nothing is not", 0, 1, 0, false, QStringLiteral(" "), QStringLiteral("最终分：0金币")},
        {"no tax at this table", 3, 1, 2700, false, QString(), QStringLiteral("最终分：2700金币")},
        {"low byte 1 is coins", 0, 0x0101, 5, false, QStringLiteral("扣税：3%"), QStringLiteral("最终分：5金币")},
        {"anything else is bars", 0, 2, 5, false, QStringLiteral("扣税：3%"), QStringLiteral("最终分：5金条")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient fresh;
        ASSERT_EQ(fresh.Load(), std::nullopt);
        fresh->table.NoTaxFlag = uint8_t(c.noTax);
        fresh->seatInfo[1].WinTotal = -42;
        for (int k = 0; k < 8; ++k) fresh->handResult[1][22 + k] = int32_t((c.magnitude >> (8 * k)) & 0xFF);
        fresh->handResult[1][30] = c.negative ? 2 : 0;
        fresh->handResult[1][1] = c.unit;
        GameMessage unused;
        SettleHand(*fresh, unused);
        const QStringList lines = Lines(*fresh->Score().State[1]);
        const QString unit = c.finalLine.right(2);
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines.mid(lines.size() - 4),
                  (QStringList{QStringLiteral("胡牌总分：-42") + unit, QString(), c.taxLine, c.finalLine}));
        EXPECT_EQ(Lines(*fresh->Score().State[5]), QStringList{c.finalLine});
        EXPECT_TRUE(fresh->mainForm->Cash[1]->Caption().endsWith(unit));
        EXPECT_TRUE(fresh->Hero().sumScore[1]->text().endsWith(unit));
    }
}

TEST_F(Settlement, HandListLinesAndRunningTotals) {
    Money(3, 250, true);
    Settle();
    EXPECT_EQ(Lines(*t->Hero().Num), QStringList{QStringLiteral("7") + QString(11, QLatin1Char(' '))});
    EXPECT_EQ(Lines(*t->Hero().Grade[3]), QStringList{QStringLiteral("-250     金币")});
    Money(3, 1000, false);
    t->table.HandNumber = 8;
    Settle();
    EXPECT_EQ(Lines(*t->Hero().Grade[3]).size(), 2);
    EXPECT_EQ(t->table.TotalScore[3], 750);
    EXPECT_EQ(t->Hero().sumScore[3]->text(), QStringLiteral("750金币"));
    EXPECT_EQ(t->Score().State[3]->count(), t->Score().State[0]->count()) << "the board holds one hand";
}

TEST_F(Settlement, LevelTitlesComeFromTheItemsUpToTheFirstZeroLeadByte) {
    const QByteArray title = AnsiCodec::ToAnsi(QStringLiteral("雀圣"));
    for (int k = 0; k < title.size(); ++k) t->handResult[0][31 + k] = uint8_t(title[k]);
    t->handResult[1][31] = 0;
    t->handResult[1][33] = 0xC8;  // past the end: not read
    t->playerInfo[1].LevelTitle = QStringLiteral("old");
    Settle();
    EXPECT_EQ(t->playerInfo[0].LevelTitle, QStringLiteral("雀圣"));
    EXPECT_EQ(t->mainForm->Level[0]->Caption(), QStringLiteral("雀圣"));
    EXPECT_EQ(t->mainForm->Level[1]->Caption(), QString());
}

TEST_F(Settlement, TheHandEndsAndTheNextIsOffered) {
    struct Case {
        const char* name;
        bool autoPlay, spectator;
        bool countdown;
        QString shown;
    };
    const Case cases[] = {
        {"a player", false, false, true, QStringLiteral("15")},
        {"auto-play counts 5", true, false, true, QStringLiteral("5")},
        {"a spectator gets no countdown", false, true, false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient fresh;
        ASSERT_EQ(fresh.Load(), std::nullopt);
        fresh->table.HandNumber = 1;
        fresh->table.AutoPlay = c.autoPlay;
        fresh->table.SpectatorMode = c.spectator;
        fresh->table.InGame = true;
        fresh->scheduler.TurnCountdownOn = true;
        fresh->window.AnNiuUsed[BarButton::Start] = true;
        for (int k = 0; k < 3; ++k) fresh->mainForm->AnNiu[k]->setEnabled(false);
        GameMessage unused;
        SettleHand(*fresh, unused);
        MainForm& f = *fresh->mainForm;
        EXPECT_EQ(f.Sysmsg[0]->item(0)->text(), QStringLiteral("请点击【继续】按钮继续游戏！"));
        EXPECT_EQ(f.Sysmsg[1]->item(0)->text(), QStringLiteral("游戏将在15秒内开始"));
        EXPECT_FALSE(fresh->table.InGame);
        EXPECT_FALSE(fresh->table.TableCleared);
        EXPECT_FALSE(fresh->scheduler.TurnCountdownOn);
        EXPECT_FALSE(fresh->window.AnNiuUsed[BarButton::Start]);
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(f.AnNiu[k]->isEnabled()) << "button " << k << " can be pressed again";
        EXPECT_EQ(fresh->scheduler.ReadyCountdownOn, c.countdown);
        EXPECT_EQ(f.Number->isVisible(), c.countdown);
        if (c.countdown) {
            EXPECT_EQ(f.Number->Caption(), c.shown);
            EXPECT_TRUE(f.Time_Img->isVisible());
        }
        EXPECT_TRUE(fresh->Score().isVisible());
        EXPECT_TRUE(QFile::exists(fresh->platform.paths.Resolve(QStringLiteral("\\info.Jokro")))) << "saved in every mode";
    }
}

TEST_F(Settlement, AMinimisedTableFillsTheBoardWithoutShowingIt) {
    t->mainForm->Minimize();
    ASSERT_TRUE(t->mainForm->IsMinimized());
    Money(0, 100, false);
    Settle();
    EXPECT_FALSE(t->Score().isVisible());
    EXPECT_GT(t->Score().State[0]->count(), 0);
}
}  // namespace
