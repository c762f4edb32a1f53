// The client's two INI files at sizes a long evening or a careless editor
// reaches: the quick phrases read when the phrase window opens, and the
// hand history loaded by the score button and written after every hand.
#include "platform/AnsiCodec.h"
#include "results/HandHistory.h"
#include "results/ScoreWindow.h"
#include "support/TestClient.h"
#include "window/PhraseFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

// A phrase file of n text phrases and as many voice phrases.
QByteArray PhraseFile(int n) {
    QString text;
    for (const char* section : {"Phrase1", "Phrase2"}) {
        text += QStringLiteral("[%1]\r\nnum=%2\r\n").arg(QLatin1String(section)).arg(n);
        for (int i = 1; i <= n; ++i) text += QStringLiteral("%1=快点出牌吧，第%1句\r\n").arg(i);
    }
    return AnsiCodec::ToAnsi(text);
}

void ReadQuickPhrases(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chat.ini"));
    WriteFile(path, PhraseFile(int(state.range(0))));
    for (auto _ : state) {
        const QStringList phrases = ReadPhrases(path, QStringLiteral("Phrase2"));
        if (phrases.size() != state.range(0)) state.SkipWithError("phrases missing");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadQuickPhrases)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The eight score-board lists of a settled hand: a winner, a seat that paid
// and two that did not, as the settlement fills them.
std::array<QStringList, 8> OrdinaryHand() {
    const QString p9(9, QLatin1Char(' ')), p11(11, QLatin1Char(' '));
    const QString room = QStringLiteral("   房间条数:  1");
    const QStringList winner{room, QStringLiteral("对对胡") + p9 + QStringLiteral("5番"), QStringLiteral("清一色") + p9 + QStringLiteral("20番"),
                             "", "", "", "", QStringLiteral("压档") + p11 + QStringLiteral("1番"), "", "",
                             QStringLiteral("支番") + p11 + QStringLiteral("2番"), "", QStringLiteral("明杠     1次   2番"), "", "", "", "",
                             QStringLiteral("吃炮"), QStringLiteral("总番数：       27番"), QString(26, '-'), QString(30, '-'), " ",
                             QStringLiteral("胡牌总分：2700金币"), "", QStringLiteral("扣税：3%"), QStringLiteral("最终分：2700金币")};
    auto loser = [&](const QString& dealtIn, const QString& total, int money) {
        QStringList lines{room};
        for (int i = 0; i < 16; ++i) lines << QString();
        lines << dealtIn << total << QString(26, '-') << QString(30, '-') << " " << QStringLiteral("胡牌总分：%1金币").arg(money) << ""
              << " " << QStringLiteral("最终分：%1金币").arg(money);
        return lines;
    };
    return {winner,
            loser("", QStringLiteral("总番数：       0番"), 0),
            loser("", QStringLiteral("总番数：       0番"), 0),
            loser(QStringLiteral("点炮"), QStringLiteral("总番数：      -27番"), -2700),
            {QStringLiteral("最终分：2700金币")},
            {QStringLiteral("最终分：0金币")},
            {QStringLiteral("最终分：0金币")},
            {QStringLiteral("最终分：-2700金币")}};
}

// The section of one hand, key for key as the history file holds it.
QString HandSection(int hand, const std::array<QStringList, 8>& lists) {
    QString text = QStringLiteral("[juNum:%1]\r\n").arg(hand);
    for (int i = 0; i < 8; ++i) {
        text += QStringLiteral("count( %1 )=%2\r\n").arg(i).arg(lists[size_t(i)].size());
        for (int j = 0; j < lists[size_t(i)].size(); ++j)
            text += QStringLiteral("count( %1 )( %2 )=%3\r\n").arg(i).arg(j).arg(lists[size_t(i)][j]);
    }
    return text;
}

QByteArray History(int hands) {
    const std::array<QStringList, 8> hand = OrdinaryHand();
    QString text;
    for (int h = 1; h <= hands; ++h) text += HandSection(h, hand);
    return AnsiCodec::ToAnsi(text);
}

constexpr int kLongEvening = 5000;

// The score button on the last of 5,000 hands (and the hand list on the first).
void LoadHandFromLongHistory(benchmark::State& state) {
    TestClient t;
    const QByteArray history = History(kLongEvening);
    WriteFile(HandHistoryPath(*t), history);
    const auto hand = int16_t(state.range(0));
    for (auto _ : state) {
        LoadHandHistory(*t, hand);
        if (t->Score().State[0]->count() != OrdinaryHand()[0].size()) state.SkipWithError("hand not loaded");
        t->Score().State[0]->clear();
    }
    state.counters["file_MB"] = double(history.size()) / 1e6;
}
BENCHMARK(LoadHandFromLongHistory)->Arg(1)->Arg(kLongEvening)->Unit(benchmark::kMillisecond);

// The hand after 5,000 others is written; the file is put back before each.
void SaveHandAfterLongHistory(benchmark::State& state) {
    TestClient t;
    const QByteArray history = History(kLongEvening);
    const std::array<QStringList, 8> hand = OrdinaryHand();
    for (int i = 0; i < 8; ++i) t->Score().State[i]->addItems(hand[size_t(i)]);
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(HandHistoryPath(*t), history);
        state.ResumeTiming();
        SaveHandHistory(*t, kLongEvening + 1);
    }
    QFile written(HandHistoryPath(*t));
    if (written.size() <= history.size()) state.SkipWithError("hand not saved");
}
BENCHMARK(SaveHandAfterLongHistory)->Unit(benchmark::kMillisecond);

// One hand whose first list holds as many lines as a list can count.
void LoadHandOfLongestList(benchmark::State& state) {
    TestClient t;
    std::array<QStringList, 8> hand = OrdinaryHand();
    for (int j = hand[0].size(); j < 32767; ++j) hand[0] << QStringLiteral("line %1").arg(j);
    WriteFile(HandHistoryPath(*t), AnsiCodec::ToAnsi(HandSection(1, hand)));
    for (auto _ : state) {
        LoadHandHistory(*t, 1);
        if (t->Score().State[0]->count() != 32767) state.SkipWithError("hand not loaded");
        state.PauseTiming();
        t->Score().State[0]->clear();
        state.ResumeTiming();
    }
}
BENCHMARK(LoadHandOfLongestList)->Unit(benchmark::kMillisecond);
}  // namespace
