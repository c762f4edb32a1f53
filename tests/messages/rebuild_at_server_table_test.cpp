#include "wire/GamePacket.h"
#include "wire/General.h"
#include "dravik-server/HandTable.h"
#include "dravik-server/ServerPackets.h"
#include "table/TilePictures.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "support/VirtualTimers.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <deque>
#include <functional>
#include <numeric>

// The client at seat bit 1 of the local server's table, on a link the test
// cuts at chosen points of a hand, or that the server cuts when the client
// stands still past its time: the server plays the seat meanwhile, and when
// the client is back its rebuilt table must be the server's table.
namespace {
using Time = HandTable::Time;
constexpr int kWallTiles = 136;
// Packets reaching the client per tick, as a network hands them over.
constexpr int kPacketsPerTick = 1;
constexpr int kMaxTicks = 60000;
constexpr double kTickSeconds = 0.05;

HandTableSettings ServerSettings() {
    HandTableSettings settings;
    settings.turnSeconds = 3;
    settings.answerMargin = Time(3000);
    // The server plays the seat of a client that is away at this pace, so
    // that the hand is still on when the client is back a few seconds later.
    settings.computerMoveDelay = Time(1000);
    return settings;
}

int TypeOf(const QByteArray& packet) { return uint8_t(packet[2]) << 8 | uint8_t(packet[3]); }

struct ServerTableLink {
    void StartHand(quint32 seed) {
        table.emplace(ServerSettings(), seed, [this](int seat, const GamePacket& p) {
            if (seat == 0 && connected) toClient.push_back(ToByteArray(p));
        }, [](const QString&) {});
        table->SetTimeUp([this](int seat) {
            if (seat == 0) CutOff();
        });
        SeatAtScriptedTable(t, 1);
        t->table.AutoPlay = true;
        table->SetClientSeat(0, true);
        table->StartHand(Now());
    }

    Time Now() const { return Time(int64_t((t.clock->now - 1000.0) * 1000)); }

    // One tick of the client and of the server. A frozen client neither
    // ticks nor takes anything in; time goes on, and what the server sends
    // waits on the way.
    void Step() {
        if (frozen) {
            t.clock->now += kTickSeconds;
            table->Advance(Now());
            return;
        }
        for (int k = 0; k < kPacketsPerTick && !toClient.empty(); ++k) {
            if (TypeOf(toClient.front()) == MessageType::DealTiles) ++dealPassesDelivered;
            t.Deliver(toClient.front());
            toClient.pop_front();
        }
        if (closeWhenDelivered && toClient.empty()) {
            closeWhenDelivered = false;
            emit t.socket->PeerClosed();
        }
        timers.RunSeconds(kTickSeconds);
        ForwardClientPackets();
        if (!holdServer) table->Advance(Now());
    }

    void RunUntil(const std::function<bool()>& done) {
        for (int tick = 0; tick < kMaxTicks; ++tick) {
            if (done()) return;
            Step();
        }
        FAIL() << "the hand got stuck";
    }

    void ForwardClientPackets() {
        const auto& sent = t.Sent();
        for (; forwarded < sent.size(); ++forwarded) {
            const QByteArray& bytes = sent[forwarded];
            if (bytes.size() != kPacketSize) continue;
            const int type = TypeOf(bytes);
            if (type == MessageType::Reconnect) {
                Reconnect();
            } else if (connected && (type == MessageType::Discard || type == MessageType::ClaimAnswer)) {
                GamePacket packet{};
                std::copy(bytes.begin(), bytes.end(), packet.begin());
                const QString refused = table->Receive(0, packet, Now());
                if (!refused.isEmpty()) refusals << refused;
            }
        }
    }

    // The link goes; what was on its way is lost, and the server plays the seat.
    void Drop() {
        connected = false;
        toClient.clear();
        table->SetClientSeat(0, false);
        emit t.socket->PeerClosed();
    }

    // The server closes the link: the client takes in what was already on
    // its way, then finds the link closed.
    void CutOff() {
        connected = false;
        closeWhenDelivered = true;
    }

    // The server takes the client back and rebuilds its table; it makes no
    // move until the test has compared the two tables.
    void Reconnect() {
        connected = true;
        toClient.push_back(ToByteArray(ReconnectReplyPacket(true, {})));
        holdServer = true;
        table->Rejoin(0, Now());
    }

    void ExpectTheServersTable() {
        const Client& c = *t;
        int tilesLaid = 0;
        for (int seat = 0; seat < 4; ++seat) {
            const Rules::Hand& hand = table->Hands()[size_t(seat)];
            const int local = LocalSeatOf(1, uint8_t(1 << seat));
            const SeatInfo& info = c.seatInfo[local];
            int meldTiles = 0;
            for (const Rules::Meld& meld : hand.melds)
                meldTiles += meld.kind == Rules::kPung && !meld.upgraded ? 3 : meld.kind == Rules::kChow ? 3 : 4;
            EXPECT_EQ(info.ConcealedCount, int(hand.concealed.size())) << "seat bit " << (1 << seat);
            EXPECT_EQ(info.FirstConcealed - 4, meldTiles) << "seat bit " << (1 << seat);
            EXPECT_EQ(info.RedKongCount, hand.redDragonsAside) << "seat bit " << (1 << seat);
            EXPECT_EQ(info.WildKongCount, hand.wildTilesAside) << "seat bit " << (1 << seat);
            tilesLaid += int(hand.concealed.size()) + meldTiles + hand.redDragonsAside + hand.wildTilesAside +
                         int(table->Discards()[size_t(seat)].size());
        }
        std::vector<int> own, server(table->Hands()[0].concealed.begin(), table->Hands()[0].concealed.end());
        const SeatInfo& ownSeat = c.seatInfo[0];
        for (int k = ownSeat.FirstConcealed; k < ownSeat.FirstConcealed + ownSeat.ConcealedCount; ++k)
            own.push_back(ownSeat.Slots[size_t(k)].Tile);
        std::sort(own.begin(), own.end());
        std::sort(server.begin(), server.end());
        EXPECT_EQ(own, server) << "the own hand";
        // Every tile out of the wall, the indicator and every discard took an image of its own.
        EXPECT_EQ(c.table.RebuildWallOffset, tilesLaid + 1);

        // The wall from the new front to the back end stands face down, as
        // many tiles as the server's wall holds.
        const int backEnd = c.table.WallBack + (c.table.RebuildParam3 % 2 == 1 ? 1 : 0);
        const int wall = (backEnd - c.table.WallFront + kWallTiles) % kWallTiles + 1;
        EXPECT_EQ(wall, int(table->WallLeft().size()));
        for (int k = 0; k < wall; ++k) {
            const int p = (c.table.WallFront + k) % kWallTiles;
            EXPECT_TRUE(c.mainForm->MJ_Image[p]->isVisible()) << p;
            EXPECT_EQ(c.table.TileImagePictures[p], FaceDownPicture(p / 34)) << p;
        }
    }

    bool ClientCaughtUp() {
        return toClient.empty() && t->transport.ReceiveRead == t->transport.ReceiveWrite;
    }

    // Cuts the link once `dropNow` holds, takes the client back, checks its
    // rebuilt table right after the last rebuild message and plays on to the
    // hand's end. False when the hand ended before the drop or while the
    // client was away.
    bool DropAndComeBack(const std::function<bool()>& dropNow) {
        RunUntil([&] { return dropNow() || table->HandEnded(); });
        if (table->HandEnded()) return false;
        Drop();
        return ComeBackAndPlayOn();
    }

    // Runs until the client is back and rebuilt, checks its table and plays
    // on to the hand's end. False when the hand ended before the client was back.
    bool ComeBackAndPlayOn() {
        const auto rebuilt = [&] { return t->table.TableRebuilt && t->table.RebuildMsgCount == 0; };
        RunUntil([&] { return rebuilt() || (table->HandEnded() && !holdServer); });
        if (!rebuilt()) return false;
        ExpectTheServersTable();
        holdServer = false;
        RunUntil([&] { return table->HandEnded() && ClientCaughtUp(); });
        EXPECT_TRUE(refusals.isEmpty()) << refusals.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(t->window.ResultPending) << "the client has the hand's result";
        return true;
    }

    TestClient t;
    VirtualTimers timers{t};
    std::optional<HandTable> table;
    std::deque<QByteArray> toClient;
    size_t forwarded = 0;
    bool connected = true;
    bool closeWhenDelivered = false;
    bool frozen = false;
    bool holdServer = false;
    int dealPassesDelivered = 0;
    QStringList refusals;
};

TEST(RebuildAtTheServersTable, ADropDuringTheDealIsRebuiltAsTheServerDealtOn) {
    ServerTableLink link;
    link.StartHand(7);
    EXPECT_TRUE(link.DropAndComeBack([&] { return link.dealPassesDelivered == 6; }));
}

// Plays hands of one seed after another until one reaches the drop point.
void DropInTheFirstHandThatReaches(const std::function<bool(const HandTable&)>& dropNow) {
    for (quint32 seed = 1; seed < 40; ++seed) {
        ServerTableLink link;
        link.StartHand(seed);
        if (link.DropAndComeBack([&] { return dropNow(*link.table); })) return;
    }
    FAIL() << "no hand reached the drop point";
}

TEST(RebuildAtTheServersTable, ADropInAClaimWindowIsRebuiltAndThePlayGoesOn) {
    DropInTheFirstHandThatReaches([](const HandTable& table) {
        return table.CurrentPhase() == HandTable::Phase::Claims && table.OpenOffer(0) > 0;
    });
}

// With wild tiles the hands here end with 40 to 80 tiles still in the wall.
TEST(RebuildAtTheServersTable, ADropLateInTheHandIsRebuiltWithTheWallThatIsLeftAndSettled) {
    DropInTheFirstHandThatReaches(
        [](const HandTable& table) { return table.HandRunning() && table.WallLeft().size() <= 50; });
}

TEST(RebuildAtTheServersTable, ADropAfterAKongIsRebuiltWithItsReplacementTile) {
    DropInTheFirstHandThatReaches([](const HandTable& table) {
        for (const Rules::Hand& hand : table.Hands())
            for (const Rules::Meld& meld : hand.melds)
                if (meld.kind != Rules::kChow && (meld.kind != Rules::kPung || meld.upgraded)) return table.HandRunning();
        return false;
    });
}
// A client that stands still on its own turn (its process stopped) past the
// turn time and the server's margin is cut off rather than moved for: a
// discard of its own seat would be taken for the echo of its own click and
// leave the tile in its hand. Once it moves again it works through what was
// sent before the cut, finds the link closed, comes back to the table as the
// server played it meanwhile and plays the hand to its end.
TEST(RebuildAtTheServersTable, AClientFrozenPastItsTurnIsCutOffAndRebuiltAsTheServerPlayedOn) {
    for (quint32 seed = 1; seed < 40; ++seed) {
        ServerTableLink link;
        link.StartHand(seed);
        link.RunUntil([&] {
            return link.table->HandEnded() ||
                   (link.table->CurrentPhase() == HandTable::Phase::Turn && link.table->TurnSeat() == 0);
        });
        if (link.table->HandEnded()) continue;
        link.frozen = true;
        const size_t waitingBefore = link.toClient.size();
        link.RunUntil([&] { return !link.connected || link.table->HandEnded(); });
        ASSERT_FALSE(link.connected) << "the server cut the client off";
        EXPECT_FALSE(link.table->IsClientSeat(0));
        const auto ownDiscard = [](const QByteArray& packet) {
            return TypeOf(packet) == MessageType::TileDiscarded && uint8_t(packet[6]) == 1;
        };
        EXPECT_TRUE(std::none_of(link.toClient.begin() + long(waitingBefore), link.toClient.end(), ownDiscard))
            << "no discard made for the client reaches it";
        link.frozen = false;
        EXPECT_TRUE(link.ComeBackAndPlayOn());
        return;
    }
    FAIL() << "no hand reached a turn of the client";
}
}  // namespace
