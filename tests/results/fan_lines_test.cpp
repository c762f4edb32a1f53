// The fan lines the score board shows for each seat from its result items.
#include "results/FanLines.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include <gtest/gtest.h>

namespace {
const QString P9(9, QLatin1Char(' '));
const QString P11(11, QLatin1Char(' '));

struct ItemValue {
    int item;
    int value;
};

class FanLines : public ::testing::Test {
protected:
    void Set(int seat, std::initializer_list<ItemValue> values) {
        for (const ItemValue& v : values) t->handResult[seat][v.item] = v.value;
    }
    QStringList Lines(int seat) {
        QStringList lines;
        const QListWidget& list = *t->Score().State[seat];
        for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
        return lines;
    }
    TestClient t;
};

// A winner's lines: eight slots, the 通 lines, seven count lines, 杠开, closing line.
TEST_F(FanLines, AWinnersSlotsCountsAndClosingLine) {
    struct Case {
        const char* name;
        std::vector<ItemValue> items;
        std::vector<std::pair<int, QString>> expected;  // line index, text
        int lineCount;
    };
    const std::vector<Case> cases{
        {"seven pairs and one suit", {{5, 0x14}}, {{0, QStringLiteral("七小对") + P9 + "20番"}, {1, QStringLiteral("清一色") + P9 + "20番"}}, 17},
        {"3 is neither 4 nor 2", {{5, 0x03}}, {{0, ""}, {1, ""}}, 17},
        {"all winds, all pungs", {{5, 0x42}}, {{0, QStringLiteral("对对胡") + P9 + "5番"}, {1, QStringLiteral("风一色") + P9 + "50番"}}, 17},
        {"shape bits and a run of six", {{4, 0x23}}, {{2, QStringLiteral("大吊车") + P9 + "10番"}, {3, QStringLiteral("不动手") + P9 + "5番"}, {4, QStringLiteral("六连") + P11 + "5番"}}, 17},
        {"dragon run", {{4, 0x10}}, {{2, ""}, {3, ""}, {4, QStringLiteral("一条龙") + P9 + "15番"}}, 17},
        {"double run", {{4, 0x40}}, {{4, QStringLiteral("六连X2") + P9 + "10番"}}, 17},
        {"waits", {{3, 0x23}}, {{5, QStringLiteral("枯支压") + P9 + "10番"}, {6, QStringLiteral("压档") + P11 + "1番"}, {7, QStringLiteral("平摸") + P11 + "5番"}}, 17},
        {"dug draw", {{3, 0x10}}, {{7, QStringLiteral("挖摸") + P11 + "10番"}}, 17},
        {"two 通 lines", {{7, 2}, {9, 1}}, {{8, QStringLiteral("2通            2番")}, {9, QStringLiteral("1通            1番")}, {10, ""}}, 19},
        {"counts", {{10, 1}, {12, 2}, {13, 3}, {14, 1}, {15, 2}, {16, 4}},
         {{8, QStringLiteral("四合     1个   5番")}, {9, QStringLiteral("支番") + P11 + "0番"}, {10, QStringLiteral("双铺     2个   10番")},
          {11, QStringLiteral("明杠     3次   6番")}, {12, QStringLiteral("暗杠     1次   4番")}, {13, QStringLiteral("三张在手 2个   4番")},
          {14, QStringLiteral("三张碰出 4个   4番")}}, 17},
        {"zero counts are empty, 支番 always", {{11, 0}}, {{8, ""}, {9, QStringLiteral("支番") + P11 + "0番"}, {10, ""}}, 17},
        {"win on a kong's replacement", {{20, 1}}, {{15, QStringLiteral("杠开") + P11 + "5番"}}, 17},
        {"self-drawn beats a robbed kong", {{6, 2}, {21, 1}}, {{16, QStringLiteral("自摸     × 2")}}, 17},
        {"robbed kong", {{21, 1}}, {{16, QStringLiteral("抢杠") + P11 + "5番"}}, 17},
        {"a discard", {}, {{15, ""}, {16, QStringLiteral("吃炮")}}, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient fresh;
        for (const ItemValue& v : c.items) fresh->handResult[0][v.item] = v.value;
        fresh->handResult[0][30] = 1;
        ShowFanDetails(*fresh);
        QStringList lines;
        for (int i = 0; i < fresh->Score().State[0]->count(); ++i) lines << fresh->Score().State[0]->item(i)->text();
        // the winner's lines, then the total and the dashes (no dealt-in line)
        ASSERT_EQ(lines.size(), c.lineCount + 2) << lines.join('|').toStdString();
        for (const auto& [index, text] : c.expected) EXPECT_EQ(lines[index], text) << "line " << index;
        EXPECT_EQ(lines.last(), QString(26, QLatin1Char('-')));
    }
}

TEST_F(FanLines, LosersSkipTheLinesOfTheLastTongSeatAndShowWhoDealtIn) {
    Set(1, {{30, 1}, {7, 1}, {8, 1}});  // the winner, with two 通 items
    Set(3, {{6, 1}});                   // dealt in
    ShowFanDetails(*t);
    for (int s : {0, 2, 3}) {
        const QStringList lines = Lines(s);
        ASSERT_EQ(lines.size(), 16 + 2 + 1 + 2) << "seat " << s;
        for (int i = 0; i < 18; ++i) EXPECT_EQ(lines[i], QString()) << "seat " << s << " line " << i;
        EXPECT_EQ(lines[18], s == 3 ? QStringLiteral("点炮") : QString());
    }
    EXPECT_EQ(Lines(1).size(), Lines(0).size()) << "one winner that is the last 通 seat: equal lists";
}

TEST_F(FanLines, NoTongSeatLeavesSixteenEmptyLines) {
    Set(0, {{30, 1}});
    ShowFanDetails(*t);
    EXPECT_EQ(Lines(2).size(), 16 + 1 + 2);
}

TEST_F(FanLines, TwoWinnersShowOnlyTheirOwnPatterns) {
    Set(0, {{30, 1}, {5, 0x04}});
    Set(2, {{30, 1}, {5, 0x20}, {6, 2}});
    ShowFanDetails(*t);
    EXPECT_EQ(Lines(0)[0], QStringLiteral("七小对") + P9 + "20番");
    EXPECT_EQ(Lines(0)[1], QString());
    EXPECT_EQ(Lines(2)[0], QString());
    EXPECT_EQ(Lines(2)[1], QStringLiteral("混一色") + P9 + "5番");
    EXPECT_EQ(Lines(2)[16], QStringLiteral("自摸     × 2"));
}

TEST_F(FanLines, TotalLineSignAndWidth) {
    struct Case {
        int high, low, sign;
        QString line;
    };
    const Case cases[] = {
        {0, 0, 2, QStringLiteral("总番数：       0番")},
        {0, 12, 2, QStringLiteral("总番数：      -12番")},
        {0, 12, 0, QStringLiteral("总番数：       12番")},
        // 16 bits would turn this total negative; it stays whole.
        {200, 1, 0, QStringLiteral("总番数：       51201番")},
        {255, 255, 2, QStringLiteral("总番数：      -65535番")},
    };
    for (const Case& c : cases) {
        TestClient fresh;
        fresh->handResult[1][18] = c.high;
        fresh->handResult[1][19] = c.low;
        fresh->handResult[1][17] = c.sign;
        ShowFanDetails(*fresh);
        const QListWidget& list = *fresh->Score().State[1];
        EXPECT_EQ(list.item(list.count() - 2)->text(), c.line) << c.high << " " << c.low << " " << c.sign;
    }
}
}  // namespace
