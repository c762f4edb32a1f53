#include "messages/ServerMessageDispatch.h"
#include "wire/GamePacket.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "window/TalkWindow.h"
#include <gtest/gtest.h>

namespace {
using Echo = std::array<uint8_t, 2>;

GamePacket Packet(int16_t type, Echo echo, const QByteArray& payload = {}) {
    GameMessage message;
    message.MsgType = type;
    message.SeatBit = 2;
    message.Byte5 = 5;
    message.Byte7 = 7;
    message.Param = {1, 2, 3, 1};
    return EncodeGamePacket(message, payload, echo);
}

// The object representation of a state record: a record whose bytes are
// unchanged was not written (a rewritten text counts as a change).
template <typename Record>
QByteArray Bytes(const Record& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

// Everything a message handler could change, apart from the transport and the scheduler.
struct TableSnapshot {
    explicit TableSnapshot(TestClient& t)
        : records{Bytes(t->table), Bytes(t->seatInfo), Bytes(t->playerInfo), Bytes(t->handResult),
                  Bytes(t->connection), Bytes(t->window)},
          ticker(Lines(*t->mainForm->Sysmsg[0]) + Lines(*t->mainForm->Sysmsg[1])),
          chatLines(t->talk ? t->talk->Text1->count() : 0),
          lobbyFrames(t.lobby->frames.size()),
          sentPackets(t.Sent().size()),
          dialogs(t.dialogs->shown.size()),
          keepAlive(t->TimerKeepAlive.Enabled()) {}
    bool operator==(const TableSnapshot&) const = default;

    QList<QByteArray> records;
    QStringList ticker;
    int chatLines;
    size_t lobbyFrames;
    size_t sentPackets;
    size_t dialogs;
    bool keepAlive;
};

class ServerMessageDispatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        ASSERT_EQ(t.Sent().size(), 1u);
    }

    // Delivers one packet and runs the ticks that dispatch it.
    void Receive(const GamePacket& packet) {
        t.Deliver(ToByteArray(packet));
        t.Tick(2);
    }

    TestClient t;
};
}  // namespace

TEST_F(ServerMessageDispatchTest, ATypeTheClientDoesNotHandleChangesNothingButTheEchoBytes) {
    const int16_t ignored[] = {10, 0, 24, 28, 42, 255};
    uint8_t marker = 0x40;
    for (int16_t type : ignored) {
        SCOPED_TRACE(type);
        const TableSnapshot before(t);
        const Echo echo{++marker, uint8_t(0xC0 | marker)};
        Receive(Packet(type, echo, QByteArray(244, '\x01')));
        EXPECT_EQ(t->transport.EchoBytes, echo);
        EXPECT_TRUE(TableSnapshot(t) == before);
    }
}

TEST_F(ServerMessageDispatchTest, AReconnectReplyKeepsTheEchoBytesAndTheNextPacketReplacesThem) {
    Receive(Packet(10, {1, 2}));
    ASSERT_EQ(t->transport.EchoBytes, (Echo{1, 2}));
    Receive(Packet(MessageType::ReconnectReply, {3, 4}));
    ASSERT_TRUE(t->connection.Reconnected);
    EXPECT_EQ(t->transport.EchoBytes, (Echo{1, 2}));
    Receive(Packet(MessageType::LoginReply, {5, 6}));
    EXPECT_EQ(t->transport.EchoBytes, (Echo{5, 6}));
}

TEST_F(ServerMessageDispatchTest, AChatLineIsShownOnceByTheDecoderAndNotAgainByTheDispatch) {
    GameMessage chat;
    chat.MsgType = MessageType::ChatLine;
    chat.SeatBit = 2;
    Receive(EncodeGamePacket(chat, QByteArrayLiteral("hello table"), {7, 8}));
    EXPECT_EQ(Lines(*t->Talk().Text1).count(QStringLiteral("hello table")), 1);
    const QStringList ticker = Lines(*t->mainForm->Sysmsg[0]) + Lines(*t->mainForm->Sysmsg[1]);
    EXPECT_EQ(ticker.count(QStringLiteral("hello table")), 1);
    EXPECT_EQ(t->transport.EchoBytes, (Echo{7, 8}));
}

TEST_F(ServerMessageDispatchTest, RearmingTheTableLeavesItClearedWithNoHand) {
    t->table.InGame = true;
    t->table.TableCleared = false;
    t->table.WildTile = 12;
    t->seatInfo[2].ConcealedCount = 13;
    RearmTable(*t);
    EXPECT_TRUE(t->table.TableCleared);
    EXPECT_FALSE(t->table.InGame);
    EXPECT_EQ(t->table.WildTile, -1);
    EXPECT_EQ(t->seatInfo[2].ConcealedCount, 0);
}
