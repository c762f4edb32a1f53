// The real client plays a whole hand at the real server, its own moves all
// made by its time-out move, and the server's log shows every one of them
// taken.
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include <map>
#include <numeric>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);

// One section of an INI file: its keys in the order they stand, and their
// values without surrounding blanks, as the client reads them back.
struct IniSection {
    QStringList keys;
    std::map<QString, QString> values;
};
using IniFile = std::map<QString, IniSection>;

// The file as it lies on disk: GBK text, "[section]" lines, "key=value" lines.
IniFile ReadGbkIni(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QStringDecoder("GBK").decode(file.readAll());
    IniFile sections;
    IniSection* section = nullptr;
    for (const QString& line : text.split(QRegularExpression("\\r?\\n"))) {
        if (line.startsWith('[') && line.endsWith(']')) {
            section = &sections[line.mid(1, line.size() - 2)];
        } else if (section && line.contains('=')) {
            const QString key = line.section('=', 0, 0);
            section->keys << key;
            section->values[key] = line.section('=', 1).trimmed();
        }
    }
    return sections;
}

QString ListKey(int list) { return QStringLiteral("count( %1 )").arg(list); }
QString LineKey(int list, int line) { return ListKey(list) + QStringLiteral("( %1 )").arg(line); }

// The lines of one score-board list as the section holds them.
QStringList ListLines(const IniSection& section, int list) {
    QStringList lines;
    const auto count = section.values.find(ListKey(list));
    if (count == section.values.end()) return lines;
    for (int line = 0; line < count->second.toInt(); ++line) {
        const auto value = section.values.find(LineKey(list, line));
        lines << (value == section.values.end() ? QStringLiteral("<missing>") : value->second);
    }
    return lines;
}

QString Describe(const IniFile& file) {
    QString text;
    for (const auto& [name, section] : file) {
        text += '[' + name + "]\n";
        for (const QString& key : section.keys) text += key + '=' + section.values.at(key) + '\n';
    }
    return text;
}

// The real server and the real client, which logs in and takes seat bit 1.
class ServerHand : public ::testing::Test {
protected:
    // Starts the server on a free port with a turn time of 1 s, then the client.
    void Start(int moveMs, int seed) {
        server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "1", "--move-ms", QString::number(moveMs),
                                            "--seed", QString::number(seed)});
        ASSERT_TRUE(server.waitForStarted(10000));
        const quint16 port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        table.Start({DirectCommandLine(port)});
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }

    QProcess server;
    ServerLog log{server};
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), QStringLiteral("Jokro山庄")};
    TableProcess table{kTableBinary, runtime.path()};
};
}  // namespace

TEST_F(ServerHand, TheClientPlaysAWholeHandOnItsTimeOutsAndEveryMoveItSendsIsTaken) {
    ASSERT_NO_FATAL_FAILURE(Start(100, 3));

    // The client is ready when its between-hands countdown of 15 s runs out.
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 30000))
        << log.Lines().join('\n').toStdString() << table.Stderr().toStdString();
    const bool ended = log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 240000);
    const QString everything = log.Lines().join('\n');
    ASSERT_TRUE(ended) << everything.toStdString() << table.Stderr().toStdString();
    EXPECT_TRUE(log.Lines().back().startsWith("hand 1 end")) << log.Lines().back().toStdString();

    // The client holds seat bit 1. Every discard and claim answer it sent was
    // taken as a move; none was refused and the server never had to move for it.
    EXPECT_GT(log.MovesSent(1), 3);
    EXPECT_EQ(log.MovesTaken(1), log.MovesSent(1)) << everything.toStdString();
    EXPECT_TRUE(log.Matching(QRegularExpression("^(reject|timeout)")).isEmpty()) << everything.toStdString();
    EXPECT_FALSE(table.WaitForExit(100)) << table.Stderr().toStdString();
}

// The client settles a hand the server ended, keeps it in its hand-history
// file, and is ready for the next hand, which starts at once.
TEST_F(ServerHand, TheHandsResultGoesIntoTheHistoryFileAndTheNextHandStartsOnceTheClientIsReady) {
    ASSERT_NO_FATAL_FAILURE(Start(20, 11));
    const QString historyPath = table.ProgramDir() + QStringLiteral("/info.Jokro");

    const bool ended = log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 240000);
    ASSERT_TRUE(ended) << log.Lines().join('\n').toStdString() << table.Stderr().toStdString();
    const QRegularExpressionMatch end =
        QRegularExpression("^hand 1 end (drawn|winner=(\\d+) money=(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+))$")
            .match(log.Lines().back());
    ASSERT_TRUE(end.hasMatch()) << log.Lines().back().toStdString();

    // The client at seat bit 1 sees seat bit 8 as its local seat 1, 4 as 2 and 2 as 3.
    const bool drawn = end.captured(1) == QStringLiteral("drawn");
    std::array<qint64, 4> money{};  // by local seat
    int winner = -1;                // local seat
    for (int k = 0; k < 4 && !drawn; ++k) {
        money[size_t((4 - k) % 4)] = end.captured(3 + k).toLongLong();
        if (end.captured(2).toInt() == 1 << k) winner = (4 - k) % 4;
    }

    // The seat lists 0-3 and the final-score lists 4-7 of the score board, the
    // last key written being the final score of local seat 3.
    IniFile history;
    const bool saved = WaitUntil([&] {
        history = ReadGbkIni(historyPath);
        return history.count("juNum:1") && history["juNum:1"].values.count(LineKey(7, 0));
    }, 30000);
    ASSERT_TRUE(saved) << Describe(history).toStdString() << table.Stderr().toStdString();
    ASSERT_EQ(history.size(), 1u) << Describe(history).toStdString();
    const IniSection& hand = history.at("juNum:1");
    QStringList expectedKeys;
    for (int list = 0; list < 8; ++list) {
        expectedKeys << ListKey(list);
        for (int line = 0; line < hand.values.at(ListKey(list)).toInt(); ++line) expectedKeys << LineKey(list, line);
    }
    EXPECT_EQ(hand.keys, expectedKeys) << Describe(history).toStdString();

    const int payers = int(std::count_if(money.begin(), money.end(), [](qint64 m) { return m < 0; }));
    for (int seat = 0; seat < 4; ++seat) {
        SCOPED_TRACE(seat);
        const QString finalScore = QStringLiteral("最终分：%1金币").arg(money[size_t(seat)]);
        EXPECT_EQ(ListLines(hand, seat + 4), QStringList{finalScore});
        const QStringList lines = ListLines(hand, seat);
        if (drawn) {
            EXPECT_EQ(lines, QStringList{QStringLiteral("黄  庄")});
            continue;
        }
        ASSERT_GT(lines.size(), 2);
        EXPECT_EQ(lines.front(), QStringLiteral("房间条数:  1"));
        EXPECT_EQ(lines.back(), finalScore);
        EXPECT_TRUE(lines.contains(QStringLiteral("胡牌总分：%1金币").arg(money[size_t(seat)])));
        EXPECT_EQ(lines.contains(QStringLiteral("点炮")), payers == 1 && money[size_t(seat)] < 0);
        if (seat == winner) {
            EXPECT_TRUE(lines.contains(payers == 3 ? QStringLiteral("自摸     × 2") : QStringLiteral("吃炮")));
        }
    }
    EXPECT_EQ(std::accumulate(money.begin(), money.end(), qint64(0)), 0);

    // Ready once the between-hands countdown has run out; the computers are
    // always ready, so the next hand starts at once.
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^recv 1 type=16 .* params=0,0,0,1 "), 30000))
        << log.Lines().join('\n').toStdString() << table.Stderr().toStdString();
    QElapsedTimer sinceReady;
    sinceReady.start();
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 2 start "), 20000)) << log.Lines().join('\n').toStdString();
    EXPECT_LT(sinceReady.elapsed(), 1000);
    EXPECT_FALSE(table.WaitForExit(100)) << table.Stderr().toStdString();
}
