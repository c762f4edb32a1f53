// Two players with the test picture for a camera sit at the real server,
// whose relay links their video: each sees the other's moving picture in the
// panel of the other's seat, switching that seat's video off stops its
// picture while its frames still come, and a photo of it is written. A
// connection to the relay that breaks is made again, and the video comes back.
#include "CuttableRelay.h"
#include "support/EventLoopWait.h"
#include "support/ServerLog.h"
#include "support/TableProcess.h"
#include "support/XDisplay.h"
#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace {
const QString kTableBinary = QStringLiteral(DRAVIK_TABLE_BINARY);
// The remote seats' video panels on the 1024 x 768 table (local seats 1 to 3),
// and the left of their command bars, whose icons stand 32 pixels apart.
const QRect kPanels[] = {{}, {0, 3, 126, 105}, {342, 3, 126, 105}, {685, 3, 126, 105}};
const int kBarLefts[] = {0, 126, 468, 811};
constexpr int kBarTop = 88;
enum RemoteIcon { SwitchOff = 0, Photo = 2 };

int SeatIndex(int seatBit) { return seatBit == 1 ? 0 : seatBit == 2 ? 1 : seatBit == 4 ? 2 : 3; }

// One player: a client on a display of its own, with its own lobby.
struct Player {
    Player(const QString& account, const QString& xvfb) : account(account) { started = display.Start(xvfb); }
    QString account;
    XDisplay display;
    bool started = false;
    QTemporaryDir runtime;
    LobbyRecorder lobby{runtime.path(), QStringLiteral("Jokro山庄")};
    TableProcess table{kTableBinary, runtime.path()};
};

class WebcamVideo : public ::testing::Test {
protected:
    void SetUp() override {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        import = QStandardPaths::findExecutable(QStringLiteral("import"));
        if (xvfb.isEmpty() || xdotool.isEmpty() || import.isEmpty())
            GTEST_SKIP() << "needs Xvfb, xdotool and ImageMagick's import (scripts/install-deps.sh)";
        server.start(QStringLiteral(DRAVIK_SERVER_BINARY),
                     {"--port", "0", "--relay-port", "0", "--turn-seconds", "1", "--move-ms", "100", "--timeout-limit", "0"});
        ASSERT_TRUE(server.waitForStarted(10000));
        port = log.WaitForPort(10000);
        ASSERT_NE(port, 0);
        const quint16 relay = log.WaitForRelayPort(10000);
        ASSERT_NE(relay, 0) << Everything();
        relayPort = QString::number(relay);
        for (const QString& account : {QStringLiteral("alice"), QStringLiteral("bob")}) {
            players.push_back(std::make_unique<Player>(account, xvfb));
            ASSERT_TRUE(players.back()->started);
        }
    }
    void TearDown() override {
        server.kill();
        server.waitForFinished(5000);
    }

    void Seat(Player& player) {
        player.table.UseDisplay(player.display.Name());
        player.table.SetEnvironment(QStringLiteral("DRAVIK_TEST_CAMERA"), QStringLiteral("1"));
        player.table.SetEnvironment(QStringLiteral("DRAVIK_RELAY_PORT"), relayPort);
        player.table.Start({DirectCommandLine(port, player.account)});
        ASSERT_TRUE(log.WaitFor(QRegularExpression(QStringLiteral("^seat \\d+ account=%1 ").arg(player.account)), 20000))
            << Everything();
    }

    // The local seat at which `viewer` sees `other`.
    int LocalSeat(const Player& viewer, const Player& other) const {
        return (SeatIndex(SeatBitOf(viewer)) - SeatIndex(SeatBitOf(other)) + 4) % 4;
    }
    int SeatBitOf(const Player& player) const {
        const QRegularExpression seat(QStringLiteral("^seat \\d+ account=%1 bit=(\\d+)").arg(player.account));
        return seat.match(log.Matching(seat).value(0)).captured(1).toInt();
    }

    // Waits until `count` more frames have gone from one player to the other.
    bool WaitForFrames(const Player& from, const Player& to, qsizetype count) {
        const QRegularExpression frames(QStringLiteral("^relay data %1 %2 frame [1-9]").arg(from.account, to.account));
        return log.WaitForCount(frames, log.Matching(frames).size() + count, 30000);
    }

    // A panel's inside, away from its edges, as the player's screen shows it now.
    QImage PanelPicture(const Player& player, int seat) const {
        return player.display.Screenshot(import).copy(kPanels[seat].adjusted(8, 8, -8, -8));
    }
    // Whether the panel's picture changes while `from` sends `to` a few more frames.
    bool PanelMoves(Player& viewer, int seat, Player& sender) {
        const QImage before = PanelPicture(viewer, seat);
        if (before.isNull() || !WaitForFrames(sender, viewer, 5)) return false;
        const QImage after = PanelPicture(viewer, seat);
        return !after.isNull() && after != before;
    }
    // The right end of a seat's command bar, where no icon lies, as the player's screen shows it now.
    QImage BarEnd(const Player& player, int seat) const {
        return player.display.Screenshot(import).copy(QRect(kBarLefts[seat] + 126, kBarTop + 2, 16, 12));
    }
    bool ClickRemoteIcon(Player& player, int seat, RemoteIcon icon) {
        const int x = kBarLefts[seat] + 8 + 32 * icon + 8, y = kBarTop + 7;
        return player.display.Run(xdotool, {"mousemove", QString::number(x), QString::number(y), "click", "1"}).has_value();
    }

    std::string Everything() const {
        QString text = log.Lines().filter(QRegularExpression("^(?!relay data)")).join('\n');
        for (const auto& player : players) text += QStringLiteral("\n--- %1:\n").arg(player->account) + player->table.Stderr();
        return text.toStdString();
    }

    QString xdotool, import, relayPort;
    QProcess server;
    ServerLog log{server};
    quint16 port = 0;
    std::vector<std::unique_ptr<Player>> players;
};

TEST_F(WebcamVideo, EachPlayerSeesTheOthersPictureCanSwitchItOffAndTakesAPhotoOfIt) {
    Player& alice = *players[0];
    Player& bob = *players[1];
    Seat(alice);
    Seat(bob);
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^relay link (alice bob|bob alice)$"), 30000)) << Everything();
    ASSERT_TRUE(WaitForFrames(alice, bob, 3)) << Everything();
    ASSERT_TRUE(WaitForFrames(bob, alice, 3)) << Everything();

    const int bobAtAlice = LocalSeat(alice, bob), aliceAtBob = LocalSeat(bob, alice);
    ASSERT_NE(bobAtAlice, 0);
    for (auto [viewer, sender, seat] : {std::tuple{&alice, &bob, bobAtAlice}, std::tuple{&bob, &alice, aliceAtBob}}) {
        SCOPED_TRACE(viewer->account.toStdString());
        EXPECT_TRUE(WaitUntil([&] { return PanelMoves(*viewer, seat, *sender); }, 30000)) << Everything();
        // The seats of the server's computer players have no video.
        for (int other = 1; other <= 3; ++other) {
            if (other == seat) continue;
            EXPECT_FALSE(PanelMoves(*viewer, other, *sender)) << "panel " << other;
        }
    }

    const QImage barEnd = BarEnd(alice, bobAtAlice);
    ASSERT_FALSE(barEnd.isNull());
    ASSERT_TRUE(ClickRemoteIcon(alice, bobAtAlice, SwitchOff));
    // The click is handled when the client gets to it: once the bar has gone,
    // the seat is switched off, and no frame is drawn from then on.
    ASSERT_TRUE(WaitUntil([&] {
        const QImage now = BarEnd(alice, bobAtAlice);
        return !now.isNull() && now != barEnd;
    }, 30000)) << Everything();
    // Bob's frames still come, but his panel stands still.
    ASSERT_TRUE(WaitForFrames(bob, alice, 5)) << Everything();
    EXPECT_FALSE(PanelMoves(alice, bobAtAlice, bob)) << Everything();

    ASSERT_TRUE(ClickRemoteIcon(bob, aliceAtBob, Photo));
    const QDir photos(bob.table.ProgramDir() + QStringLiteral("/photo"));
    ASSERT_TRUE(WaitUntil([&] { return !photos.entryList({"*.bmp"}, QDir::Files).isEmpty(); }, 10000)) << Everything();
    // The photo is a BMP picture of the frame as it came from our camera.
    const QImage photo(photos.filePath(photos.entryList({"*.bmp"}, QDir::Files).first()), "BMP");
    EXPECT_EQ(photo.size(), QSize(320, 240));
}

TEST_F(WebcamVideo, TheVideoComesBackAfterTheConnectionToTheRelayBreaks) {
    Player& alice = *players[0];
    Player& bob = *players[1];
    CuttableRelay network(relayPort.toUShort());
    relayPort = QString::number(network.Port());
    Seat(alice);
    Seat(bob);
    const QRegularExpression linked("^relay link (alice bob|bob alice)$");
    ASSERT_TRUE(log.WaitFor(linked, 30000)) << Everything();
    ASSERT_TRUE(WaitForFrames(alice, bob, 3)) << Everything();

    ASSERT_EQ(network.Cut(), 2);
    ASSERT_TRUE(log.WaitForCount(QRegularExpression("^relay close (alice|bob)$"), 2, 30000)) << Everything();
    // Both log in again by themselves and ask for their links anew.
    ASSERT_TRUE(log.WaitForCount(linked, 2, 60000)) << Everything();
    ASSERT_TRUE(WaitForFrames(alice, bob, 3)) << Everything();
    ASSERT_TRUE(WaitForFrames(bob, alice, 3)) << Everything();
    EXPECT_TRUE(WaitUntil([&] { return PanelMoves(alice, LocalSeat(alice, bob), bob); }, 30000)) << Everything();
}
}  // namespace
