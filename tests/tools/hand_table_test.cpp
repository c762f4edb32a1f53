#include "dravik-server/HandTable.h"
#include "wire/General.h"
#include "shared/GameMessage.h"
#include "support/ClientTimeOutMoves.h"
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <algorithm>
#include <numeric>
#include <set>

namespace {
using Rules::Tile;
using Time = HandTable::Time;

HandTableSettings Instant() {
    HandTableSettings settings;
    settings.turnSeconds = 2;
    settings.answerMargin = Time(1000);
    settings.computerMoveDelay = Time(0);
    return settings;
}

GamePacket Packet(int type, uint8_t seatBit, std::array<int, 4> params) {
    GameMessage message;
    message.MsgType = int16_t(type);
    message.SeatBit = seatBit;
    for (size_t k = 0; k < 4; ++k) message.Param[k] = int16_t(params[k]);
    return EncodeGamePacket(message);
}

GamePacket DiscardOf(int seat, Tile tile) { return Packet(MessageType::Discard, uint8_t(1 << seat), {0, 0, 0, 0x4000 | tile}); }

// A table whose sent packets, watched packets and log lines are kept.
struct Table {
    explicit Table(quint32 seed, HandTableSettings settings = Instant())
        : table(settings, seed, [this](int seat, const GamePacket& packet) { sent.push_back({seat, packet}); },
                [this](const QString& line) { log << line; }) {
        table.SetWatch([this](const GamePacket& packet) { watched.push_back(packet); });
    }
    std::vector<std::pair<int, GamePacket>> sent;
    std::vector<GamePacket> watched;
    QStringList log;
    HandTable table;
};

// The concealed tile codes of a rebuild packet, sorted.
std::vector<Tile> ConcealedCodes(const GamePacket& packet) {
    std::vector<Tile> tiles;
    for (int pair = 0; pair < 24; ++pair)
        if ((packet[size_t(16 + 2 * pair)] & 0xF0) == 0x10) tiles.push_back(packet[size_t(17 + 2 * pair)]);
    std::sort(tiles.begin(), tiles.end());
    return tiles;
}

std::vector<Tile> Sorted(std::vector<Tile> tiles) {
    std::sort(tiles.begin(), tiles.end());
    return tiles;
}

// Every tile in exactly one place: hands, melds, tiles laid aside, discards,
// the wall and the indicator.
std::vector<Tile> EveryTile(const HandTable& table) {
    std::vector<Tile> tiles = table.WallLeft();
    tiles.push_back(table.Indicator());
    for (int seat = 0; seat < 4; ++seat) {
        const Rules::Hand& hand = table.Hands()[seat];
        tiles.insert(tiles.end(), hand.concealed.begin(), hand.concealed.end());
        for (const Rules::Meld& meld : hand.melds) {
            tiles.insert(tiles.end(), meld.tiles.begin(), meld.tiles.end());
            if (meld.kind == Rules::kExposedKong || meld.kind == Rules::kConcealedKong || meld.upgraded)
                tiles.push_back(meld.tiles[0]);
        }
        tiles.insert(tiles.end(), size_t(hand.redDragonsAside), Rules::kRedDragon);
        tiles.insert(tiles.end(), size_t(hand.wildTilesAside), table.Wild());
        tiles.insert(tiles.end(), table.Discards()[seat].begin(), table.Discards()[seat].end());
    }
    std::sort(tiles.begin(), tiles.end());
    return tiles;
}

std::vector<Tile> SortedAllTiles() {
    std::vector<Tile> tiles = Rules::AllTiles();
    std::sort(tiles.begin(), tiles.end());
    return tiles;
}

TEST(HandTableTest, ComputerHandsRunToTheirEndKeepingEveryTileAndTheMoney) {
    const std::vector<Tile> all = SortedAllTiles();
    int wins = 0;
    for (quint32 seed = 1; seed <= 200; ++seed) {
        Table t(seed);
        for (int hand = 0; hand < 3; ++hand) {
            t.table.StartHand(Time(0));
            ASSERT_EQ(EveryTile(t.table), all) << "seed " << seed << " after the deal";
            for (int step = 0; step < 1000 && !t.table.HandEnded(); ++step) {
                t.table.Advance(Time(step));
                ASSERT_EQ(EveryTile(t.table), all) << "seed " << seed << " step " << step;
            }
            ASSERT_TRUE(t.table.HandEnded()) << "seed " << seed;
            const auto& settlement = t.table.Settlement();
            EXPECT_EQ(std::accumulate(settlement.begin(), settlement.end(), int64_t(0),
                                      [](int64_t sum, const SeatSettlement& s) { return sum + s.money; }),
                      0);
            if (t.table.Winner() >= 0) {
                ++wins;
                EXPECT_EQ(t.log.last(), QStringLiteral("hand %1 end winner=%2 money=%3,%4,%5,%6")
                                            .arg(hand + 1)
                                            .arg(1 << t.table.Winner())
                                            .arg(settlement[0].money)
                                            .arg(settlement[1].money)
                                            .arg(settlement[2].money)
                                            .arg(settlement[3].money));
            } else {
                EXPECT_TRUE(t.table.WallLeft().empty()) << "a drawn hand has used the whole wall";
                EXPECT_EQ(t.log.last(), QStringLiteral("hand %1 end drawn").arg(hand + 1));
            }
        }
        EXPECT_TRUE(t.sent.empty()) << "nothing goes to computer seats";
    }
    EXPECT_GT(wins, 0);
}

// A client seat 0 answered by scripted packets: each illegal one is refused
// and changes nothing.
TEST(HandTableTest, RefusesIllegalMovesOfAClientSeatWithoutChangingAnything) {
    Table t(7);
    t.table.SetClientSeat(0, true);
    t.table.StartHand(Time(0));  // seat 0 deals and holds 14 tiles
    ASSERT_EQ(t.table.CurrentPhase(), HandTable::Phase::Turn);
    ASSERT_EQ(t.table.TurnSeat(), 0);
    const std::vector<Tile> hand = t.table.Hands()[0].concealed;
    Tile notHeld = 0x11;
    while (std::count(hand.begin(), hand.end(), notHeld)) ++notHeld;

    const std::vector<std::pair<const char*, GamePacket>> illegal = {
        {"a tile not held", DiscardOf(0, notHeld)},
        {"a foreign seat bit", DiscardOf(1, hand[0])},
        {"no discard marker", Packet(MessageType::Discard, 1, {0, 0, 0, hand[0]})},
        {"a claim not offered", Packet(MessageType::ClaimAnswer, 1, {8, 0x2000 | hand[0], 0x2000 | hand[0], 0x2000 | hand[0]})},
        {"two operations at once", Packet(MessageType::ClaimAnswer, 1, {1 | 128, 0, 0, 0})},
        {"an unknown type", Packet(99, 1, {0, 0, 0, 0})},
    };
    for (const auto& [what, packet] : illegal) {
        EXPECT_FALSE(t.table.Receive(0, packet, Time(10)).isEmpty()) << what;
        EXPECT_EQ(t.table.Hands()[0].concealed, hand) << what;
        EXPECT_EQ(t.table.TurnSeat(), 0) << what;
        EXPECT_EQ(t.table.CurrentPhase(), HandTable::Phase::Turn) << what;
    }
    EXPECT_FALSE(t.log.join('\n').contains("move 1 ")) << t.log.join('\n').toStdString();

    // The client's own time-out move: a pass, then its last tile.
    EXPECT_EQ(t.table.Receive(0, Packet(MessageType::ClaimAnswer, 1, {1, 0, 0, 0}), Time(10)), "");
    EXPECT_FALSE(t.table.Receive(0, Packet(MessageType::ClaimAnswer, 1, {1, 0, 0, 0}), Time(10)).isEmpty());
    EXPECT_EQ(t.table.Receive(0, DiscardOf(0, hand.back()), Time(10)), "");
    EXPECT_TRUE(t.log.contains(QStringLiteral("move 1 discard %1").arg(int(hand.back()), 2, 16, QChar('0'))));
    // Out of turn now.
    EXPECT_FALSE(t.table.Receive(0, DiscardOf(0, t.table.Hands()[0].concealed[0]), Time(10)).isEmpty());
}

// A client's turn is its own until its turn time and the margin have run
// out, counted from when it has worked through the deal; then the computer
// moves for the seat.
TEST(HandTableTest, TakesOverAClientTurnOnlyAfterItsTimeAndMargin) {
    Table t(11);
    t.table.SetClientSeat(0, true);
    t.table.StartHand(Time(0));
    ASSERT_EQ(t.table.TurnSeat(), 0);
    const std::optional<Time> deadline = t.table.NextDeadline();
    ASSERT_TRUE(deadline.has_value());
    // The client still works through the wall, the dice and the deal first.
    EXPECT_GE(*deadline, Time(4000 + 2000 + 1000));
    const size_t handSize = t.table.Hands()[0].concealed.size();
    t.table.Advance(*deadline - Time(1));
    EXPECT_EQ(t.table.Hands()[0].concealed.size(), handSize);
    EXPECT_TRUE(t.table.Discards()[0].empty());
    t.table.Advance(*deadline);
    EXPECT_TRUE(t.log.contains("timeout 1"));
    EXPECT_TRUE(t.log.join('\n').contains("move 1 discard ")) << t.log.join('\n').toStdString();
}

// The four rebuild packets of a running hand: one per seat bit, the other
// seats' concealed tiles hidden, the own ones shown; a watcher's show every
// seat's. A returning seat gets the hand's set-up first: the dealer, the
// totals of the two throws of its start, the wild tile and its indicator.
TEST(HandTableTest, RebuildsTheHandInProgressForAReturningSeatAndForAWatcher) {
    HandTableSettings paced = Instant();
    paced.computerMoveDelay = Time(100);
    Table t(5, paced);
    t.table.StartHand(Time(0));
    t.table.Advance(Time(1000));
    ASSERT_TRUE(t.table.HandRunning());
    ASSERT_GT(t.table.Discards()[0].size() + t.table.Discards()[1].size(), 0u);
    const std::vector<GamePacket> packets = t.table.RebuildPackets(2);
    const std::vector<GamePacket> watched = t.table.WatcherRebuildPackets();
    ASSERT_EQ(packets.size(), 4u);
    ASSERT_EQ(watched.size(), 4u);
    for (int seat = 0; seat < 4; ++seat) {
        const GamePacket& packet = packets[size_t(seat)];
        EXPECT_EQ(packet[3], MessageType::TableRebuild);
        EXPECT_EQ(packet[6], 1 << seat);
        EXPECT_EQ(packet[7], t.table.Discards()[seat].size());
        const std::vector<Tile> hand = Sorted(t.table.Hands()[seat].concealed);
        EXPECT_EQ(ConcealedCodes(packet), seat == 2 ? hand : std::vector<Tile>(hand.size(), 0)) << "seat " << seat;
        EXPECT_EQ(ConcealedCodes(watched[size_t(seat)]), hand) << "seat " << seat;
        // Only the concealed codes differ.
        for (size_t k = 0; k < packet.size(); ++k)
            if (k < 16 || k >= 64 || (packet[k - (k % 2)] & 0xF0) != 0x10) {
                EXPECT_EQ(packet[k], watched[size_t(seat)][k]) << "seat " << seat << " byte " << k;
            }
    }

    t.table.SetClientSeat(2, false);
    t.sent.clear();
    t.table.Rejoin(2, Time(0));
    EXPECT_TRUE(t.table.IsClientSeat(2));
    ASSERT_GE(t.sent.size(), 5u);
    const GameMessage setup = DecodeGamePacketFull(t.sent[0].second.data());
    const GameMessage start = DecodeGamePacketFull(std::find_if(t.watched.begin(), t.watched.end(), [](const GamePacket& p) {
                                                       return p[3] == MessageType::HandStart;
                                                   })->data());
    EXPECT_EQ(setup.MsgType, MessageType::HandSetup);
    EXPECT_EQ(setup.SeatBit, 1 << t.table.Dealer());
    EXPECT_EQ(setup.Param, (std::array<int16_t, 4>{int16_t(start.Param[0] + start.Param[1]),
                                                   int16_t(start.Param[2] + start.Param[3]), t.table.Wild(),
                                                   t.table.Indicator()}));
    EXPECT_EQ(t.sent[0].second, t.table.SetupPacket());
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(t.sent[k + 1].second, packets[k]);
    EXPECT_TRUE(std::all_of(t.sent.begin(), t.sent.end(), [](const auto& s) { return s.first == 2; }));
}

// A watcher is shown everything every seat is shown, in the same order, but
// the prompts: each tile dealt or drawn with its code, whoever takes it. It
// holds nothing up, and it sees the hand to its end even when no client
// plays.
TEST(HandTableTest, AWatcherSeesTheWholeHandWithEveryTileButNoPrompt) {
    for (const bool withClient : {true, false}) {
        SCOPED_TRACE(withClient);
        Table t(13);
        t.table.SetClientSeat(0, withClient);
        t.table.StartHand(Time(0));
        Time end(0);
        for (; end < Time(600000) && !t.table.HandEnded(); end += Time(100)) {
            ASSERT_EQ(MakeTimeOutMoves(t.table, end), QStringList());
            t.table.Advance(end);
        }
        ASSERT_TRUE(t.table.HandEnded());

        std::vector<GameMessage> expected;
        for (const auto& [seat, packet] : t.sent)
            if (packet[3] != MessageType::ActionPrompt) expected.push_back(DecodeGamePacketFull(packet.data()));
        EXPECT_EQ(expected.size() < t.sent.size(), withClient) << "the client was prompted";
        std::vector<Tile> draws;
        size_t dealtTiles = 0;
        ASSERT_FALSE(t.watched.empty());
        for (size_t k = 0; k < t.watched.size(); ++k) {
            const GameMessage m = DecodeGamePacketFull(t.watched[k].data());
            EXPECT_NE(m.MsgType, MessageType::ActionPrompt);
            if (m.MsgType == MessageType::DealTiles)
                dealtTiles += size_t(std::count_if(m.Param.begin(), m.Param.end(), [](int16_t tile) { return tile != 0; }));
            if (m.MsgType == MessageType::TileDrawn) draws.push_back(Tile(m.Param[3]));
            if (!withClient) continue;
            ASSERT_LT(k, expected.size());
            EXPECT_EQ(m.MsgType, expected[k].MsgType) << k;
            EXPECT_EQ(m.SeatBit, expected[k].SeatBit) << k;
            // Seat 0's own tiles and all other packets are the same as its client's.
            if (m.SeatBit == 1 || (m.MsgType != MessageType::DealTiles && m.MsgType != MessageType::TileDrawn)) {
                EXPECT_EQ(m.Param, expected[k].Param) << k;
            }
        }
        if (withClient) {
            EXPECT_EQ(t.watched.size(), expected.size());
        }
        EXPECT_EQ(dealtTiles, 4u * 12);
        std::vector<Tile> logged;
        const QRegularExpression draw(QStringLiteral("^draw \\d+ ([0-9a-f]{2})$"));
        for (const QString& line : t.log)
            if (const QRegularExpressionMatch match = draw.match(line); match.hasMatch())
                logged.push_back(Tile(match.captured(1).toInt(nullptr, 16)));
        // The five tiles that end the deal are drawn without a log line.
        ASSERT_EQ(draws.size(), logged.size() + 5);
        EXPECT_TRUE(std::all_of(draws.begin(), draws.begin() + 5, [](Tile tile) { return tile != 0; }));
        EXPECT_EQ(std::vector<Tile>(draws.begin() + 5, draws.end()), logged);
        const GameMessage last = DecodeGamePacketFull(t.watched.back().data());
        EXPECT_TRUE(last.MsgType == MessageType::ResultDetail || last.MsgType == MessageType::SeatResult);
        if (!withClient) {
            EXPECT_EQ(t.table.ClientsCaughtUp(end), end) << "a watcher holds nothing up";
        }
    }
}
}  // namespace

namespace {
int Claimed(int tile) { return 0x2000 | tile; }

// The answer the client sends for an offered claim on `discard`, built as
// its claim buttons build it; none when the offer holds no pung or chow.
std::optional<GamePacket> ClientClaim(const std::vector<Tile>& hand, int offered, Tile discard) {
    const auto holds = [&](int tile) { return std::count(hand.begin(), hand.end(), Tile(tile)) > 0; };
    if (offered & Rules::kPung)
        return Packet(MessageType::ClaimAnswer, 1, {Rules::kPung, Claimed(discard), Claimed(discard), Claimed(discard)});
    if (offered & Rules::kChow)
        for (const auto& [low, high] : {std::pair{-2, -1}, {-1, 1}, {1, 2}})
            if (holds(discard + low) && holds(discard + high))
                return Packet(MessageType::ClaimAnswer, 1,
                              {Rules::kChow, Claimed(discard + low), Claimed(discard + high), Claimed(discard)});
    return std::nullopt;
}
}  // namespace

// A client seat that claims as the client's buttons answer gets its pung and
// its chow, announced to it, and then discards after the claim.
TEST(HandTableTest, TakesAClientSeatsPungAndChowAnsweredAsTheClientAnswers) {
    std::set<int> accepted;
    for (quint32 seed = 1; seed < 400 && accepted.size() < 2; ++seed) {
        Table t(seed);
        t.table.SetClientSeat(0, true);
        t.table.StartHand(Time(0));
        // Time moves on by a tenth of a second a step, so that the computers
        // play once the client has had time to see what it was sent.
        for (Time now(0); now < Time(600000) && !t.table.HandEnded(); now += Time(100)) {
            const int offer = t.table.OpenOffer(0);
            const std::vector<Tile>& hand = t.table.Hands()[0].concealed;
            if (offer >= 0 && t.table.CurrentPhase() == HandTable::Phase::Claims) {
                const Tile discard = t.table.Discards()[t.table.TurnSeat()].back();
                const std::optional<GamePacket> claim = ClientClaim(hand, offer, discard);
                const int op = claim ? DecodeGamePacketFull(claim->data()).Param[0] : Rules::kPass;
                const size_t sentBefore = t.sent.size();
                ASSERT_EQ(t.table.Receive(0, claim ? *claim : Packet(MessageType::ClaimAnswer, 1, {1, 0, 0, 0}), now), "")
                    << t.log.join('\n').toStdString();
                t.table.Advance(now);
                const bool announced = std::any_of(t.sent.begin() + long(sentBefore), t.sent.end(), [&](const auto& s) {
                    const GameMessage m = DecodeGamePacketFull(s.second.data());
                    return s.first == 0 && m.MsgType == MessageType::MeldMade && m.SeatBit == 1 && m.Param[0] == op;
                });
                if (claim && announced) accepted.insert(op);
            } else if (offer >= 0 && t.table.TurnSeat() == 0) {
                // The client's own turn: its time-out move, a pass and a tile it holds.
                if (offer > 0) {
                    ASSERT_EQ(t.table.Receive(0, Packet(MessageType::ClaimAnswer, 1, {1, 0, 0, 0}), now), "");
                }
                ASSERT_EQ(t.table.Receive(0, DiscardOf(0, hand.back()), now), "") << t.log.join('\n').toStdString();
            } else {
                t.table.Advance(now);
            }
        }
    }
    EXPECT_EQ(accepted, (std::set<int>{Rules::kChow, Rules::kPung}));
}

namespace {
// The packets one seat was sent, decoded.
std::vector<GameMessage> SentTo(const Table& t, int seat) {
    std::vector<GameMessage> messages;
    for (const auto& [to, packet] : t.sent)
        if (to == seat) messages.push_back(DecodeGamePacketFull(packet.data()));
    return messages;
}

bool IsDealerNamed(const GameMessage& m) { return m.MsgType == MessageType::GameAborted && m.Param[3] == 2; }
}  // namespace

// A hand opens for a player as the client needs it to sort the dealt hand:
// the dealer named, the hand started, the deal, and only then the wild tile.
// No hand set-up: it would name the wild tile before the deal (and the
// client sorts the dealt hand only while none is known) and take the start
// and chat buttons away for good.
TEST(HandTableTest, OpensAHandWithTheDealerTheStartTheDealAndThenTheWildTile) {
    Table t(9);
    t.table.SetClientSeat(2, true);
    for (int hand = 1; hand <= 2; ++hand) {
        t.sent.clear();
        t.table.StartHand(Time(0));
        const uint8_t dealerBit = uint8_t(1 << t.table.Dealer());
        const std::vector<GameMessage> sent = SentTo(t, 2);
        std::vector<int> types;
        for (const GameMessage& m : sent) types.push_back(m.MsgType);
        ASSERT_GE(sent.size(), 2u + 12 + 5 + 1) << "hand " << hand;
        EXPECT_TRUE(IsDealerNamed(sent[0])) << "hand " << hand;
        EXPECT_EQ(sent[0].SeatBit, dealerBit);
        EXPECT_EQ(sent[1].MsgType, MessageType::HandStart);
        EXPECT_EQ(sent[1].SeatBit, dealerBit);
        // Three rounds of four-tile passes, then one tile each and the dealer's
        // fourteenth, dealer first in turn order.
        std::vector<uint8_t> receivers;
        for (size_t k = 2; k < 2 + 12 + 5; ++k) {
            EXPECT_EQ(sent[k].MsgType, k < 14 ? MessageType::DealTiles : MessageType::TileDrawn) << k;
            receivers.push_back(sent[k].SeatBit);
        }
        std::vector<uint8_t> expected;
        for (int k = 0; k < 17; ++k) expected.push_back(uint8_t(1 << ((t.table.Dealer() + k % 4) % 4)));
        EXPECT_EQ(receivers, expected) << "hand " << hand;
        EXPECT_EQ(sent[19].MsgType, MessageType::WildTileSet);
        EXPECT_EQ(sent[19].Param[2], t.table.Wild());
        EXPECT_EQ(std::count(types.begin(), types.end(), int(MessageType::HandSetup)), 0) << "hand " << hand;
        EXPECT_EQ(std::count(types.begin(), types.end(), int(MessageType::WildTileSet)), 1) << "hand " << hand;
        for (Time now(0); now < Time(600000) && !t.table.HandEnded(); now += Time(100)) {
            ASSERT_EQ(MakeTimeOutMoves(t.table, now), QStringList());
            t.table.Advance(now);
        }
        ASSERT_TRUE(t.table.HandEnded());
    }
}

// The seat that plays after a seat sits on that seat's right in every
// client's view: after a discard nobody claims, the seat with the next seat
// bit (1, 2, 4, 8, 1, ...) draws, and each client, whatever its own seat, has
// that seat one place on from the discarder, counter-clockwise, as its
// left seat plays before it and its right seat after it.
TEST(HandTableTest, TheSeatAfterADiscarderIsOnItsRightInEveryView) {
    const QRegularExpression discard(QStringLiteral("^move (\\d+) discard "));
    const QRegularExpression draw(QStringLiteral("^draw (\\d+) "));
    int turns = 0;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        Table t(seed);
        t.table.StartHand(Time(0));
        for (int step = 0; step < 1000 && !t.table.HandEnded(); ++step) t.table.Advance(Time(step));
        for (qsizetype k = 0; k + 1 < t.log.size(); ++k) {
            const QRegularExpressionMatch discarded = discard.match(t.log[k]);
            const QRegularExpressionMatch drawn = draw.match(t.log[k + 1]);
            if (!discarded.hasMatch() || !drawn.hasMatch()) continue;
            const auto discarder = uint8_t(discarded.captured(1).toInt());
            const auto next = uint8_t(drawn.captured(1).toInt());
            EXPECT_EQ(next, discarder == 8 ? 1 : discarder << 1) << t.log.join('\n').toStdString();
            for (const uint8_t own : {1, 2, 4, 8})
                EXPECT_EQ(LocalSeatOf(own, next), (LocalSeatOf(own, discarder) + 3) % 4)
                    << "own " << int(own) << ": " << int(next) << " after " << int(discarder);
            ++turns;
        }
    }
    EXPECT_GT(turns, 100);
}

// The next hand may start only once the clients have taken in the last one's
// results, which they do one packet at a time; computer seats never hold it up.
TEST(HandTableTest, TheClientsCatchUpWithAHandsEndOnlyAfterTakingInItsResults) {
    for (const bool withClient : {true, false}) {
        SCOPED_TRACE(withClient);
        Table t(5);
        t.table.SetClientSeat(0, withClient);
        t.table.StartHand(Time(0));
        Time end{};
        size_t sentBefore = 0;
        for (int second = 1; second < 10000 && !t.table.HandEnded(); ++second) {
            end = Time(second * 1000);
            ASSERT_EQ(MakeTimeOutMoves(t.table, end), QStringList());
            sentBefore = t.sent.size();
            t.table.Advance(end);
        }
        ASSERT_TRUE(t.table.HandEnded());
        const Time caughtUp = t.table.ClientsCaughtUp(end);
        if (withClient) {
            // At least the revealed hands, the four totals and the four details.
            EXPECT_GE(t.sent.size() - sentBefore, 4u + 4 + 4);
            EXPECT_GE(caughtUp, end + Time(100) * int(t.sent.size() - sentBefore));
        } else {
            EXPECT_EQ(caughtUp, end);
        }
        const Time muchLater = caughtUp + Time(3600 * 1000);
        EXPECT_EQ(t.table.ClientsCaughtUp(muchLater), muchLater);
    }
}

// A client that vanishes mid-hand, at any point of it, leaves its seat to the
// computer, and the hand runs to its end.
TEST(HandTableTest, AHandRunsToItsEndWhenItsClientVanishesAtAnyPoint) {
    for (quint32 seed = 1; seed <= 20; ++seed) {
        for (const int vanishAt : {1, 5, 9, 12, 15, 20, 30}) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", vanishing after " << vanishAt << " s");
            Table t(seed);
            t.table.SetClientSeat(0, true);
            t.table.StartHand(Time(0));
            int second = 1;
            for (; second < 2000 && !t.table.HandEnded(); ++second) {
                if (second == vanishAt) t.table.SetClientSeat(0, false);
                ASSERT_EQ(MakeTimeOutMoves(t.table, Time(second * 1000)), QStringList());
                t.table.Advance(Time(second * 1000));
            }
            EXPECT_TRUE(t.table.HandEnded()) << t.log.join('\n').toStdString();
        }
    }
}

// A client that lets an answer run past its turn time and the margin has
// stopped or fallen far behind. Nothing the server could send would put it
// right (it takes a discard of its own seat for the echo of its own click), so
// the table reports the seat to be cut off and gives it to the computer,
// which moves for it at once, and the client is sent nothing more: it comes
// back through its reconnect, to a table rebuilt as the server played on.
// Nothing happens a moment before the deadline.
TEST(HandTableTest, CutsOffAClientThatLetsItsTurnOrAClaimRunOutAndTheComputerPlaysTheSeat) {
    struct Case {
        const char* prompt;
        bool (*standsStillAt)(const HandTable& table);
    };
    const Case cases[] = {
        {"its own turn",
         [](const HandTable& table) { return table.CurrentPhase() == HandTable::Phase::Turn && table.TurnSeat() == 0; }},
        {"a claim offer",
         [](const HandTable& table) { return table.CurrentPhase() == HandTable::Phase::Claims && table.OpenOffer(0) > 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        bool reached = false;
        for (quint32 seed = 1; seed <= 50 && !reached; ++seed) {
            Table t(seed);
            std::vector<int> cutOff;
            t.table.SetTimeUp([&](int seat) { cutOff.push_back(seat); });
            t.table.SetClientSeat(0, true);
            t.table.StartHand(Time(0));
            Time now(0);
            for (; now < Time(600000) && t.table.HandRunning() && !c.standsStillAt(t.table); now += Time(100)) {
                ASSERT_EQ(MakeTimeOutMoves(t.table, now), QStringList());
                t.table.Advance(now);
            }
            if (!t.table.HandRunning()) continue;
            reached = true;
            const std::optional<Time> deadline = t.table.NextDeadline();
            ASSERT_TRUE(deadline.has_value());
            t.table.Advance(*deadline - Time(1));
            EXPECT_TRUE(cutOff.empty());
            EXPECT_TRUE(t.table.IsClientSeat(0));
            ASSERT_TRUE(c.standsStillAt(t.table));

            const size_t sentBefore = t.sent.size();
            const qsizetype logBefore = t.log.size();
            t.table.Advance(*deadline);
            EXPECT_EQ(cutOff, std::vector<int>{0});
            EXPECT_FALSE(t.table.IsClientSeat(0));
            EXPECT_EQ(t.sent.size(), sentBefore) << "nothing more goes to the client that was cut off";
            const QStringList after = t.log.mid(logBefore);
            ASSERT_FALSE(after.isEmpty());
            EXPECT_EQ(after.first(), "timeout 1");
            EXPECT_FALSE(after.filter(QRegularExpression("^move 1 ")).isEmpty()) << after.join('\n').toStdString();

            for (; now < *deadline + Time(600000) && !t.table.HandEnded(); now += Time(100)) t.table.Advance(now);
            EXPECT_TRUE(t.table.HandEnded()) << t.log.join('\n').toStdString();
            EXPECT_EQ(cutOff.size(), 1u);
            EXPECT_EQ(t.sent.size(), sentBefore);
        }
        EXPECT_TRUE(reached) << "no hand reached the prompt";
    }
}
