#include "results/Settlement.h"
#include "table/Countdown.h"
#include "wire/General.h"
#include "platform/AnsiCodec.h"
#include "results/FanLines.h"
#include "results/HandHistory.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "shared/NumberText.h"
#include "table/MainForm.h"
#include "window/ButtonRow.h"
#include "table/SideWindows.h"
#include "table/Ticker.h"

namespace {
namespace Item = ResultItem;

constexpr int kNegativeMoney = 2;
// Item 4 exactly 1 marks a hand whose wins and losses are counted by the
// winner announcement and the marked seats, not by the money.
constexpr int kSpecialShape = 1;
constexpr int kHandCountdown = 15;
constexpr int kAutoPlayCountdown = 5;

QString Unit(const Client& c, int seat) {
    return (c.handResult[seat][Item::Unit] & 0xFF) == 1 ? QStringLiteral("金币") : QStringLiteral("金条");
}

double MoneyResult(const SeatResultItems& items) {
    uint64_t magnitude = 0;
    for (int k = Item::MoneyHigh; k >= Item::MoneyLow; --k) magnitude = magnitude * 256 + uint8_t(items[k]);
    const double money = double(magnitude);
    return items[Item::Outcome] == kNegativeMoney ? -money : money;
}

// Two-byte characters, lead byte first, up to the first zero lead byte.
QString LevelTitle(const SeatResultItems& items) {
    QByteArray bytes;
    for (int k = Item::TitleFirst; k < Item::TitleLast; k += 2) {
        if (items[k] == 0) break;
        bytes.append(char(items[k]));
        if (items[k + 1] == 0) break;
        bytes.append(char(items[k + 1]));
    }
    return AnsiCodec::FromAnsi(bytes);
}

void CountWinOrLoss(Client& c, int seat) {
    PlayerInfo& player = c.playerInfo[seat];
    if (c.table.SpecialResult) {
        if (c.handResult[seat][Item::Shapes] == kSpecialShape)
            ++player.LossCount;
        else if (seat == c.table.WinnerSeat)
            ++player.WinCount;
        return;
    }
    const double score = c.table.HandScore[seat];
    if (score > 0) ++player.WinCount;
    if (score < 0) ++player.LossCount;
}

// The hand is over: the board invites the next one, the start/continue
// button can be pressed again and a player's countdown to it starts.
void OpenBetweenHands(Client& c, int countdownSeconds) {
    SetTickerLines(c, QStringLiteral("请点击【继续】按钮继续游戏！"), QStringLiteral("游戏将在15秒内开始"));
    c.window.AnNiuUsed[BarButton::Start] = false;
    EnableHandButtons(c);
    c.scheduler.TurnCountdownOn = false;
    c.table.InGame = false;
    c.table.TableCleared = false;
    if (c.table.SpectatorMode) return;
    c.scheduler.ReadyCountdownOn = true;
    c.scheduler.ReadyCountdownTicks = 0;
    c.scheduler.ReadyTickTime = c.platform.clock->Now();
    ShowCountdownFrom(c, countdownSeconds);
}
}  // namespace

void SettleHand(Client& c, GameMessage&) {
    ScoreWindow& score = c.Score();
    HeroWindow& hero = c.Hero();
    MainForm& f = *c.mainForm;
    TableState& t = c.table;
    for (QListWidget* list : score.State) list->clear();
    for (int s = 0; s < 4; ++s) {
        t.HandScore[s] = MoneyResult(c.handResult[s]);
        t.TotalScore[s] += t.HandScore[s];
        c.playerInfo[s].LevelTitle = LevelTitle(c.handResult[s]);
        f.Level[s]->SetCaption(c.playerInfo[s].LevelTitle);
    }
    hero.Num->addItem(PadRight(QString::number(t.HandNumber), 12));
    for (int s = 0; s < 4; ++s) score.State[s]->addItem(QStringLiteral("   房间条数:  %1").arg(c.handResult[s][Item::Room]));
    ShowFanDetails(c);
    for (int s = 0; s < 4; ++s) {
        score.State[s]->addItem(QString(30, QLatin1Char('-')));
        score.State[s]->addItem(QStringLiteral(" "));
    }
    t.SpecialResult = std::any_of(c.handResult.begin(), c.handResult.end(),
                                  [](const auto& items) { return items[Item::Shapes] == kSpecialShape; });
    for (int s = 0; s < 4; ++s) {
        const QString unit = Unit(c, s);
        const double handScore = t.HandScore[s];
        PlayerInfo& player = c.playerInfo[s];
        player.Money = std::max(0.0, player.Money + handScore);
        CountWinOrLoss(c, s);
        player.Points += handScore;
        if (player.Points < 0) player.Points = 1;
        f.Cash[s]->SetCaption(NumberText(player.Money) + unit);
        QListWidget& lines = *score.State[s];
        lines.addItem(QStringLiteral("胡牌总分：%1").arg(c.seatInfo[s].WinTotal) + unit);
        lines.addItem(QString());
        const QString finalLine = QStringLiteral("最终分：") + NumberText(handScore) + unit;
        score.State[s + 4]->addItem(finalLine);
        hero.Grade[s]->addItem(PadRight(NumberText(handScore), 9) + unit);
        hero.sumScore[s]->setText(NumberText(t.TotalScore[s]) + unit);
        // The tax line only labels the result; the server has already taxed it.
        if (t.NoTaxFlag != 0)
            lines.addItem(QString());
        else
            lines.addItem(handScore > 0 ? QStringLiteral("扣税：3%") : QStringLiteral(" "));
        lines.addItem(finalLine);
    }
    if (!f.IsMinimized()) score.show();
    OpenBetweenHands(c, t.AutoPlay ? kAutoPlayCountdown : kHandCountdown);
    SaveHandHistory(c, t.HandNumber);
}

void ShowDrawnHand(Client& c) {
    ScoreWindow& score = c.Score();
    HeroWindow& hero = c.Hero();
    c.table.InGame = false;
    hero.Num->addItem(PadRight(QString::number(c.table.HandNumber), 12));
    for (int s = 0; s < 4; ++s) {
        SetForeColor(*score.ID[s], QColor(255, 0, 0));
        SetForeColor(*score.State[s], Qt::black);
        score.State[s]->addItem(QStringLiteral("      黄  庄"));
        score.State[s + 4]->addItem(QStringLiteral("最终分：0金币"));
        hero.Grade[s]->addItem(PadRight(QStringLiteral("0"), 9) + QStringLiteral("金币"));
    }
    if (!c.window.BossKey) score.show();
    // The countdown rewrites the ticker, which may then say that the hand was not stored.
    OpenBetweenHands(c, kHandCountdown);
    SaveHandHistory(c, c.table.HandNumber);
}
