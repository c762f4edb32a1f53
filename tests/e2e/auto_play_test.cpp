// Clients in auto-play mode play whole hands at the real server by
// themselves, and the server takes every move they make.
#include "wire/LobbyWindowLink.h"
#include "AutoPlayTable.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace {
// The index of the first line that matches, -1 when none does.
qsizetype FirstMatch(const QStringList& lines, const QString& pattern) {
    const QRegularExpression expression(pattern);
    const auto found = std::find_if(lines.begin(), lines.end(),
                                    [&](const QString& line) { return expression.match(line).hasMatch(); });
    return found == lines.end() ? -1 : found - lines.begin();
}

class AutoPlay : public ::testing::Test, protected AutoPlayTable {
protected:
    // The server with a turn time of 1 s and no limit on time-outs in a row:
    // every auto-play move is made when a countdown runs out, so a limit would
    // make the client hide its table. Then `clients` auto-play clients, which
    // take the seats in the order they log in.
    void Start(int seed, int clients) {
        server.start(DRAVIK_SERVER_BINARY, {"--port", "0", "--turn-seconds", "1", "--move-ms", "100",
                                            "--timeout-limit", "0", "--seed", QString::number(seed)});
        ASSERT_TRUE(server.waitForStarted(10000));
        const quint16 port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        for (int number = 1; number <= clients; ++number) players.push_back(std::make_unique<AutoPlayer>(number, port));
    }

    // Every client is seated; every discard and claim answer it sent was
    // taken as a move; none was refused, the server never had to move for a
    // client, and every client is still running.
    void ExpectEveryClientMoveTaken() {
        const std::map<int, int> seats = log.ClientSeats();
        std::set<int> seatBits;
        for (const auto& [id, bit] : seats) seatBits.insert(bit);
        EXPECT_EQ(seats.size(), players.size()) << Everything();
        EXPECT_EQ(seatBits.size(), players.size()) << Everything();
        for (const auto& [id, bit] : seats) {
            SCOPED_TRACE(QStringLiteral("connection %1 at seat bit %2").arg(id).arg(bit).toStdString());
            EXPECT_GT(log.MovesSent(id), 3);
            EXPECT_EQ(log.MovesTaken(bit), log.MovesSent(id)) << Everything();
        }
        EXPECT_EQ(log.Matching(QRegularExpression("^(reject|timeout) ")), QStringList()) << Everything();
        for (const auto& player : players) {
            EXPECT_FALSE(player->table.WaitForExit(100)) << Everything();
            // It reported to the lobby its command line names: logged in, and the wall built.
            const std::vector<uint32_t> messages = player->lobby.Messages();
            for (const uint32_t expected : {LobbyMessage::Connected, LobbyMessage::WallBuilt})
                EXPECT_NE(std::find(messages.begin(), messages.end(), expected), messages.end()) << expected;
        }
    }
};
}  // namespace

TEST_F(AutoPlay, FourClientsPlayAWholeHandAgainstEachOtherAndEveryMoveIsTaken) {
    // With this seed the clients claim chows and pungs of each other's
    // discards and one of them wins on a discard; the course may vary with
    // the clients' timing, and nothing below depends on it.
    ASSERT_NO_FATAL_FAILURE(Start(8, 4));

    // Nobody presses start: the server starts the hand once the table has
    // been full for its waiting time.
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 start "), 40000)) << Everything();
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand 1 (end|aborted)"), 200000)) << Everything();
    EXPECT_TRUE(log.Lines().back().startsWith("hand 1 end")) << Everything();
    ExpectEveryClientMoveTaken();
}

TEST_F(AutoPlay, OneClientPlaysThreeHandsAgainstTheComputersAndReadiesItselfBetweenThem) {
    // With this seed the client claims pungs and a chow and wins two of the
    // three hands, all of which end in a win.
    ASSERT_NO_FATAL_FAILURE(Start(7, 1));

    ASSERT_TRUE(log.WaitFor(QRegularExpression("^hand (3 end|\\d+ aborted)"), 240000)) << Everything();
    EXPECT_TRUE(log.Lines().back().startsWith("hand 3 end")) << Everything();
    ExpectEveryClientMoveTaken();

    // Each later hand started on the client's ready message, sent when its
    // between-hands countdown ran out, not on the server's waiting time.
    const int id = log.ClientSeats().begin()->first;
    const QRegularExpression ready(QStringLiteral("^recv %1 type=16 .* params=0,0,0,1 ").arg(id));
    for (int hand = 2; hand <= 3; ++hand) {
        SCOPED_TRACE(hand);
        const qsizetype ended = FirstMatch(log.Lines(), QStringLiteral("^hand %1 end ").arg(hand - 1));
        const qsizetype started = FirstMatch(log.Lines(), QStringLiteral("^hand %1 start ").arg(hand));
        ASSERT_GE(ended, 0);
        ASSERT_GT(started, ended);
        const QStringList between = log.Lines().mid(ended, started - ended);
        EXPECT_EQ(between.filter(ready).size(), 1) << Everything();
    }
}
