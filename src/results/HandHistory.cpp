#include "results/HandHistory.h"
#include "connection/IniFile.h"
#include "results/ScoreWindow.h"
#include "shared/Client.h"
#include "window/SideWindows.h"
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
}  // namespace

QString HandHistoryPath(const Client& c) { return c.platform.paths.Resolve(QStringLiteral("\\info.Jokro")); }

void SaveHandHistory(Client& c, int16_t handNumber) {
    ScoreWindow& score = c.Score();
    QList<std::pair<QString, QString>> keys;
    for (int i = 0; i < kLists; ++i) {
        const QListWidget& list = *score.State[i];
        keys.append({CountKey(i), QString::number(list.count())});
        for (int j = 0; j < list.count(); ++j) keys.append({LineKey(i, j), list.item(j)->text()});
    }
    HistoryFile(c).WriteIniKeys(Section(handNumber), keys);
}

void LoadHandHistory(Client& c, int16_t handNumber) {
    if (handNumber == 0) return;
    ScoreWindow& score = c.Score();
    const classIniFile ini = HistoryFile(c);
    const QString section = Section(handNumber);
    QStringList finalLineKeys;
    for (int i = kLists - kFinalLists; i < kLists; ++i) finalLineKeys << LineKey(i, 0);
    ColourNames(score, ini.GetIniKeys(section, finalLineKeys));

    QStringList countKeys;
    for (int i = 0; i < kLists; ++i) countKeys << CountKey(i);
    const QStringList counts = ini.GetIniKeys(section, countKeys);
    for (int i = 0; i < kLists; ++i) {
        bool whole = false;
        const int n = counts[i].toInt(&whole);
        if (!whole || n < 0 || n > kMaxLines) return;
        QStringList lineKeys;
        for (int j = 0; j < n; ++j) lineKeys << LineKey(i, j);
        const QStringList lines = ini.GetIniKeys(section, lineKeys);
        QListWidget& list = *score.State[i];
        ResizeList(list, n);
        for (int j = 0; j < n; ++j) list.item(j)->setText(lines[j].isEmpty() ? QStringLiteral(" ") : lines[j]);
    }
}

bool DeleteHandHistory(const Client& c) {
    QFile history(HandHistoryPath(c));
    return !history.exists() || history.remove();
}
