#include "wire/LoginPacket.h"
#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
GamePacket WithEcho(GamePacket packet, std::array<uint8_t, 2> echo) {
    packet[260] = echo[0];
    packet[261] = echo[1];
    return packet;
}

GamePacket WithBytes(GamePacket packet, int offset, const QByteArray& bytes) {
    std::copy(bytes.begin(), bytes.end(), packet.begin() + offset);
    return packet;
}

struct LoginReplyCase {
    const char* name;
    int verdict;
    int turnSeconds;
    int timeoutLimit;
    QByteArray banner;
    QByteArray bannerOnWire;
};

TEST(ServerPackets, LoginReplyIsByteExact) {
    const QByteArray hundred(100, 'h');
    const LoginReplyCase cases[] = {
        {"accepted, no banner", 1, 8, 3, "", ""},
        {"refused, game not started", 2, 15, 0, "http://127.0.0.1/b", "http://127.0.0.1/b"},
        {"limit 255 stays in byte 9 alone", 1, 8, 255, "", ""},
        {"banner of 100 bytes has no terminator", 1, 8, 3, hundred, hundred},
        {"longer banner is cut to 100 bytes", 1, 8, 3, hundred + "tail", hundred},
    };
    for (const LoginReplyCase& c : cases) {
        GamePacket expected{};
        expected[3] = 18;
        expected[9] = uint8_t(c.timeoutLimit);
        expected[11] = uint8_t(c.turnSeconds);
        expected[15] = uint8_t(c.verdict);
        expected[260] = 0xAB;
        expected[261] = 0x01;
        expected = WithBytes(expected, 16, c.bannerOnWire);
        EXPECT_EQ(LoginReplyPacket(c.verdict, c.turnSeconds, c.timeoutLimit, c.banner, {0xAB, 0x01}), expected)
            << c.name;
    }
}

TEST(ServerPackets, ReconnectReplyIsByteExact) {
    for (const bool accepted : {true, false}) {
        GamePacket expected{};
        expected[3] = 29;
        expected[15] = accepted ? 1 : 0;
        expected[260] = 0x02;
        expected[261] = 0xFE;
        EXPECT_EQ(ReconnectReplyPacket(accepted, {0x02, 0xFE}), expected) << "accepted=" << accepted;
    }
}

TEST(ServerPackets, ChatLineCarriesGbkTextCutAtACharacterBoundary) {
    const QString text = QStringLiteral("a") + QString(150, QChar(u'麻'));
    const GamePacket packet = ChatLinePacket(4, text, {0, 7});

    GamePacket expected{};
    expected[3] = 19;
    expected[6] = 4;
    expected[261] = 7;
    // 1 + 99 * 2 = 199 bytes: the 100th 麻 would end past byte 215.
    expected = WithBytes(expected, 16, AnsiCodec::ToAnsi(QStringLiteral("a") + QString(99, QChar(u'麻'))));
    EXPECT_EQ(packet, expected);
}

TEST(ServerPackets, SeatNameAndPlayerReadyCarryTheAccountInBytes16To31) {
    const struct {
        const char* name;
        GamePacket packet;
        int type;
        int seatBit;
        int param3;
        QByteArray accountOnWire;
    } cases[] = {
        {"seat name", SeatNamePacket(4, "computer2", {0, 3}), 3, 4, 0, "computer2"},
        {"seat name cut to 16 bytes", SeatNamePacket(8, "abcdefghijklmnopq", {0, 3}), 3, 8, 0, "abcdefghijklmnop"},
        {"ready mark", PlayerReadyPacket(2, "computer3", {0, 3}), 23, 2, 1, "computer3"},
    };
    for (const auto& c : cases) {
        GamePacket expected{};
        expected[3] = uint8_t(c.type);
        expected[6] = uint8_t(c.seatBit);
        expected[15] = uint8_t(c.param3);
        expected[261] = 3;
        EXPECT_EQ(c.packet, WithBytes(expected, 16, c.accountOnWire)) << c.name;
    }
}

TEST(ServerPackets, PlayerRecordIsLaidOutByteByByte) {
    const PlayerRecord record{.nickName = QStringLiteral("电脑小青 q"),
                              .avatar = "w10",
                              .sex = 1,
                              .area = QStringLiteral("杭州"),
                              .points = 0x0102,
                              .credit = 0xFFFFFFFFFFFFFFFF,
                              .money = 52800,
                              .levelTitle = QStringLiteral("雀圣"),
                              .logins = 10000,
                              .drops = 3,
                              .wins = 0x01020304,
                              .losses = 171,
                              .account = "computer1",
                              .nameTag = QStringLiteral("电脑"),
                              .ready = true,
                              .voiceCode = "00",
                              .voiceSet = "20",
                              .userId = 900001};
    const GamePacket packet = PlayerJoinedPacket(0, record, {0x12, 0x34});

    const struct {
        const char* field;
        int offset;
        QByteArray bytes;
    } layout[] = {
        {"type", 2, QByteArray("\x00\x14", 2)},
        {"seat bit", 6, QByteArray(1, '\0')},
        {"nickname, GBK", 16, AnsiCodec::ToAnsi(QStringLiteral("电脑小青 q"))},
        {"portrait code", 48, "w10"},
        {"sex", 64, "\x01"},
        {"location, GBK", 72, AnsiCodec::ToAnsi(QStringLiteral("杭州"))},
        {"points, little-endian", 80, QByteArray("\x02\x01\x00\x00\x00\x00\x00\x00", 8)},
        {"credit, all 64 bits", 88, QByteArray(8, char(0xFF))},
        {"money", 96, QByteArray("\x40\xCE\x00\x00\x00\x00\x00\x00", 8)},
        {"level title, GBK", 112, AnsiCodec::ToAnsi(QStringLiteral("雀圣"))},
        {"log-ins", 152, QByteArray("\x10\x27\x00\x00", 4)},
        {"disconnects", 156, QByteArray("\x03\x00\x00\x00", 4)},
        {"games won", 160, QByteArray("\x04\x03\x02\x01", 4)},
        {"games lost", 164, QByteArray("\xAB\x00\x00\x00", 4)},
        {"account", 168, "computer1"},
        {"name tag, GBK", 184, AnsiCodec::ToAnsi(QStringLiteral("电脑"))},
        {"ready flag", 208, "\x01"},
        {"voice dialect code", 210, "00"},
        {"voice set code", 218, "20"},
        {"user id", 226, QByteArray("\xA1\xBB\x0D\x00\x00\x00\x00\x00", 8)},
        {"echo bytes", 260, "\x12\x34"},
    };
    GamePacket expected{};
    for (const auto& field : layout) {
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(packet.data()) + field.offset, field.bytes.size()),
                  field.bytes)
            << field.field;
        expected = WithBytes(expected, field.offset, field.bytes);
    }
    EXPECT_EQ(packet, expected) << "a byte outside the fields is not 0";
}

TEST(ServerPackets, PlayerRecordTextsAreCutToTheirFieldsWithoutSplittingACharacter) {
    const PlayerRecord record{.nickName = QStringLiteral("a") + QString(16, QChar(u'麻')),
                              .area = QStringLiteral("黑龙江省哈"),
                              .levelTitle = QString(9, QChar(u'雀')),
                              .account = "abcdefghijklmnopq",
                              .nameTag = QString(13, QChar(u'电')),
                              .voiceCode = "123456789",
                              .voiceSet = "987654321"};
    const GamePacket packet = PlayerJoinedPacket(15, record);

    EXPECT_EQ(packet[6], 15);
    const struct {
        const char* field;
        int offset;
        int length;
        QByteArray bytes;
    } fields[] = {
        // 1 + 15 * 2 = 31 bytes: the 16th 麻 would end past byte 47.
        {"nickname", 16, 32, AnsiCodec::ToAnsi(QStringLiteral("a") + QString(15, QChar(u'麻'))) + '\0'},
        {"location", 72, 8, AnsiCodec::ToAnsi(QStringLiteral("黑龙江省"))},
        {"level title", 112, 16, AnsiCodec::ToAnsi(QString(8, QChar(u'雀')))},
        {"account", 168, 16, "abcdefghijklmnop"},
        {"name tag", 184, 24, AnsiCodec::ToAnsi(QString(12, QChar(u'电')))},
        {"voice dialect code", 210, 8, "12345678"},
        {"voice set code", 218, 8, "98765432"},
    };
    for (const auto& field : fields)
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(packet.data()) + field.offset, field.length), field.bytes)
            << field.field;
}

TEST(ServerPackets, DescribePacketShowsHeaderAccountTextAndEcho) {
    GamePacket reconnect = BuildLoginPacket("abcdefghijklmnop", "hunter2");
    reconnect[3] = MessageType::Reconnect;
    GameMessage keepAlive;
    keepAlive.MsgType = 24;
    keepAlive.SeatBit = 8;
    GameMessage unknown;
    unknown.MsgType = 0x1234;
    unknown.Byte5 = 5;
    unknown.SeatBit = 0xF1;
    unknown.Byte7 = 7;
    unknown.Param = {-1, 300, 0, 1};

    const struct {
        const char* name;
        GamePacket packet;
        QString line;
    } cases[] = {
        {"login", WithEcho(BuildLoginPacket(QStringLiteral("玩家一"), "hunter2"), {1, 2}),
         QStringLiteral("type=18 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=玩家一 echo=1,2")},
        {"16-byte account ends where the password starts", WithEcho(reconnect, {0, 9}),
         "type=28 seat=0 byte5=0 byte7=0 params=0,0,0,0 account=abcdefghijklmnop echo=0,9"},
        {"chat text on one line", ChatLinePacket(2, QStringLiteral("吃\n碰"), {0, 3}),
         QStringLiteral("type=19 seat=2 byte5=0 byte7=0 params=0,0,0,0 text=吃 碰 echo=0,3")},
        {"keep-alive has no payload part", EncodeGamePacket(keepAlive, "not text", {0, 4}),
         "type=24 seat=8 byte5=0 byte7=0 params=0,0,0,0 echo=0,4"},
        {"unknown type, whole header", EncodeGamePacket(unknown, "not text", {255, 255}),
         "type=4660 seat=241 byte5=5 byte7=7 params=-1,300,0,1 echo=255,255"},
    };
    for (const auto& c : cases) {
        const QString line = DescribePacket(c.packet.data());
        EXPECT_EQ(line, c.line) << c.name;
        EXPECT_FALSE(line.contains("hunter2")) << c.name;
    }
}

TEST(ServerPackets, DescribeSentPacketLeavesOutThePayload) {
    const GamePacket reply = LoginReplyPacket(1, 8, 3, "http://127.0.0.1/banner", {0, 1});
    EXPECT_EQ(DescribeSentPacket(reply.data()), "type=18 seat=0 byte5=0 byte7=0 params=3,8,0,1 echo=0,1");
}
}  // namespace
