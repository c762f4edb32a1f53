#include "results/FanLines.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"

namespace {
namespace Item = ResultItem;

constexpr int kWinner = 1;
constexpr int kDealtIn = 1;
constexpr int kSelfDrawn = 2;
constexpr int kLoserBlankLines = 16;
const QString P9(9, QLatin1Char(' '));
const QString P11(11, QLatin1Char(' '));

// The eight pattern slots of a winner; a slot without a pattern is an empty line.
std::array<QString, 8> PatternSlots(const SeatResultItems& n) {
    std::array<QString, 8> slot;
    switch (n[Item::Suits] % 16) {
    case 4: slot[0] = QStringLiteral("七小对") + P9 + QStringLiteral("20番"); break;
    case 2: slot[0] = QStringLiteral("对对胡") + P9 + QStringLiteral("5番"); break;
    }
    switch (n[Item::Suits] / 16) {
    case 4: slot[1] = QStringLiteral("风一色") + P9 + QStringLiteral("50番"); break;
    case 2: slot[1] = QStringLiteral("混一色") + P9 + QStringLiteral("5番"); break;
    case 1: slot[1] = QStringLiteral("清一色") + P9 + QStringLiteral("20番"); break;
    }
    if (n[Item::Shapes] & 1) slot[2] = QStringLiteral("大吊车") + P9 + QStringLiteral("10番");
    if (n[Item::Shapes] & 2) slot[3] = QStringLiteral("不动手") + P9 + QStringLiteral("5番");
    switch (n[Item::Shapes] / 16) {
    case 2: slot[4] = QStringLiteral("六连") + P11 + QStringLiteral("5番"); break;
    case 4: slot[4] = QStringLiteral("六连X2") + P9 + QStringLiteral("10番"); break;
    case 1: slot[4] = QStringLiteral("一条龙") + P9 + QStringLiteral("15番"); break;
    }
    if (n[Item::Waits] & 1) slot[5] = QStringLiteral("枯支压") + P9 + QStringLiteral("10番");
    if (n[Item::Waits] & 2) slot[6] = QStringLiteral("压档") + P11 + QStringLiteral("1番");
    switch (n[Item::Waits] / 16) {
    case 2: slot[7] = QStringLiteral("平摸") + P11 + QStringLiteral("5番"); break;
    case 1: slot[7] = QStringLiteral("挖摸") + P11 + QStringLiteral("10番"); break;
    }
    return slot;
}

// Items 10 to 16: label, the count's unit, fan per count; 支番 stands alone.
struct CountLine {
    const char16_t* label;
    const char16_t* unit;
    int fanEach;
};
constexpr CountLine kCountLines[] = {
    {u"四合     ", u"个   ", 5}, {u"支番", nullptr, 0},         {u"双铺     ", u"个   ", 5},
    {u"明杠     ", u"次   ", 2}, {u"暗杠     ", u"次   ", 4}, {u"三张在手 ", u"个   ", 2},
    {u"三张碰出 ", u"个   ", 1},
};

void AppendWinnerLines(QListWidget& list, const SeatResultItems& n) {
    for (const QString& slot : PatternSlots(n)) list.addItem(slot);
    for (int k = Item::FirstTong; k <= Item::LastTong; ++k)
        if (n[k] != 0) list.addItem(QStringLiteral("%1通            %1番").arg(n[k]));
    for (int k = Item::SiHe; k <= Item::PongedThree; ++k) {
        const CountLine& line = kCountLines[k - Item::SiHe];
        const QString label = QString::fromUtf16(line.label);
        if (k == Item::ZhiFan)
            list.addItem(label + P11 + QStringLiteral("%1番").arg(n[k]));
        else if (n[k] == 0)
            list.addItem(QString());
        else
            list.addItem(label + QStringLiteral("%1%2%3番").arg(n[k]).arg(QString::fromUtf16(line.unit)).arg(line.fanEach * n[k]));
    }
    list.addItem(n[Item::KongWin] != 0 ? QStringLiteral("杠开") + P11 + QStringLiteral("5番") : QString());
    if (n[Item::WinKind] == kSelfDrawn)
        list.addItem(QStringLiteral("自摸     × 2"));
    else if (n[Item::RobbedKong] != 0)
        list.addItem(QStringLiteral("抢杠") + P11 + QStringLiteral("5番"));
    else
        list.addItem(QStringLiteral("吃炮"));
}

// The highest seat with a 通 item decides how many lines every loser skips.
int LastTongSeat(const HandResult& result) {
    for (int s = 3; s >= 0; --s)
        for (int k = Item::FirstTong; k <= Item::LastTong; ++k)
            if (result[s][k] != 0) return s;
    return -1;
}

// A total above 16 bits stays whole: it is computed in 32.
QString TotalLine(const SeatResultItems& n) {
    const int32_t total = n[Item::FanHigh] * 256 + n[Item::FanLow];
    if (total <= 0) return QStringLiteral("总番数：       %1番").arg(total);
    const QChar sign = n[Item::FanSign] == 2 ? QLatin1Char('-') : QLatin1Char(' ');
    return QStringLiteral("总番数：      %1%2番").arg(sign).arg(total);
}
}  // namespace

void ShowFanDetails(Client& c) {
    ScoreWindow& score = c.Score();
    const HandResult& result = c.handResult;
    const int tongSeat = LastTongSeat(result);
    for (int s = 0; s < 4; ++s) {
        QListWidget& list = *score.State[s];
        if (result[s][Item::Outcome] == kWinner) {
            AppendWinnerLines(list, result[s]);
            continue;
        }
        int blanks = kLoserBlankLines;
        if (tongSeat >= 0)
            for (int k = Item::FirstTong; k <= Item::LastTong; ++k) blanks += result[tongSeat][k] != 0;
        for (int i = 0; i < blanks; ++i) list.addItem(QString());
    }
    for (int s = 0; s < 4; ++s) {
        if (result[s][Item::WinKind] == kDealtIn)
            score.State[s]->addItem(QStringLiteral("点炮"));
        else if (result[s][Item::Outcome] != kWinner)
            score.State[s]->addItem(QString());
    }
    for (int s = 0; s < 4; ++s) {
        score.State[s]->addItem(TotalLine(result[s]));
        score.State[s]->addItem(QString(26, QLatin1Char('-')));
    }
}
