#include "wire/LoginPacket.h"
#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include "support/EventLoopWait.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <set>
#include <vector>

namespace {
constexpr int WaitMs = 10000;

GamePacket HeaderOnlyPacket(int type, uint8_t seatBit = 0) {
    GameMessage message;
    message.MsgType = static_cast<int16_t>(type);
    message.SeatBit = seatBit;
    return EncodeGamePacket(message);
}

QByteArray ReadPacketBytes(QTcpSocket& socket) {
    const QDeadlineTimer deadline(WaitMs);
    while (socket.bytesAvailable() < 272 && socket.waitForReadyRead(int(deadline.remainingTime()))) {}
    return socket.read(272);
}

std::vector<QByteArray> ReadPackets(QTcpSocket& socket, int count) {
    std::vector<QByteArray> packets;
    for (int k = 0; k < count; ++k) packets.push_back(ReadPacketBytes(socket));
    return packets;
}

int TypeOf(const QByteArray& packet) { return packet.size() == 272 ? uint8_t(packet[3]) : -1; }

// The zero-ended single-byte text of a field.
QByteArray FieldText(const QByteArray& packet, int offset, int length) {
    const QByteArray field = packet.mid(offset, length);
    return field.left(field.indexOf('\0') < 0 ? length : field.indexOf('\0'));
}

GamePacket ReadyOrLeavePacket(int param3) {
    GameMessage message;
    message.MsgType = MessageType::ReadyOrLeave;
    message.SeatBit = 1;
    message.Param[3] = static_cast<int16_t>(param3);
    return EncodeGamePacket(message);
}

// A log-in answer followed by a whole seating: reply, 4 names, 4 records, 3 ready marks.
constexpr int LoginAnswerPackets = 12;

// The real dravik-server, started on a free port, with its log lines.
class ServerTest : public ::testing::Test {
protected:
    void StartServer(const QStringList& options) {
        server_.start(DRAVIK_SERVER_BINARY, QStringList{"--port", "0"} + options);
        ASSERT_TRUE(server_.waitForStarted(WaitMs)) << server_.errorString().toStdString();
        const QString first = NextLine();
        ASSERT_TRUE(first.startsWith("listening on ")) << first.toStdString();
        port_ = quint16(first.mid(13).toUInt());
        ASSERT_NE(port_, 0);
    }

    void TearDown() override {
        server_.kill();
        server_.waitForFinished(WaitMs);
    }

    void Connect(QTcpSocket& socket) {
        socket.connectToHost(QHostAddress::LocalHost, port_);
        ASSERT_TRUE(socket.waitForConnected(WaitMs)) << socket.errorString().toStdString();
    }

    // The next line the server logs, or an empty one if none comes in time.
    // A wait for output may end before its time without any (a loaded
    // machine shows it), so only the deadline or the server's end stops it.
    QString NextLine(int timeoutMs = WaitMs) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!server_.canReadLine() && !deadline.hasExpired() && server_.state() == QProcess::Running)
            server_.waitForReadyRead(int(deadline.remainingTime()));
        return server_.canReadLine() ? QString::fromUtf8(server_.readLine()).trimmed() : QString();
    }

    // Reads log lines up to and including the first one that starts with
    // `prefix`; all lines read are kept in lines_.
    QString WaitForLine(const QString& prefix, int timeoutMs = WaitMs) {
        for (QString line = NextLine(timeoutMs); !line.isEmpty(); line = NextLine(timeoutMs)) {
            lines_ << line;
            if (line.startsWith(prefix)) return line;
        }
        ADD_FAILURE() << "the server logged no line starting with " << prefix.toStdString();
        return {};
    }

    QProcess server_;
    quint16 port_ = 0;
    QStringList lines_;
};

TEST_F(ServerTest, AnswersALoginFramedFromSplitWritesAndLogsEveryPacket) {
    ASSERT_NO_FATAL_FAILURE(
        StartServer({"--turn-seconds", "5", "--timeout-limit", "2", "--banner", "http://127.0.0.1/banner"}));
    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    EXPECT_EQ(WaitForLine("connect "), "connect 1");

    const QByteArray login = ToByteArray(BuildLoginPacket(QStringLiteral("玩家一"), "hunter2"));
    client.write(login.left(150));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    // Once the server logs a second client, it has been through its event
    // loop since the first part arrived, so the rest comes in separately.
    QTcpSocket secondClient;
    ASSERT_NO_FATAL_FAILURE(Connect(secondClient));
    EXPECT_EQ(WaitForLine("connect "), "connect 2");
    client.write(login.mid(150));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    client.write(ToByteArray(HeaderOnlyPacket(MessageType::KeepAlive, 2)) + ToByteArray(HeaderOnlyPacket(99)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));

    EXPECT_EQ(ReadPacketBytes(client), ToByteArray(LoginReplyPacket(1, 5, 2, "http://127.0.0.1/banner", {0, 1})));

    WaitForLine("recv 1 type=99 ");
    const QStringList recvLines = lines_.filter(QRegularExpression("^recv "));
    ASSERT_EQ(recvLines.size(), 3) << lines_.join('\n').toStdString();
    EXPECT_EQ(recvLines[0],
              QStringLiteral("recv 1 type=18 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=玩家一 echo=0,0"));
    EXPECT_TRUE(recvLines[1].startsWith("recv 1 type=24 seat=2 ")) << recvLines[1].toStdString();
    EXPECT_TRUE(recvLines[2].startsWith("recv 1 type=99 ")) << recvLines[2].toStdString();
    EXPECT_TRUE(lines_.contains("send 1 type=18 seat=0 byte5=0 byte7=0 params=2,5,0,1 echo=0,1"))
        << lines_.join('\n').toStdString();
    EXPECT_FALSE(lines_.join('\n').contains("hunter2"));

    // The connection stays open: a later packet is still read and logged.
    client.write(ToByteArray(HeaderOnlyPacket(MessageType::KeepAlive, 2)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("recv ").startsWith("recv 1 type=24 "));
    EXPECT_FALSE(lines_.join('\n').contains("close 1"));
    EXPECT_EQ(client.state(), QAbstractSocket::ConnectedState);
}

TEST_F(ServerTest, GarbageAndAnAbruptCloseLeaveItServingOthers) {
    ASSERT_NO_FATAL_FAILURE(StartServer({}));
    QTcpSocket garbage;
    ASSERT_NO_FATAL_FAILURE(Connect(garbage));
    garbage.write(QByteArray(272, char(0xFF)) + QByteArray(100, char(0x5A)));
    ASSERT_TRUE(garbage.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("recv ").startsWith("recv 1 type=65535 seat=255 ")) << lines_.join('\n').toStdString();
    garbage.abort();
    EXPECT_EQ(WaitForLine("close "), "close 1");

    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    GamePacket reconnect = BuildLoginPacket("player1", "secret");
    reconnect[3] = MessageType::Reconnect;
    reconnect[261] = 7;
    client.write(ToByteArray(reconnect));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    // Nobody holds a seat under that account: the reconnect is refused.
    EXPECT_EQ(ReadPacketBytes(client), ToByteArray(ReconnectReplyPacket(false, {0, 1})));
    EXPECT_EQ(WaitForLine("recv "), "recv 2 type=28 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=player1 echo=0,7");
    EXPECT_TRUE(WaitForLine("reject ").startsWith("reject 2 ")) << lines_.join('\n').toStdString();
}

TEST_F(ServerTest, SeatsALoggedInClientWithThreeComputersInTheOrderTheClientAppliesThem) {
    ASSERT_NO_FATAL_FAILURE(StartServer({}));
    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    client.write(ToByteArray(BuildLoginPacket("player1", "secret")));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));

    const std::vector<QByteArray> packets = ReadPackets(client, LoginAnswerPackets);
    EXPECT_EQ(packets[0], ToByteArray(LoginReplyPacket(1, 8, 3, "", {0, 1})));
    for (int k = 1; k < LoginAnswerPackets; ++k) EXPECT_EQ(uint8_t(packets[k][261]), k + 1) << "echo of packet " << k;

    // Four seat names, one for each seat bit; the client finds its own seat
    // among them by its account.
    const QByteArray seatBits("\x01\x02\x04\x08", 4);
    std::array<QByteArray, 4> names;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(TypeOf(packets[k]), MessageType::SeatName) << "packet " << k;
        const int index = int(seatBits.indexOf(packets[k][6]));
        ASSERT_GE(index, 0) << "seat bit " << int(packets[k][6]);
        EXPECT_TRUE(names[index].isEmpty()) << "seat bit " << int(packets[k][6]) << " named twice";
        names[index] = FieldText(packets[k], 16, 16);
    }
    const auto own = std::find(names.begin(), names.end(), QByteArray("player1"));
    ASSERT_NE(own, names.end());
    const int ownIndex = int(own - names.begin());

    // Then four records: first the own one, seat bit 15, then the three
    // others as players to be found (seat bit 0), in the order left,
    // opposite, right, the order in which the client fills its free seats.
    for (int j = 1; j <= 4; ++j) {
        const QByteArray& record = packets[4 + j];
        ASSERT_EQ(TypeOf(record), MessageType::PlayerJoined) << "record " << j;
        const QByteArray account = FieldText(record, 168, 16);
        if (j == 1) {
            EXPECT_EQ(uint8_t(record[6]), 15);
            EXPECT_EQ(account, QByteArray("player1"));
        } else {
            EXPECT_EQ(uint8_t(record[6]), 0) << "seat bit of record " << j;
            EXPECT_EQ(account, names[(ownIndex + 4 - (j - 1)) % 4]) << "record " << j;
        }
        const QString nickName = AnsiCodec::FromAnsi(FieldText(record, 16, 32));
        EXPECT_FALSE(nickName.isEmpty() || nickName.contains(QChar::ReplacementCharacter)) << "record " << j;
        // One digit: a spectator's client reads no more.
        const QString portrait = QString::fromLatin1(FieldText(record, 48, 16));
        EXPECT_TRUE(QRegularExpression("^[mw][1-9]$").match(portrait).hasMatch()) << "record " << j;
        EXPECT_LE(uint8_t(record[64]), 1) << "sex of record " << j;
        EXPECT_FALSE(FieldText(record, 112, 16).isEmpty()) << "level title of record " << j;
        EXPECT_EQ(FieldText(record, 210, 8), "00") << "voice code of record " << j;
        EXPECT_FALSE(FieldText(record, 218, 8).isEmpty()) << "voice set of record " << j;
    }
    EXPECT_EQ(AnsiCodec::FromAnsi(FieldText(packets[5], 16, 32)), "player1") << "own nickname";

    // Last the computers' ready marks, for each of the three other accounts.
    QByteArrayList readyAccounts;
    for (int k = 9; k < LoginAnswerPackets; ++k) {
        ASSERT_EQ(TypeOf(packets[k]), MessageType::PlayerReady) << "packet " << k;
        EXPECT_EQ(uint8_t(packets[k][15]), 1) << "packet " << k;
        readyAccounts << FieldText(packets[k], 16, 16);
    }
    QByteArrayList others;
    for (int k = 1; k <= 3; ++k) others << names[(ownIndex + 4 - k) % 4];
    std::sort(readyAccounts.begin(), readyAccounts.end());
    std::sort(others.begin(), others.end());
    EXPECT_EQ(readyAccounts, others);

    EXPECT_EQ(WaitForLine("seat "), "seat 1 account=player1 bit=1");
}

// An account plays at one seat: a second log-in takes the seat over, and the
// first connection is told, in the account's own GBK bytes, that it left.
TEST_F(ServerTest, ASecondLogInOfASeatedAccountTakesItsSeatAndTheFirstIsToldItLeft) {
    ASSERT_NO_FATAL_FAILURE(StartServer({}));
    const QString account = QStringLiteral("张三");
    QTcpSocket first;
    ASSERT_NO_FATAL_FAILURE(Connect(first));
    first.write(ToByteArray(BuildLoginPacket(account, "secret")));
    ASSERT_TRUE(first.waitForBytesWritten(WaitMs));
    ReadPackets(first, LoginAnswerPackets);
    EXPECT_EQ(WaitForLine("seat "), QStringLiteral("seat 1 account=张三 bit=1"));

    QTcpSocket second;
    ASSERT_NO_FATAL_FAILURE(Connect(second));
    second.write(ToByteArray(BuildLoginPacket(account, "secret")));
    ASSERT_TRUE(second.waitForBytesWritten(WaitMs));
    const std::vector<QByteArray> seating = ReadPackets(second, LoginAnswerPackets);
    EXPECT_EQ(seating[0], ToByteArray(LoginReplyPacket(1, 8, 3, "", {0, 1})));
    EXPECT_EQ(FieldText(seating[1], 16, 16), AnsiCodec::ToAnsi(account)) << "the seat name of seat bit 1";
    const QByteArray left = ReadPacketBytes(first);
    EXPECT_EQ(TypeOf(left), MessageType::PlayerLeft);
    EXPECT_EQ(FieldText(left, 16, 16), AnsiCodec::ToAnsi(account));
    EXPECT_EQ(WaitForLine("leave "), QStringLiteral("leave 1 account=张三"));
    EXPECT_EQ(WaitForLine("seat "), QStringLiteral("seat 2 account=张三 bit=1"));

    // The first connection holds no seat any more: its close frees none.
    first.abort();
    EXPECT_EQ(WaitForLine("close "), "close 1");
    second.write(ToByteArray(HeaderOnlyPacket(MessageType::KeepAlive, 1)));
    ASSERT_TRUE(second.waitForBytesWritten(WaitMs));
    WaitForLine("recv 2 type=24 ");
    EXPECT_TRUE(lines_.filter(QRegularExpression("^send 2 type=21 ")).isEmpty()) << lines_.join('\n').toStdString();
}

TEST_F(ServerTest, ALeaveFreesTheSeatAndAVanishedClientReconnectsToItsHand) {
    // Paced computers, so that the hand still runs when the client comes back.
    ASSERT_NO_FATAL_FAILURE(StartServer({"--move-ms", "300", "--seed", "3"}));
    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    client.write(ToByteArray(BuildLoginPacket("player1", "secret")));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    ReadPackets(client, LoginAnswerPackets);

    client.write(ToByteArray(ReadyOrLeavePacket(0)) + ToByteArray(ReadyOrLeavePacket(0)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    EXPECT_EQ(WaitForLine("leave "), "leave 1 account=player1");
    EXPECT_EQ(WaitForLine("leave "), "leave 1 account=") << "the seat was already empty";

    // A log-in seats the client again; its ready starts a hand.
    client.write(ToByteArray(BuildLoginPacket("player1", "secret")));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    std::vector<int> types;
    for (const QByteArray& packet : ReadPackets(client, LoginAnswerPackets)) types.push_back(TypeOf(packet));
    EXPECT_EQ(types, (std::vector<int>{18, 3, 3, 3, 3, 20, 20, 20, 20, 23, 23, 23}));
    EXPECT_EQ(WaitForLine("seat "), "seat 1 account=player1 bit=1");
    client.write(ToByteArray(ReadyOrLeavePacket(1)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("hand 1 start ").startsWith("hand 1 start dealer=1 wild="));

    // The client vanishes mid-hand and comes back on a new connection.
    client.abort();
    EXPECT_EQ(WaitForLine("computer "), "computer 1 plays for the vanished client");
    QTcpSocket again;
    ASSERT_NO_FATAL_FAILURE(Connect(again));
    GamePacket reconnect = BuildLoginPacket("player1", "secret");
    reconnect[3] = MessageType::Reconnect;
    again.write(ToByteArray(reconnect));
    ASSERT_TRUE(again.waitForBytesWritten(WaitMs));
    EXPECT_EQ(ReadPacketBytes(again), ToByteArray(ReconnectReplyPacket(true, {0, 1})));
    // The hand's set-up re-arms the client's table before the rebuild.
    const QByteArray setup = ReadPacketBytes(again);
    EXPECT_EQ(TypeOf(setup), MessageType::HandSetup);
    EXPECT_EQ(uint8_t(setup[6]), 1) << "the dealer";
    for (int k = 0; k < 4; ++k) EXPECT_EQ(TypeOf(ReadPacketBytes(again)), MessageType::TableRebuild) << k;
}

// Reads packets until one of the type comes; empty when none comes in time.
QByteArray ReadUntilType(QTcpSocket& socket, int type) {
    for (QByteArray packet = ReadPacketBytes(socket); packet.size() == 272; packet = ReadPacketBytes(socket))
        if (TypeOf(packet) == type) return packet;
    return {};
}

// The concealed tile codes of a TableRebuild, sorted.
std::vector<int> ConcealedCodes(const QByteArray& rebuild) {
    std::vector<int> codes;
    for (int pair = 0; pair < 24; ++pair)
        if ((uint8_t(rebuild[16 + 2 * pair]) & 0xF0) == 0x10) codes.push_back(uint8_t(rebuild[17 + 2 * pair]));
    std::sort(codes.begin(), codes.end());
    return codes;
}

GamePacket DiscardPacket(uint8_t seatBit, int tile) {
    GameMessage message;
    message.MsgType = MessageType::Discard;
    message.SeatBit = seatBit;
    message.Param[3] = static_cast<int16_t>(TileMarker::Discard | tile);
    return EncodeGamePacket(message);
}

TEST_F(ServerTest, AWatcherLogsInMidHandAndSeesTheTableAndEveryTileButNoPromptAndMayNotPlay) {
    ASSERT_NO_FATAL_FAILURE(StartServer({"--move-ms", "100", "--seed", "3", "--watchers", "观众,watcher1"}));
    QTcpSocket client;
    ASSERT_NO_FATAL_FAILURE(Connect(client));
    client.write(ToByteArray(BuildLoginPacket("player1", "secret")) + ToByteArray(ReadyOrLeavePacket(1)));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    const QRegularExpressionMatch start = QRegularExpression("^hand 1 start dealer=1 wild=(..) indicator=(..)$")
                                              .match(WaitForLine("hand 1 start "));
    ASSERT_TRUE(start.hasMatch()) << lines_.join('\n').toStdString();
    // The client deals and holds its fourteen tiles up to its prompt.
    std::vector<int> dealt;
    for (QByteArray packet = ReadUntilType(client, MessageType::HandStart); TypeOf(packet) != MessageType::ActionPrompt;
         packet = ReadPacketBytes(client)) {
        ASSERT_EQ(packet.size(), 272);
        if (TypeOf(packet) == MessageType::DealTiles && packet[6] == 1)
            for (const int offset : {9, 11, 13, 15}) dealt.push_back(uint8_t(packet[offset]));
        if (TypeOf(packet) == MessageType::TileDrawn && packet[6] == 1) dealt.push_back(uint8_t(packet[15]));
    }
    ASSERT_EQ(dealt.size(), 14u);

    QTcpSocket watcher;
    ASSERT_NO_FATAL_FAILURE(Connect(watcher));
    watcher.write(ToByteArray(BuildLoginPacket("watcher1", "secret")));
    ASSERT_TRUE(watcher.waitForBytesWritten(WaitMs));
    EXPECT_EQ(WaitForLine("watch "), "watch 2 account=watcher1");
    const std::vector<QByteArray> table = ReadPackets(watcher, 1 + 1 + 4 + 4);
    std::vector<int> types;
    for (const QByteArray& packet : table) types.push_back(TypeOf(packet));
    ASSERT_EQ(types, (std::vector<int>{18, 41, 20, 20, 20, 20, 40, 40, 40, 40}));
    EXPECT_EQ(table[0], ToByteArray(LoginReplyPacket(1, 8, 3, "", {0, 1})));
    // The hand's set-up: the dealer, the totals of the two throws, the wild tile and its indicator.
    const QByteArray& setup = table[1];
    EXPECT_EQ(uint8_t(setup[6]), 1);
    for (const int offset : {9, 11}) EXPECT_TRUE(uint8_t(setup[offset]) >= 2 && uint8_t(setup[offset]) <= 12) << offset;
    EXPECT_EQ(uint8_t(setup[13]), start.captured(1).toInt(nullptr, 16));
    EXPECT_EQ(uint8_t(setup[15]), start.captured(2).toInt(nullptr, 16));
    // The four players under their own seat bits; the client's user id names its seat.
    for (int k = 0; k < 4; ++k) EXPECT_EQ(uint8_t(table[2 + k][6]), 1 << k) << "record " << k;
    EXPECT_EQ(FieldText(table[2], 168, 16), "player1");
    EXPECT_EQ(table[2].mid(226, 8), QByteArray::fromHex("a186010000000000")) << "user id 100001";
    // The rebuild with every seat's tiles: no tile has left the dealer's hand yet.
    int concealed = 0;
    for (int k = 0; k < 4; ++k) {
        const QByteArray& rebuild = table[6 + k];
        EXPECT_EQ(uint8_t(rebuild[6]), 1 << k);
        const std::vector<int> codes = ConcealedCodes(rebuild);
        EXPECT_EQ(codes.size(), k == 0 ? 14u : 13u) << "seat bit " << (1 << k);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 0), 0) << "seat bit " << (1 << k);
        concealed += int(codes.size());
        EXPECT_EQ(uint8_t(rebuild[11]), 53 + 1) << "the tiles out of the wall and the indicator";
        EXPECT_EQ(uint8_t(rebuild[15]), 135);
    }
    std::sort(dealt.begin(), dealt.end());
    EXPECT_EQ(ConcealedCodes(table[6]), dealt);

    // The client discards; the watcher sees the discard and every seat's draw
    // with its tile, but none of the client's prompts.
    client.write(ToByteArray(DiscardPacket(1, dealt.back())));
    ASSERT_TRUE(client.waitForBytesWritten(WaitMs));
    std::set<int> drawn;
    bool sawDiscard = false;
    while (!drawn.contains(1)) {
        const QByteArray packet = ReadPacketBytes(watcher);
        ASSERT_EQ(packet.size(), 272) << "drawn so far: " << drawn.size();
        EXPECT_NE(TypeOf(packet), MessageType::ActionPrompt);
        if (TypeOf(packet) == MessageType::TileDiscarded && packet[6] == 1) {
            EXPECT_EQ(uint8_t(packet[15]), dealt.back());
            sawDiscard = true;
        }
        if (TypeOf(packet) != MessageType::TileDrawn) continue;
        EXPECT_NE(packet[15], 0) << "a draw of seat bit " << int(packet[6]);
        drawn.insert(packet[6]);
    }
    EXPECT_TRUE(sawDiscard);
    WaitForLine("draw 1 ");
    WaitForLine("send 1 type=6 ");  // the client's prompt after its draw
    EXPECT_TRUE(lines_.filter(QRegularExpression("^send 2 type=6 ")).isEmpty());

    // What a watcher plays, says or readies is refused, and its leave changes nothing.
    GamePacket chat = ChatLinePacket(0, QStringLiteral("加油"), {});
    watcher.write(ToByteArray(DiscardPacket(1, dealt.front())) + ToByteArray(chat) +
                  ToByteArray(ReadyOrLeavePacket(1)) + ToByteArray(ReadyOrLeavePacket(0)));
    ASSERT_TRUE(watcher.waitForBytesWritten(WaitMs));
    EXPECT_EQ(WaitForLine("reject 2 "), "reject 2 move of a watcher");
    EXPECT_EQ(WaitForLine("reject 2 "), "reject 2 chat of a watcher");
    EXPECT_EQ(WaitForLine("reject 2 "), "reject 2 ready of a watcher");
    EXPECT_EQ(WaitForLine("leave 2 "), "leave 2 account=watcher1");
    EXPECT_EQ(watcher.state(), QAbstractSocket::ConnectedState);
    EXPECT_TRUE(lines_.filter(QRegularExpression("^hand 1 aborted|^close ")).isEmpty()) << lines_.join('\n').toStdString();
}

TEST_F(ServerTest, TwoClientsShareOneTableTheirChatTheirReadyMarksAndTheCloseWhenOneLeavesMidHand) {
    // Every chat line is relayed, however soon after the seat's last one.
    ASSERT_NO_FATAL_FAILURE(StartServer({"--move-ms", "300", "--seed", "5", "--chat-ms", "0"}));
    QTcpSocket first, second;
    for (auto [socket, account] : {std::pair{&first, "player1"}, std::pair{&second, "player2"}}) {
        ASSERT_NO_FATAL_FAILURE(Connect(*socket));
        socket->write(ToByteArray(BuildLoginPacket(account, "secret")));
        ASSERT_TRUE(socket->waitForBytesWritten(WaitMs));
        WaitForLine("seat ");
    }
    EXPECT_EQ(lines_.filter(QRegularExpression("^seat ")),
              (QStringList{"seat 1 account=player1 bit=1", "seat 2 account=player2 bit=2"}));
    // The first client sees the computer leave the seat and the second
    // client arrive as a player to be found, whom it seats in the seat just
    // left and asks for video.
    QByteArray joined;
    for (int k = 0; k < 5 && FieldText(joined, 168, 16) != "player2"; ++k)
        joined = ReadUntilType(first, MessageType::PlayerJoined);
    EXPECT_EQ(FieldText(joined, 168, 16), "player2");
    EXPECT_EQ(uint8_t(joined[6]), 0);
    if (lines_.filter(QRegularExpression("^send 1 type=21 ")).isEmpty()) WaitForLine("send 1 type=21 ");

    second.write(ToByteArray(ChatLinePacket(2, QStringLiteral("你好"), {})));
    ASSERT_TRUE(second.waitForBytesWritten(WaitMs));
    const QByteArray chat = ReadUntilType(first, MessageType::ChatLine);
    ASSERT_FALSE(chat.isEmpty());
    EXPECT_EQ(uint8_t(chat[6]), 2);
    EXPECT_EQ(AnsiCodec::FromAnsi(FieldText(chat, 16, 200)), QStringLiteral("你好"));
    // The sender hears its own line back, as its chat log shows it (only the
    // echo bytes, counted per connection, differ).
    constexpr int kBeforeEcho = 260;
    EXPECT_EQ(ReadUntilType(second, MessageType::ChatLine).left(kBeforeEcho), chat.left(kBeforeEcho));

    // A voice phrase keeps its params; a private line to a computer's seat
    // reaches only its sender.
    second.write(ToByteArray(ChatLinePacket(2, QStringLiteral("快点吧"), {}, {1, 0, 97, 3})));
    second.write(ToByteArray(ChatLinePacket(2, QStringLiteral("悄悄话"), {}, {0, 4, 0, 0})));
    ASSERT_TRUE(second.waitForBytesWritten(WaitMs));
    const QByteArray voice = ReadUntilType(first, MessageType::ChatLine);
    EXPECT_EQ(voice.mid(8, 8), QByteArray::fromHex("0001000000610003"));
    EXPECT_EQ(AnsiCodec::FromAnsi(FieldText(voice, 16, 200)), QStringLiteral("快点吧"));
    EXPECT_EQ(ReadUntilType(second, MessageType::ChatLine).left(kBeforeEcho), voice.left(kBeforeEcho));
    const QByteArray whisper = ReadUntilType(second, MessageType::ChatLine);
    EXPECT_EQ(AnsiCodec::FromAnsi(FieldText(whisper, 16, 200)), QStringLiteral("悄悄话"));
    EXPECT_EQ(whisper.mid(8, 8), QByteArray::fromHex("0000000400000000"));

    // Only the first says it is ready: the server starts the hand when the
    // time for it runs out, and shows the first client every other seat
    // ready before, as its client re-arms the table for a hand only then.
    first.write(ToByteArray(ReadyOrLeavePacket(1)));
    ASSERT_TRUE(first.waitForBytesWritten(WaitMs));
    EXPECT_TRUE(WaitForLine("hand 1 start ", 3 * WaitMs).startsWith("hand 1 start "));
    std::set<int> readyBits;
    for (QByteArray packet = ReadPacketBytes(first); TypeOf(packet) != MessageType::HandStart; packet = ReadPacketBytes(first)) {
        ASSERT_EQ(packet.size(), 272);
        EXPECT_NE(TypeOf(packet), MessageType::ChatLine) << "the private line reached the first client";
        if (TypeOf(packet) == MessageType::PlayerReady) readyBits.insert(uint8_t(packet[6]));
    }
    EXPECT_EQ(readyBits, (std::set<int>{1, 2, 4, 8}));

    // The second leaves mid-hand: the table closes for the first, whose seat
    // is the only one still held.
    second.write(ToByteArray(ReadyOrLeavePacket(0)));
    ASSERT_TRUE(second.waitForBytesWritten(WaitMs));
    EXPECT_EQ(WaitForLine("hand 1 "), "hand 1 aborted");
    // (The hand began with a GameAborted too, of reason 2, naming the dealer.)
    QByteArray aborted = ReadUntilType(first, MessageType::GameAborted);
    while (!aborted.isEmpty() && uint8_t(aborted[15]) != 1) aborted = ReadUntilType(first, MessageType::GameAborted);
    ASSERT_FALSE(aborted.isEmpty());
    EXPECT_EQ(uint8_t(aborted[6]) & 15, 0xD);
    EXPECT_EQ(uint8_t(aborted[15]), 1);
}

TEST_F(ServerTest, SigintAndSigtermEndItCleanlyEvenWhenStartedIgnoringThem) {
    // As a shell starts a background job: with the stop signals ignored.
    server_.setChildProcessModifier([] {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGTERM, SIG_IGN);
    });
    for (const int stopSignal : {SIGINT, SIGTERM}) {
        ASSERT_NO_FATAL_FAILURE(StartServer({}));
        ::kill(pid_t(server_.processId()), stopSignal);
        ASSERT_TRUE(server_.waitForFinished(WaitMs)) << "signal " << stopSignal;
        EXPECT_EQ(server_.exitStatus(), QProcess::NormalExit) << "signal " << stopSignal;
        EXPECT_EQ(server_.exitCode(), 0) << "signal " << stopSignal;
    }
}

// A kibibyte figure of a process's status, such as its VmRSS; -1 if none.
qint64 StatusKb(qint64 pid, const QByteArray& field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':')) return line.mid(field.size() + 1).simplified().split(' ').first().toLongLong();
    return -1;
}

TEST_F(ServerTest, DropsAClientThatStopsReadingWhileTheOthersChatAndStaysSmall) {
    // Freed memory that the sanitizer holds back is not the server's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":quarantine_size_mb=1");
    server_.setProcessEnvironment(environment);
    // The talker's every line is relayed: the flood reaches the others.
    ASSERT_NO_FATAL_FAILURE(StartServer({"--chat-ms", "0"}));
    QTcpSocket sleeper, talker, listener;
    // The sleeper takes one byte and then nothing more.
    sleeper.setReadBufferSize(1);
    for (auto [socket, account] : {std::pair{&sleeper, "sleeper"}, std::pair{&talker, "talker"},
                                   std::pair{&listener, "listener"}}) {
        ASSERT_NO_FATAL_FAILURE(Connect(*socket));
        socket->write(ToByteArray(BuildLoginPacket(account, "secret")));
        ASSERT_TRUE(socket->waitForBytesWritten(WaitMs));
        WaitForLine("seat ");
    }
    const qint64 baselineKb = StatusKb(server_.processId(), "VmRSS");
    ASSERT_GT(baselineKb, 0);

    qint64 heard = 0;
    QObject::connect(&listener, &QTcpSocket::readyRead, [&] { heard += listener.readAll().size(); });
    // The talker hears its own lines back and keeps up with them.
    QObject::connect(&talker, &QTcpSocket::readyRead, [&] { talker.readAll(); });
    QStringList ends;
    const auto keepEnds = [&] {
        while (server_.canReadLine()) {
            const QString line = QString::fromUtf8(server_.readLine()).trimmed();
            if (line.startsWith("drop ") || line.startsWith("close ")) ends << line;
        }
    };
    // Chat until the sleeper is dropped, and as much again after it; every
    // line goes to the sleeper, the listener and the talker.
    const QByteArray chat = ToByteArray(ChatLinePacket(2, QStringLiteral("刷屏"), {})).repeated(64);
    constexpr qint64 kFloodLimit = qint64(64) << 20;
    qint64 sent = 0, sentToDrop = 0;
    while (sent < kFloodLimit && (sentToDrop == 0 || sent < 2 * sentToDrop)) {
        talker.write(chat);
        sent += chat.size();
        ASSERT_TRUE(WaitUntil([&] { return talker.bytesToWrite() == 0; }, WaitMs));
        keepEnds();
        if (sentToDrop == 0 && !ends.isEmpty()) sentToDrop = sent;
    }
    // The listener hears every line; its seating came first.
    EXPECT_TRUE(WaitUntil([&] { return heard >= sent; }, WaitMs)) << heard << " of " << sent;
    // Without a limit the server would keep nearly all the sleeper's share of
    // the flood; the sanitizer's allocator alone keeps some megabytes.
    const qint64 peakKb = StatusKb(server_.processId(), "VmHWM");
    EXPECT_LT(peakKb - baselineKb, 16 * 1024) << "flooded " << sent / 1024 << " KiB";
    ASSERT_TRUE(WaitUntil([&] { keepEnds(); return ends.size() >= 2; }, WaitMs)) << ends.join('\n').toStdString();
    const QRegularExpressionMatch drop = QRegularExpression("^drop 1 (\\d+) bytes unsent$").match(ends[0]);
    ASSERT_TRUE(drop.hasMatch()) << ends[0].toStdString();
    // Dropped as soon as more than 1 MiB waited for it.
    EXPECT_GT(drop.captured(1).toLongLong(), 1 << 20);
    EXPECT_LE(drop.captured(1).toLongLong(), (1 << 20) + qint64(sizeof(GamePacket)));
    EXPECT_EQ(ends[1], "close 1");
    EXPECT_EQ(ends.size(), 2) << ends.join('\n').toStdString();
    EXPECT_EQ(listener.state(), QAbstractSocket::ConnectedState);
}
}  // namespace
