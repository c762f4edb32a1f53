// Whole hand ends through the client's receive path: the server's results,
// revealed hands and result items after a scripted hand, checked on the
// score board, the hand list, the history file and the next hand's ready.
#include "wire/GamePacket.h"
#include "platform/AnsiCodec.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "support/UnkeptHistory.h"
#include "window/ButtonRow.h"
#include "table/MainForm.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {
constexpr int kRoom = 3;
const QString kDashes26(26, QLatin1Char('-'));
const QString kDashes30(30, QLatin1Char('-'));

// One seat's result items as the server sends them (items 2 to 47 are bytes).
struct SeatItems {
    std::array<uint8_t, 48> items{};
    SeatItems& Set(int item, int value) {
        items[size_t(item)] = uint8_t(value);
        return *this;
    }
    SeatItems& Money(uint64_t magnitude, bool negative) {
        for (int k = 0; k < 8; ++k) items[size_t(22 + k)] = uint8_t(magnitude >> (8 * k));
        items[30] = negative ? 2 : items[30];
        return *this;
    }
    SeatItems& Title(const QString& title) {
        const QByteArray bytes = AnsiCodec::ToAnsi(title);
        for (int k = 0; k < bytes.size() && k < 16; ++k) items[size_t(31 + k)] = uint8_t(bytes[k]);
        return *this;
    }
};

QByteArray TotalBytes(int64_t total) {
    QByteArray bytes;
    for (int k = 0; k < 8; ++k) bytes.append(char(uint64_t(total) >> (8 * k)));
    return bytes;
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

// Lines as one readable text, so that a failure shows where they differ.
std::string Text(const QStringList& lines) { return lines.join(QStringLiteral("|\n")).toStdString(); }

class HandEndFlow : public ::testing::Test {
protected:
    void SetUp() override {
        SeatAtScriptedTable(t, 15);
        for (const HandStep& step : ScriptedHand()) PlayStep(t, step);
        ASSERT_EQ(t->table.WinnerSeat, 0) << "the scripted hand ends with the own win on the right seat's discard";
        before = t->playerInfo;
    }
    void Receive(const GameMessage& m, const QByteArray& payload = {}) {
        t.Deliver(m, payload);
        t.Tick(2);
    }
    void SendResults(const std::array<int64_t, 4>& totals) {
        for (int s = 0; s < 4; ++s) Receive(HandMessage(MessageType::SeatResult, kSeatBits[s], 0, 1), TotalBytes(totals[s]));
    }
    // Every other seat's concealed tiles, four a message from the highest word down.
    void RevealOthers() {
        for (int s = 1; s < 4; ++s) {
            int left = t->seatInfo[s].ConcealedCount;
            while (left > 0) {
                std::array<int16_t, 4> words{};
                for (int w = 3; w >= 0 && left > 0; --w, --left) words[size_t(w)] = int16_t(0x21 + (left % 9));
                Receive(HandMessage(MessageType::HandRevealed, kSeatBits[s], words));
            }
        }
    }
    void SendItems(int seat, const SeatItems& s, int noTax = 0) {
        QByteArray payload;
        for (int k = 2; k < 48; ++k) payload.append(char(s.items[size_t(k)]));
        Receive(HandMessage(MessageType::ResultDetail, kSeatBits[seat], 0, kRoom, noTax, 1), payload);
    }
    QByteArray HistoryFile() {
        QFile file(t->platform.paths.Resolve(QStringLiteral("\\info.Jokro")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Runs the between-hands countdown out; returns the packets it sent.
    std::vector<QByteArray> RunCountdown(int seconds) {
        t.socket->sent.clear();
        for (int tick = 0; tick < seconds * 20 + 40; ++tick) t.Tick();
        return t.Sent();
    }
    QByteArray ReadyPacket() {
        return ToByteArray(EncodeGamePacket(HandMessage(MessageType::ReadyOrLeave, kSeatBits[0], 0, 0, 0, 1), {},
                                            t->transport.EchoBytes));
    }

    TestClient t;
    std::array<PlayerInfo, 4> before{};
};

TEST_F(HandEndFlow, AWinOnADiscardFillsTheBoardTheListTheRecordsAndTheHistoryThenTheCountdownSendsReady) {
    SendResults({2700, 0, 0, -2700});
    RevealOthers();
    for (int s = 1; s < 4; ++s) EXPECT_EQ(t->seatInfo[s].ConcealedCount, 0) << "seat " << s << " revealed";
    SendItems(0, SeatItems().Set(3, 0x02).Set(5, 0x12).Set(11, 2).Set(13, 1).Set(19, 27).Set(30, 1).Money(2700, false).Title(QStringLiteral("雀圣")));
    SendItems(1, SeatItems().Title(QStringLiteral("雀士")));
    SendItems(2, SeatItems());
    SendItems(3, SeatItems().Set(6, 1).Set(17, 2).Set(19, 27).Money(2700, true).Title(QStringLiteral("雀侠")));

    const QString room = QStringLiteral("   房间条数:  %1").arg(kRoom);
    const QString p9(9, QLatin1Char(' ')), p11(11, QLatin1Char(' '));
    QStringList winner{room,
                       QStringLiteral("对对胡") + p9 + QStringLiteral("5番"),
                       QStringLiteral("清一色") + p9 + QStringLiteral("20番"),
                       "", "", "", "",
                       QStringLiteral("压档") + p11 + QStringLiteral("1番"),
                       "", "",
                       QStringLiteral("支番") + p11 + QStringLiteral("2番"),
                       "",
                       QStringLiteral("明杠     1次   2番"),
                       "", "", "", "", QStringLiteral("吃炮"),
                       QStringLiteral("总番数：       27番"), kDashes26, kDashes30, " ",
                       QStringLiteral("胡牌总分：2700金币"), "", QStringLiteral("扣税：3%"), QStringLiteral("最终分：2700金币")};
    auto loser = [&](const QString& dealtIn, const QString& total, int money) {
        QStringList lines{room};
        for (int i = 0; i < 16; ++i) lines << QString();
        lines << dealtIn << total << kDashes26 << kDashes30 << " "
              << QStringLiteral("胡牌总分：%1金币").arg(money) << "" << " " << QStringLiteral("最终分：%1金币").arg(money);
        return lines;
    };
    ScoreWindow& score = t->Score();
    EXPECT_EQ(Text(Lines(*score.State[0])), Text(winner));
    EXPECT_EQ(Text(Lines(*score.State[1])), Text(loser("", QStringLiteral("总番数：       0番"), 0)));
    EXPECT_EQ(Text(Lines(*score.State[3])), Text(loser(QStringLiteral("点炮"), QStringLiteral("总番数：      -27番"), -2700)));
    EXPECT_EQ(Text(Lines(*score.State[4])), Text(QStringList{QStringLiteral("最终分：2700金币")}));
    EXPECT_EQ(Text(Lines(*score.State[7])), Text(QStringList{QStringLiteral("最终分：-2700金币")}));
    EXPECT_TRUE(score.isVisible());

    HeroWindow& hero = t->Hero();
    EXPECT_EQ(Text(Lines(*hero.Num)), Text(QStringList{QStringLiteral("1") + QString(11, QLatin1Char(' '))}));
    EXPECT_EQ(Text(Lines(*hero.Grade[0])), Text(QStringList{QStringLiteral("2700     金币")}));
    EXPECT_EQ(Text(Lines(*hero.Grade[3])), Text(QStringList{QStringLiteral("-2700    金币")}));
    EXPECT_EQ(hero.sumScore[3]->text(), QStringLiteral("-2700金币"));

    MainForm& f = *t->mainForm;
    EXPECT_EQ(t->playerInfo[0].Money, before[0].Money + 2700);
    EXPECT_EQ(f.Cash[0]->Caption(), QStringLiteral("%1金币").arg(before[0].Money + 2700));
    EXPECT_EQ(f.Level[0]->Caption(), QStringLiteral("雀圣"));
    EXPECT_EQ(f.Level[2]->Caption(), QString()) << "a title without bytes";
    EXPECT_EQ(t->playerInfo[0].WinCount, before[0].WinCount + 1);
    EXPECT_EQ(t->playerInfo[3].LossCount, before[3].LossCount + 1);
    EXPECT_EQ(t->playerInfo[1].WinCount + t->playerInfo[1].LossCount, before[1].WinCount + before[1].LossCount)
        << "a seat without a result counts nothing";
    EXPECT_EQ(f.Sysmsg[0]->item(0)->text(), QStringLiteral("请点击【继续】按钮继续游戏！"));
    EXPECT_EQ(f.Sysmsg[1]->item(0)->text(), QStringLiteral("游戏将在15秒内开始"));
    EXPECT_FALSE(t->table.InGame);
    EXPECT_EQ(f.Number->Caption(), QStringLiteral("15"));
    EXPECT_TRUE(f.Number->isVisible());

    // The history section holds the eight lists in order, GBK, CRLF.
    QByteArray expected = "[juNum:1]\r\n";
    for (int i = 0; i < 8; ++i) {
        const QStringList lines = Lines(*score.State[i]);
        expected += AnsiCodec::ToAnsi(QStringLiteral("count( %1 )=%2\r\n").arg(i).arg(lines.size()));
        for (int j = 0; j < lines.size(); ++j)
            expected += AnsiCodec::ToAnsi(QStringLiteral("count( %1 )( %2 )=%3\r\n").arg(i).arg(j).arg(lines[j]));
    }
    EXPECT_EQ(HistoryFile(), expected);

    const std::vector<QByteArray> sent = RunCountdown(15);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], ReadyPacket());
    EXPECT_FALSE(f.Number->isVisible());
}

TEST_F(HandEndFlow, FourZeroTotalsShowTheDrawnBoardSaveItAndCountFifteenSecondsToReady) {
    t->table.AutoPlay = true;  // a drawn hand counts 15 s in auto-play too
    SendResults({0, 0, 0, 0});
    ScoreWindow& score = t->Score();
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(Text(Lines(*score.State[s])), Text(QStringList{QStringLiteral("      黄  庄")}));
        EXPECT_EQ(Text(Lines(*score.State[s + 4])), Text(QStringList{QStringLiteral("最终分：0金币")}));
        EXPECT_EQ(Lines(*t->Hero().Grade[s]), QStringList{QStringLiteral("0        金币")});
        EXPECT_EQ(score.ID[s]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    EXPECT_TRUE(score.isVisible());
    EXPECT_FALSE(t->table.InGame);
    EXPECT_FALSE(t->window.AnNiuUsed[2]);
    EXPECT_TRUE(t->mainForm->AnNiu[2]->isEnabled());
    EXPECT_TRUE(HistoryFile().startsWith("[juNum:1]\r\ncount( 0 )=1\r\n"));
    EXPECT_EQ(t->mainForm->Number->Caption(), QStringLiteral("15"));

    EXPECT_TRUE(RunCountdown(10).empty()) << "not after 5 s: the drawn hand waits 15";
    const std::vector<QByteArray> sent = RunCountdown(5);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], ReadyPacket());
}
// In a program folder where nothing can be written the hands are settled and
// shown as ever; the ticker says once that they are not stored, and the score
// button and the hand list bring back the board as the settlement left it.
TEST_F(HandEndFlow, HandsThatCannotBeStoredAreShownTheTickerSaysSoOnceAndTheBoardStaysAsSettled) {
    TurnProgramFolderIntoAFile(*t);
    SendResults({2700, 0, 0, -2700});
    SendItems(0, SeatItems().Set(30, 1).Money(2700, false));
    for (int s = 1; s < 3; ++s) SendItems(s, SeatItems());
    SendItems(3, SeatItems().Money(2700, true));
    ScoreWindow& score = t->Score();
    const QStringList settled = Lines(*score.State[0]);
    ASSERT_EQ(Lines(*score.State[4]), QStringList{QStringLiteral("最终分：2700金币")});
    EXPECT_EQ(Text(Lines(*t->mainForm->Sysmsg[1])), Text({kHandsNotRecorded}));
    EXPECT_EQ(Text(Lines(*t->mainForm->Sysmsg[0])), Text({QStringLiteral("游戏将在15秒内开始")}));

    auto expectSettledBoard = [&](const char* after) {
        SCOPED_TRACE(after);
        EXPECT_TRUE(score.isVisible());
        EXPECT_EQ(Text(Lines(*score.State[0])), Text(settled));
        EXPECT_EQ(score.ID[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0)) << "the winner";
    };
    MainForm_AnNiu_Click(*t, BarButton::ScoreBoard);
    ASSERT_FALSE(score.isVisible());
    MainForm_AnNiu_Click(*t, BarButton::ScoreBoard);
    expectSettledBoard("the score button");
    score.hide();
    t->Hero().Num->setCurrentRow(0);
    t->Hero().Hero_Num_DblClick();
    expectSettledBoard("a double-click in the hand list");

    RunCountdown(15);
    SendResults({0, 0, 0, 0});
    EXPECT_EQ(Text(Lines(*score.State[0])), Text({QStringLiteral("      黄  庄")})) << "the next hand, drawn";
    EXPECT_EQ(HandsNotRecordedShown(*t), 0) << "said once";
}

TEST_F(HandEndFlow, ADrawnHandThatCannotBeStoredSaysSoBelowItsCountdown) {
    TurnProgramFolderIntoAFile(*t);
    SendResults({0, 0, 0, 0});
    EXPECT_EQ(Text(Lines(*t->mainForm->Sysmsg[1])), Text({kHandsNotRecorded}));
    EXPECT_EQ(t->mainForm->Number->Caption(), QStringLiteral("15"));
}

}  // namespace
