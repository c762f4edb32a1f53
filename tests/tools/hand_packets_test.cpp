#include "dravik-server/HandPackets.h"
#include "dravik-server/HandTable.h"
#include "table/TilePictures.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>
#include <QStringList>
#include <algorithm>
#include <set>
#include <utility>

namespace {
using Bytes = std::vector<std::pair<int, uint8_t>>;

GamePacket PacketWith(const Bytes& bytes) {
    GamePacket packet{};
    for (const auto& [offset, value] : bytes) packet[size_t(offset)] = value;
    return packet;
}

struct HeaderCase {
    const char* name;
    GamePacket packet;
    Bytes expected;
};

TEST(HandPackets, HeaderOnlyPacketsAreByteExact) {
    const HeaderCase cases[] = {
        {"dealer named", DealerNamedPacket(8), {{3, 16}, {6, 8}, {15, 2}}},
        {"hand start", HandStartPacket(4, {3, 4, 2, 5}), {{3, 4}, {6, 4}, {9, 3}, {11, 4}, {13, 2}, {15, 5}}},
        {"wild tile set", WildTileSetPacket(0x15, 0x17), {{3, 14}, {13, 0x15}, {15, 0x17}}},
        {"hand setup: the totals of the two throws", HandSetupPacket(4, {3, 4, 2, 5}, 0x15, 0x17),
         {{3, 41}, {6, 4}, {9, 7}, {11, 7}, {13, 0x15}, {15, 0x17}}},
        {"deal pass", DealTilesPacket(2, {0x11, 0x29, 0x41, 0x89}), {{3, 1}, {6, 2}, {9, 0x11}, {11, 0x29}, {13, 0x41}, {15, 0x89}}},
        {"deal pass hidden", DealTilesPacket(2, {}), {{3, 1}, {6, 2}}},
        {"draw", TileDrawnPacket(1, 0x87), {{3, 5}, {6, 1}, {15, 0x87}}},
        {"discard, no bubble", TileDiscardedPacket(8, 0x45), {{3, 2}, {6, 8}, {15, 0x45}}},
        {"prompt pass and win", ActionPromptPacket(4, Rules::kPass | Rules::kWin), {{3, 6}, {6, 4}, {9, 0x81}}},
        {"chow", MeldMadePacket(2, Rules::kChow, {0x23, 0x24, 0x25}), {{3, 7}, {6, 2}, {9, 4}, {11, 0x23}, {13, 0x24}, {15, 0x25}}},
        {"one-tile kong", MeldMadePacket(1, Rules::kSingleKong, {0, 0, 0x15}), {{3, 7}, {6, 1}, {9, 64}, {15, 0x15}}},
        {"win", MeldMadePacket(8, Rules::kWin, {0x33, 0x33, 0x33}), {{3, 7}, {6, 8}, {9, 128}, {11, 0x33}, {13, 0x33}, {15, 0x33}}},
        {"players left", GameAbortedPacket(1 | 4 | 8, 1), {{3, 16}, {6, 13}, {15, 1}}},
        {"player left", PlayerLeftPacket("bob"), {{3, 21}, {16, 'b'}, {17, 'o'}, {18, 'b'}}},
    };
    for (const HeaderCase& c : cases) EXPECT_EQ(c.packet, PacketWith(c.expected)) << c.name;

    Bytes account{{3, 21}};
    for (int k = 0; k < 16; ++k) account.emplace_back(16 + k, 'a' + k);
    EXPECT_EQ(PlayerLeftPacket("abcdefghijklmnopqrs"), PacketWith(account)) << "an account is cut to 16 bytes";
}

// The client at seat bit 1 (local seat 0; bit 8 on its left, 4 opposite, 2 on its right).
class HandPacketsAtTheClient : public ::testing::Test {
protected:
    void SetUp() override { SeatAtScriptedTable(t, 8); }
    void Receive(const GamePacket& packet) {
        t.Deliver(ToByteArray(packet));
        try {
            t.Tick(2);
        } catch (const ProgramEnded& end) {
            FAIL() << end.reason.toStdString();
        }
    }
    TestClient t;
};

TEST_F(HandPacketsAtTheClient, TheClientOpensAndPlaysAHandFromThePackets) {
    Receive(DealerNamedPacket(1));
    EXPECT_EQ(t->mainForm->Zhuang->Caption(), QStringLiteral("北"));
    Receive(HandStartPacket(1, {3, 4, 2, 5}));
    EXPECT_EQ(t->seatInfo[0].DealerFlag, -1);
    EXPECT_TRUE(t->mainForm->Zhuang->isVisible());
    EXPECT_EQ(t->table.WildTile, -1) << "no wild tile before the deal";
    EXPECT_EQ(t->table.WallFront, 96);
    EXPECT_EQ(t->table.WallBack, 94);

    // A deal pass goes to every seat, the tiles to their owner only.
    Receive(DealTilesPacket(1, {0x11, 0x29, 0x41, 0x89}));
    for (const uint8_t other : {2, 4, 8}) Receive(DealTilesPacket(other, {}));
    Receive(TileDrawnPacket(1, 0x87));
    const SeatInfo& own = t->seatInfo[0];
    ASSERT_EQ(own.ConcealedCount, 5);
    std::vector<int> tiles;
    for (int k = 0; k < own.ConcealedCount; ++k) tiles.push_back(own.Slots[own.FirstConcealed + k].Tile);
    std::sort(tiles.begin(), tiles.end());
    EXPECT_EQ(tiles, (std::vector<int>{0x11, 0x29, 0x41, 0x87, 0x89}));
    EXPECT_EQ(t->table.WallFront, 113);

    Receive(TileDiscardedPacket(2, 0x85));
    EXPECT_EQ(t->computer.SeenTiles[3][5], 1);

    Receive(ActionPromptPacket(1, Rules::kPass | Rules::kWin));
    EXPECT_EQ(t->play.OperationState, (std::array<int16_t, 5>{0, 0, 0, 2, 2}));
}

TEST_F(HandPacketsAtTheClient, AWildTileSetNamesTheWildTileAndItsIndicator) {
    Receive(WildTileSetPacket(0x15, 0x17));
    EXPECT_EQ(t->table.WildTile, 0x15);
    EXPECT_EQ(t->table.WildIndicator, 0x17);
}

TEST(HandPackets, SeatResultCarriesTheSignedTotalLittleEndianAndKeepsItsSign) {
    const std::pair<int64_t, std::array<uint8_t, 8>> cases[] = {
        {10000, {0x10, 0x27, 0, 0, 0, 0, 0, 0}},
        {-10000, {0xF0, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {0, {}},
        {2147483647, {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}},
    };
    for (const auto& [total, bytes] : cases) {
        Bytes expected{{3, 9}, {6, 4}, {11, 1}};
        for (int k = 0; k < 8; ++k) expected.emplace_back(16 + k, bytes[size_t(k)]);
        EXPECT_EQ(SeatResultPacket(4, total), PacketWith(expected)) << total;
    }
}

// The tile words of a seat's HandRevealed packets in the order the client
// stores them: Param(3) to Param(0) of each packet, a word of 0 being no tile.
std::vector<int> StoredWords(const std::vector<GamePacket>& packets) {
    std::vector<int> words;
    for (const GamePacket& packet : packets) {
        const GameMessage m = DecodeGamePacket(packet.data());
        for (int k = 3; k >= 0; --k)
            if (m.Param[size_t(k)] != 0) words.push_back(uint16_t(m.Param[size_t(k)]));
    }
    return words;
}

TEST(HandPackets, HandRevealedSendsFourTilesAPacketWithTheWinningTileStoredLastAndMarked) {
    const std::vector<Rules::Tile> won{0x11, 0x11, 0x85, 0x23, 0x24, 0x25, 0x41, 0x42, 0x43, 0x86, 0x87, 0x88, 0x85, 0x11};
    const std::vector<GamePacket> packets = HandRevealedPackets(8, won, 0x85);
    ASSERT_EQ(packets.size(), 4u);
    const std::vector<int> expected{0x11, 0x11, 0x23, 0x24, 0x25, 0x41, 0x42, 0x43, 0x86, 0x87, 0x88, 0x85, 0x11, 0x0885};
    EXPECT_EQ(StoredWords(packets), expected);
    for (const GamePacket& packet : packets) {
        EXPECT_EQ(packet[3], 15);
        EXPECT_EQ(packet[6], 8);
        EXPECT_TRUE(std::all_of(packet.begin() + 16, packet.end(), [](uint8_t b) { return b == 0; }));
    }
    // The last packet's two tiles stand in Param(3) and Param(2), as the client reads a short last packet.
    const GameMessage last = DecodeGamePacket(packets.back().data());
    EXPECT_EQ(last.Param, (std::array<int16_t, 4>{0, 0, 0x0885, 0x11}));
}

TEST(HandPackets, HandRevealedWithoutAWinningTileAmongThemMarksNothing) {
    const std::vector<Rules::Tile> thirteen{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26};
    for (const Rules::Tile winning : {Rules::Tile(0), Rules::Tile(0x89)}) {
        const std::vector<GamePacket> packets = HandRevealedPackets(2, thirteen, winning);
        ASSERT_EQ(packets.size(), 4u);
        EXPECT_EQ(StoredWords(packets), std::vector<int>(thirteen.begin(), thirteen.end())) << int(winning);
        EXPECT_EQ(DecodeGamePacket(packets.back().data()).Param, (std::array<int16_t, 4>{0, 0, 0, 0x26}));
    }
    EXPECT_TRUE(HandRevealedPackets(2, {}, 0).empty());
}

TEST(HandPackets, ResultDetailCarriesRoomUnitSettlementMoneyAndTitle) {
    SeatSettlement settlement;
    settlement.items[3] = 0x21;
    settlement.items[5] = 0x14;
    settlement.items[6] = 2;
    settlement.items[13] = 1;
    settlement.items[19] = 47;
    settlement.items[30] = 2;
    settlement.items[47] = 9;
    // What the packet writes itself must not come from the items.
    for (size_t k = 22; k <= 46; ++k)
        if (k != 30) settlement.items[k] = 0xEE;
    settlement.money = -1234567;

    struct Case {
        QString title;
        QByteArray onWire;
    };
    const Case cases[] = {
        {QStringLiteral("新手上路"), QByteArray("\xD0\xC2\xCA\xD6\xC9\xCF\xC2\xB7")},
        {QStringLiteral("一二三四五六七八九"), QByteArray("\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF\xB0\xCB")},
        {QStringLiteral("新手A上路"), QByteArray("\xD0\xC2\xCA\xD6")},
        {QString(), QByteArray()},
    };
    for (const Case& c : cases) {
        const GamePacket packet = ResultDetailPacket(2, settlement, c.title);
        const GameMessage m = DecodeGamePacket(packet.data());
        EXPECT_EQ(m.MsgType, 17);
        EXPECT_EQ(m.SeatBit, 2);
        EXPECT_EQ(m.Param[0] * 256 + m.Param[1], 1) << "room number";
        EXPECT_EQ(m.Param[2], 1) << "no tax line";
        EXPECT_EQ(m.Param[3], 1) << "金币";

        std::array<uint8_t, 48> items{};
        for (size_t k = 2; k < 48; ++k) items[k] = packet[14 + k];
        std::array<uint8_t, 48> expected = settlement.items;
        expected[0] = expected[1] = 0;
        const std::array<uint8_t, 8> money{0x87, 0xD6, 0x12, 0, 0, 0, 0, 0};  // 1234567
        std::copy(money.begin(), money.end(), expected.begin() + 22);
        std::fill(expected.begin() + 31, expected.begin() + 47, 0);
        std::copy(c.onWire.begin(), c.onWire.end(), expected.begin() + 31);
        EXPECT_EQ(items, expected) << c.title.toStdString();
        EXPECT_TRUE(std::all_of(packet.begin() + 62, packet.end(), [](uint8_t b) { return b == 0; }));
    }
}

// What a client makes of a rebuild's wall counters by its own rule: it lays
// every seat's tiles, the indicator and the discards from consecutive wall
// images starting at the break (stopping the discards once its image count
// passes the largest Param(1)), and shows the wall from the break plus that
// Param(1) on to its back end, which the smallest Param(3) moves from two
// before the break.
struct ClientWall {
    int imagesUsed = 0;
    int taken = 0;
    std::set<int> shown;
};

ClientWall ByTheClientsRule(const std::vector<GamePacket>& rebuild, int wallFront) {
    ClientWall wall;
    int param3 = 255;
    std::vector<int> discards;
    for (const GamePacket& packet : rebuild) {
        const GameMessage m = DecodeGamePacket(packet.data());
        wall.taken = std::max(wall.taken, int(m.Param[1]));
        param3 = std::min(param3, int(m.Param[3]));
        discards.push_back(m.Byte7);
        for (int pair = 0; pair < 24; ++pair) {
            const int marker = packet[size_t(16 + 2 * pair)] & 0xF0;
            if (marker == 0x10 || marker == 0x20) ++wall.imagesUsed;
        }
    }
    ++wall.imagesUsed;  // the indicator
    for (const int count : discards)
        for (int k = 0; k < count && wall.imagesUsed <= wall.taken; ++k) ++wall.imagesUsed;
    const auto ring = [](int position) { return (position % 136 + 136) % 136; };
    const int startBack = ring(wallFront - 2);
    const int back = ring(param3 % 2 == 1 ? startBack + param3 + 1 : startBack + param3 - 3);
    for (int p = ring(wallFront + wall.taken);; p = ring(p + 1)) {
        wall.shown.insert(p);
        if (p == back) break;
    }
    if (param3 % 2 == 1)
        wall.shown.insert(ring(back + 1));
    else
        wall.shown.erase(ring(back - 1));
    return wall;
}

// At every point of many hands, after kongs too, the client's wall rebuilt by
// its rule holds exactly the tiles still in the server's wall, and the images
// the rebuild lays are exactly those before it, none used twice.
TEST(HandPackets, TheRebuildsWallCountersPutTheClientsWallWhereTheServersStands) {
    // One computer move a millisecond, so that each Advance below makes one.
    HandTableSettings settings;
    settings.computerMoveDelay = HandTable::Time(1);
    int points = 0, pointsAfterKongs = 0;
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QStringList log;
        HandTable table(settings, seed, [](int, const GamePacket&) {}, [&](const QString& line) { log << line; });
        table.StartHand(HandTable::Time(0));
        for (int step = 1; step < 1000 && table.HandRunning() && !table.WallLeft().empty(); ++step) {
            const std::vector<GamePacket> rebuild = table.WatcherRebuildPackets();
            ASSERT_EQ(rebuild.size(), 4u);
            for (const GamePacket& packet : rebuild) {
                EXPECT_EQ(DecodeGamePacket(packet.data()).Param[1], DecodeGamePacket(rebuild[0].data()).Param[1]);
                EXPECT_EQ(DecodeGamePacket(packet.data()).Param[3], 135);
            }
            for (const int wallFront : {96, 0, 1 * 34 + 8, 134}) {
                const ClientWall wall = ByTheClientsRule(rebuild, wallFront);
                ASSERT_EQ(int(wall.shown.size()), int(table.WallLeft().size()))
                    << "seed " << seed << " step " << step << " break " << wallFront;
                EXPECT_EQ(wall.imagesUsed, wall.taken) << "seed " << seed << " step " << step;
                for (int k = 0; k < wall.taken; ++k)
                    EXPECT_FALSE(wall.shown.contains((wallFront + k) % 136)) << "image used twice";
            }
            ++points;
            if (log.join('\n').contains("kong")) ++pointsAfterKongs;
            table.Advance(HandTable::Time(step));
        }
    }
    EXPECT_GT(points, 1000);
    EXPECT_GT(pointsAfterKongs, 200);
}

TEST(HandPackets, TheRebuildListsLaidTilesThenConcealedTilesWithTheirMarkers) {
    Rules::Hand hand;
    hand.redDragonsAside = 2;
    hand.wildTilesAside = 1;
    hand.melds = {
        {Rules::kChow, {0x23, 0x24, 0x25}, false},
        {Rules::kExposedKong, {0x85, 0x85, 0x85}, false},
        {Rules::kPung, {0x11, 0x11, 0x11}, true},
        {Rules::kPung, {0x47, 0x47, 0x47}, false},
        {Rules::kConcealedKong, {0x16, 0x16, 0x16}, false},
    };
    hand.concealed = {0x12};
    const GamePacket packet = TableRebuildPacket(8, hand, 11, 60, 0x29);

    std::vector<std::pair<uint8_t, uint8_t>> pairs;
    for (int k = 0; k < 24; ++k) pairs.emplace_back(packet[size_t(16 + 2 * k)], packet[size_t(17 + 2 * k)]);
    std::vector<std::pair<uint8_t, uint8_t>> expected;
    for (const int tile : {0x15, 0x15, 0x29, 0x23, 0x24, 0x25, 0x85, 0x85, 0x85, 0x85, 0x11, 0x11, 0x11, 0x11, 0x47, 0x47,
                           0x47, 0x16, 0x16, 0x16, 0x16})
        expected.emplace_back(0x20, tile);
    expected.emplace_back(0x10, 0x12);
    expected.resize(24);
    EXPECT_EQ(pairs, expected);
    EXPECT_EQ(packet[3], 40);
    EXPECT_EQ(packet[6], 8);
    EXPECT_EQ(packet[7], 11) << "discards";
    EXPECT_EQ(DecodeGamePacket(packet.data()).Param, (std::array<int16_t, 4>{0, 60, 0, 135})) << "wall counters";
    EXPECT_TRUE(std::all_of(packet.begin() + 64, packet.end(), [](uint8_t b) { return b == 0; }));
}
}  // namespace

// The dealt hand stands sorted, face up, before the first discard, as the
// server opens a hand: the client sorts it at the end of the deal only while
// no wild tile is known, so the wild tile must come after the deal.
TEST(HandPacketsDeal, TheDealtHandIsSortedBeforeTheFirstDiscard) {
    for (const int ownSeat : {0, 1}) {  // the dealer (14 tiles) and the seat after it (13)
        TestClient t;
        SeatAtScriptedTable(t, 8, ownSeat);
        std::vector<GamePacket> toClient;
        HandTableSettings settings;
        settings.computerMoveDelay = HandTable::Time(0);
        const auto keep = [&](int seat, const GamePacket& packet) {
            if (seat == ownSeat) toClient.push_back(packet);
        };
        HandTable table(settings, 21, keep, [](const QString&) {});
        table.SetClientSeat(ownSeat, true);
        table.StartHand(HandTable::Time(0));  // nobody has moved yet: no Advance
        for (const GamePacket& packet : toClient) {
            t.Deliver(ToByteArray(packet));
            t.Tick(2);
        }

        const SeatInfo& own = t->seatInfo[0];
        std::vector<Rules::Tile> dealt = table.Hands()[size_t(ownSeat)].concealed;
        ASSERT_EQ(own.ConcealedCount, int(dealt.size())) << "own seat " << ownSeat;
        std::vector<Rules::Tile> shown;
        for (int slot = own.FirstConcealed; slot < own.FirstConcealed + own.ConcealedCount; ++slot) {
            const TileSlot& s = own.Slots[size_t(slot)];
            shown.push_back(Rules::Tile(s.Tile));
            EXPECT_EQ(t->table.TileImagePictures[size_t(s.Image)], TilePicture(kOwnHandSet, s.Tile)) << "slot " << slot;
        }
        // Display order: circles, characters, bamboo, honours; ranks rising.
        std::vector<Rules::Tile> sorted = dealt;
        std::stable_sort(sorted.begin(), sorted.end(), [](Rules::Tile a, Rules::Tile b) {
            return (a & 0xF0) != (b & 0xF0) ? (a & 0xF0) > (b & 0xF0) : (a & 0x0F) < (b & 0x0F);
        });
        EXPECT_EQ(shown, sorted) << "own seat " << ownSeat;
        EXPECT_EQ(t->table.WildTile, table.Wild());
    }
}
