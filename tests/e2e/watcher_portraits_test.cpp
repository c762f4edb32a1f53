// A spectator's client on an X display watches a player at the real server:
// each of its four seats shows the portrait of the player sitting there, and
// no seat shows another's.
#include "AutoPlayer.h"
#include "ServerWithDisplay.h"
#include "support/EventLoopWait.h"
#include <QTemporaryDir>
#include <array>

namespace {
class WatcherPortraits : public ServerWithDisplay {
protected:
    void SetUp() override {
        Start({QStringLiteral("import")}, {"--turn-seconds", "1", "--move-ms", "100", "--timeout-limit", "0", "--seed",
                                           "5", "--watchers", "watcher"});
    }

    std::string Everything() const {
        return (log.Lines().join('\n') + QStringLiteral("\n--- spectator stderr:\n") + watcher.Stderr()).toStdString();
    }

    QTemporaryDir watcherRuntime;
    LobbyRecorder watcherLobby{watcherRuntime.path(), QStringLiteral("Jokro山庄")};
    TableProcess watcher{QStringLiteral(DRAVIK_TABLE_BINARY), watcherRuntime.path()};
};

TEST_F(WatcherPortraits, EverySeatShowsThePortraitOfThePlayerSittingThere) {
    // robot1 takes seat bit 1 (user id 100001); the computers hold the others.
    AutoPlayer player(1, port);
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^seat \\d+ account=robot1 bit=1$"), 20000)) << Everything();
    watcher.UseDisplay(display.Name());
    watcher.Start({QStringLiteral("watcher$pw$127.0.0.1$%1$北京$100001").arg(port)});
    ASSERT_TRUE(log.WaitFor(QRegularExpression("^watch \\d+ account=watcher"), 20000)) << Everything();

    // Watched, at the bottom: robot1, "m1". Left: seat bit 8, computer1, "w3",
    // the last record, shown by the player's rule. Opposite: bit 4,
    // computer2, "m2". Right: bit 2, computer3, "m3". A spectator reads one
    // digit of a portrait code: with "m10" on the right it showed robot1's portrait there.
    const std::array<int, 4> expected{0, 12, 1, 2};
    std::array<int, 4> shown{};
    EXPECT_TRUE(WaitUntil([&] {
        for (int seat = 0; seat < 4; ++seat) shown[seat] = PortraitAt(seat);
        return shown == expected;
    }, 60000)) << "portraits shown " << shown[0] << ", " << shown[1] << ", " << shown[2] << ", " << shown[3] << "\n"
               << Everything();
}
}  // namespace
