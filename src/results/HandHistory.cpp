#include "results/HandHistory.h"
#include "wire/IniFile.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "table/SideWindows.h"
#include "table/Ticker.h"
#include <QFile>

namespace {
constexpr int kLists = 8;
constexpr int kFinalLists = 4;
// The final-score line is "最终分：" + the result + the unit "金币" or "金条".
constexpr int kFinalLabelLength = 4;
constexpr int kUnitLength = 2;
// The line counts were 16-bit numbers; anything else was not written by us.
constexpr int kMaxLines = 32767;

QString Section(int16_t handNumber) { return QStringLiteral("juNum:%1").arg(handNumber); }
QString CountKey(int list) { return QStringLiteral("count( %1 )").arg(list); }
QString LineKey(int list, int line) { return QStringLiteral("count( %1 )( %2 )").arg(list).arg(line); }

classIniFile HistoryFile(const Client& c) {
    classIniFile ini;
    ini.SetINIFileName(HandHistoryPath(c));
    return ini;
}

// A missing or clipped final line shows no win.
bool ShowsGain(const QString& finalLine) {
    if (finalLine.size() <= kFinalLabelLength + kUnitLength) return false;
    return finalLine.mid(kFinalLabelLength, finalLine.size() - kFinalLabelLength - kUnitLength).toDouble() > 0;
}

void ColourNames(ScoreWindow& score, const QStringList& finalLines) {
    for (int s = 0; s < 4; ++s) {
        SetForeColor(*score.State[s], Qt::black);
        SetForeColor(*score.ID[s], QColor(0, 255, 0));
    }
    for (int s = 0; s < kFinalLists; ++s)
        if (ShowsGain(finalLines[s])) SetForeColor(*score.ID[s], QColor(255, 0, 0));
}

// Makes the list exactly n lines long, new lines holding one blank.
void ResizeList(QListWidget& list, int n) {
    while (list.count() < n) list.addItem(QStringLiteral(" "));
    while (list.count() > n) delete list.takeItem(list.count() - 1);
}

// False when a file is left behind.
bool RemoveHistoryFile(const Client& c) {
    QFile history(HandHistoryPath(c));
    return !history.exists() || history.remove();
}

// What is in the file is not this seating's, or what the seating plays
// does not get there: the file is left alone from now on.
void SkipHandHistory(Client& c) {
    c.table.HandHistorySkipped = true;
    if (c.table.HandHistoryNoticeShown) return;
    c.table.HandHistoryNoticeShown = true;
    AddSystemMessage(c, QStringLiteral("牌局记录无法保存，以往牌局不能回看。"));
}
}  // namespace

QString HandHistoryPath(const Client& c) { return c.platform.paths.Resolve(QStringLiteral("\\info.Jokro")); }

void SaveHandHistory(Client& c, int16_t handNumber) {
    if (c.table.HandHistorySkipped) return;
    ScoreWindow& score = c.Score();
    QList<std::pair<QString, QString>> keys;
    for (int i = 0; i < kLists; ++i) {
        const QListWidget& list = *score.State[i];
        keys.append({CountKey(i), QString::number(list.count())});
        for (int j = 0; j < list.count(); ++j) keys.append({LineKey(i, j), list.item(j)->text()});
    }
    if (!HistoryFile(c).WriteIniKeys(Section(handNumber), keys)) SkipHandHistory(c);
}

void LoadHandHistory(Client& c, int16_t handNumber) {
    if (handNumber == 0 || c.table.HandHistorySkipped) return;
    ScoreWindow& score = c.Score();
    const IniSection hand = HistoryFile(c).GetIniSection(Section(handNumber));
    QStringList finalLines;
    for (int i = kLists - kFinalLists; i < kLists; ++i) finalLines << hand.Value(LineKey(i, 0));
    ColourNames(score, finalLines);

    for (int i = 0; i < kLists; ++i) {
        bool whole = false;
        const int n = hand.Value(CountKey(i)).toInt(&whole);
        if (!whole || n < 0 || n > kMaxLines) return;
        QListWidget& list = *score.State[i];
        ResizeList(list, n);
        for (int j = 0; j < n; ++j) {
            const QString line = hand.Value(LineKey(i, j));
            list.item(j)->setText(line.isEmpty() ? QStringLiteral(" ") : line);
        }
    }
}

void StartHandHistory(Client& c) {
    c.table.HandHistorySkipped = false;
    if (!RemoveHistoryFile(c)) SkipHandHistory(c);
}

void DropHandHistory(Client& c) {
    c.table.HandHistorySkipped = !RemoveHistoryFile(c);
    c.table.HandHistoryNoticeShown = false;
}
