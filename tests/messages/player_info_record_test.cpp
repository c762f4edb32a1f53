#include "messages/PlayerInfoRecord.h"
#include "platform/AnsiCodec.h"
#include "shared/PlayerInfo.h"
#include <gtest/gtest.h>
#include <functional>

namespace {
using Packet = std::array<uint8_t, kPacketSize>;

void Put(Packet& packet, int offset, const QByteArray& bytes) {
    std::copy(bytes.begin(), bytes.end(), packet.begin() + offset);
}

QByteArray Gbk(const char* text) { return AnsiCodec::ToAnsi(QString::fromUtf8(text)); }

PlayerInfo Parse(const Packet& packet) {
    PlayerInfo info;
    ParsePlayerInfo(info, packet);
    return info;
}
}  // namespace

// Each case writes bytes at one place of an otherwise empty record and checks the field they give.
TEST(PlayerInfoRecord, EachFieldIsDecodedFromItsBytes) {
    struct Case {
        const char* what;
        int offset;
        QByteArray bytes;
        std::function<void(const PlayerInfo&)> check;
    } cases[] = {
        {"no portrait code", 48, {}, [](auto& p) { EXPECT_EQ(p.Avatar, "m1"); }},
        {"portrait code", 48, "w12", [](auto& p) { EXPECT_EQ(p.Avatar, "w12"); }},
        {"nickname of two GBK characters and a letter", 16, Gbk("张三x"),
         [](auto& p) { EXPECT_EQ(p.NickName, QString::fromUtf8("张三x")); }},
        {"nickname filling its 32 bytes", 16, QByteArray(32, 'a') + "m5",
         [](auto& p) { EXPECT_EQ(p.NickName, QString(32, 'a')); EXPECT_EQ(p.Avatar, "m5"); }},
        {"lead byte in the nickname's last place stands alone", 16, QByteArray(31, 'a') + Gbk("张").left(1) + "m5",
         [](auto& p) { EXPECT_EQ(p.NickName.size(), 32); EXPECT_EQ(p.Avatar, "m5"); }},
        {"sex", 64, QByteArray(1, '\1'), [](auto& p) { EXPECT_EQ(p.Sex, 1); }},
        {"location of four characters", 72, Gbk("北京朝阳"), [](auto& p) { EXPECT_EQ(p.Area, QString::fromUtf8("北京朝阳")); }},
        {"location cut by a zero pair", 72, Gbk("北") + QByteArray(2, '\0') + Gbk("京"),
         [](auto& p) { EXPECT_EQ(p.Area, QString::fromUtf8("北")); }},
        {"points, little-endian", 80, QByteArray("\x01\x02", 2), [](auto& p) { EXPECT_EQ(p.Points, 513); }},
        {"points without a sign", 80, QByteArray(8, '\xff'), [](auto& p) { EXPECT_DOUBLE_EQ(p.Points, 18446744073709551615.0); }},
        {"credit", 88, QByteArray("\x10\x27", 2), [](auto& p) { EXPECT_EQ(p.Credit, 10000); }},
        {"money", 96, QByteArray("\xd2\x04", 2), [](auto& p) { EXPECT_EQ(p.Money, 1234); }},
        {"fourth amount", 104, QByteArray("\x00\x00\x01", 3), [](auto& p) { EXPECT_EQ(p.Extra1, 65536); }},
        {"level title", 112, Gbk("雀圣"), [](auto& p) { EXPECT_EQ(p.LevelTitle, QString::fromUtf8("雀圣")); }},
        {"amounts two to four", 128, QByteArray("\x02\0\0\0\0\0\0\0\x03\0\0\0\0\0\0\0\x04", 17),
         [](auto& p) { EXPECT_EQ(p.Extra2, 2); EXPECT_EQ(p.Extra3, 3); EXPECT_EQ(p.Extra4, 4); }},
        {"log-ins", 152, QByteArray("\x10\x27\0\0", 4), [](auto& p) { EXPECT_EQ(p.LoginCount, 10000); }},
        {"drops, wins and losses", 156, QByteArray("\x01\0\0\0\x02\x01\0\0\x00\0\0\x7f", 12),
         [](auto& p) { EXPECT_EQ(p.DropCount, 1); EXPECT_EQ(p.WinCount, 258); EXPECT_EQ(p.LossCount, 0x7f000000); }},
        {"account filling its 16 bytes", 168, QByteArray(16, 'k') + Gbk("甲"),
         [](auto& p) { EXPECT_EQ(p.Account, QString(16, 'k')); EXPECT_EQ(p.NameTag, QString::fromUtf8("甲")); }},
        {"name tag", 184, Gbk("高手"), [](auto& p) { EXPECT_EQ(p.NameTag, QString::fromUtf8("高手")); }},
        {"voice codes", 210, QByteArray("27\0\0\0\0\0\0" "20", 10),
         [](auto& p) { EXPECT_EQ(p.VoiceCode, "27"); EXPECT_EQ(p.VoiceSet, "20"); }},
        {"user id", 226, QByteArray("\x39\x30", 2), [](auto& p) { EXPECT_EQ(p.UserId, 12345); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Packet packet{};
        Put(packet, c.offset, c.bytes);
        c.check(Parse(packet));
    }
}

TEST(PlayerInfoRecord, BytesOutsideTheFieldsChangeNothingAndVoiceSexIsKept) {
    Packet packet{};
    Put(packet, 16, Gbk("李四"));
    Put(packet, 96, QByteArray("\x64", 1));
    Packet noisy = packet;
    for (int i : {65, 208, 209}) noisy[i] = 0xAB;
    std::fill(noisy.begin() + 234, noisy.begin() + 260, 0xCD);

    PlayerInfo info;
    info.VoiceSex = 3;
    info.HandVisible = 1;
    ParsePlayerInfo(info, noisy);
    const PlayerInfo plain = Parse(packet);
    EXPECT_EQ(info.NickName, plain.NickName);
    EXPECT_EQ(info.Money, 100);
    EXPECT_EQ(info.Sex, plain.Sex);
    EXPECT_EQ(info.UserId, plain.UserId);
    EXPECT_EQ(info.VoiceSex, 3);
    EXPECT_EQ(info.HandVisible, 1);
}
