// The real client plays a whole hand at the real server, its own moves all
// made by its time-out move, and the server's log shows every one of them
// taken.
#include "support/EventLoopWait.h"
#include "support/TableProcess.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);

// The server's log, line by line, as it comes.
class ServerLog {
public:
    explicit ServerLog(QProcess& server) : server_(server) {}
    // Waits until a line matches; every line read is kept.
    bool WaitFor(const QRegularExpression& pattern, int timeoutMs) {
        return WaitUntil([&] {
            while (server_.canReadLine()) {
                lines_ << QString::fromUtf8(server_.readLine()).trimmed();
                if (pattern.match(lines_.back()).hasMatch()) return true;
            }
            return false;
        }, timeoutMs);
    }
    QStringList Matching(const QRegularExpression& pattern) const { return lines_.filter(pattern); }
    const QStringList& Lines() const { return lines_; }

private:
    QProcess& server_;
    QStringList lines_;
};
}  // namespace

TEST(ServerHand, TheClientPlaysAWholeHandOnItsTimeOutsAndEveryMoveItSendsIsTaken) {
    QProcess server;
    server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "1", "--move-ms", "100", "--seed", "3"});
    ASSERT_TRUE(server.waitForStarted(10000));
    ServerLog log(server);
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^listening on \\d+$"), 10000));
    const quint16 port = quint16(log.Lines().back().mid(13).toUInt());

    QTemporaryDir runtime;
    LobbyRecorder lobby(runtime.path(), QStringLiteral("Jokro山庄"));
    TableProcess table(kTableBinary, runtime.path());
    table.Start({DirectCommandLine(port)});

    // The client is ready when its between-hands countdown of 15 s runs out.
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 30000))
        << log.Lines().join('\n').toStdString() << table.Stderr().toStdString();
    const bool ended = log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 240000);
    const QString everything = log.Lines().join('\n');
    ASSERT_TRUE(ended) << everything.toStdString() << table.Stderr().toStdString();
    EXPECT_TRUE(log.Lines().back().startsWith("hand 1 end")) << log.Lines().back().toStdString();

    // The client holds seat bit 1. Every discard and claim answer it sent was
    // taken as a move; none was refused and the server never had to move for it.
    const QStringList sent = log.Matching(QRegularExpression("^recv 1 type=(2|7) "));
    const QStringList moves = log.Matching(QRegularExpression("^move 1 "));
    EXPECT_GT(sent.size(), 3);
    EXPECT_EQ(moves.size(), sent.size()) << everything.toStdString();
    EXPECT_TRUE(log.Matching(QRegularExpression("^(reject|timeout)")).isEmpty()) << everything.toStdString();
    EXPECT_FALSE(table.WaitForExit(100)) << table.Stderr().toStdString();
    server.kill();
    server.waitForFinished(5000);
}
