// Every message that names a player carries the account as the log-in packet
// writes it: GBK bytes in a field of 16, ended by a zero byte when shorter.
// The seat names, the player records, the ready marks and the departures
// must read the same bytes as the same name, or a seat named by one message
// is not found by the next.
#include "wire/GamePacket.h"
#include "wire/LoginPacket.h"
#include "dravik-server/HandPackets.h"
#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include <gtest/gtest.h>

namespace {
struct AccountCase {
    const char* name;
    QByteArray field;  // the bytes of the 16-byte field, without the zero padding
    QString read;
    bool canBeOwn;  // a command line can name it
};

QByteArray Gbk(const QString& text) { return AnsiCodec::ToAnsi(text); }

const AccountCase kAccounts[] = {
    {"ASCII", "robot1", QStringLiteral("robot1"), true},
    {"GBK Chinese", Gbk(QStringLiteral("张三")), QStringLiteral("张三"), true},
    {"a full field", Gbk(QStringLiteral("张三李四王五赵六")), QStringLiteral("张三李四王五赵六"), true},
    {"an odd lead byte at the end", QByteArray("ab\xD5"), QStringLiteral("ab\uFFFD"), false},
    {"a lead byte in the field's last place", QByteArray("abcdefghijklmno\xD5"),
     QStringLiteral("abcdefghijklmno\uFFFD"), false},
};

// The test client's own account is "abc"; the server gives it seat bit 1,
// so seat bit 4 sits opposite (local seat 2).
constexpr uint8_t kOpposite = 4;
constexpr int kOppositeSeat = 2;

PlayerRecord Record(const QByteArray& account) {
    return {.nickName = QStringLiteral("对家"),
            .avatar = "m2",
            .account = account,
            // Right behind the account field: no byte of it may join the account.
            .nameTag = QStringLiteral("玩家"),
            .voiceCode = "00",
            .voiceSet = "10"};
}

class AccountNames : public ::testing::Test {
protected:
    void Start(const QString& ownAccount) {
        t.emplace(QStringLiteral("%1$pw$127.0.0.1$4000$北京$0$$0$$$$$$").arg(ownAccount));
        ASSERT_EQ(t->Load(), std::nullopt);
        t->Tick(4);
    }
    void Receive(const GamePacket& packet) {
        t->Deliver(ToByteArray(packet));
        t->Tick(2);
    }
    void NameTheSeats(const std::array<QByteArray, 4>& names) {
        for (int i = 0; i < 4; ++i) Receive(SeatNamePacket(uint8_t(1 << i), names[i]));
    }
    Client& c() { return **t; }

    std::optional<TestClient> t;
};

TEST_F(AccountNames, SeatNamesRecordsReadyMarksAndDeparturesReadOneAccountAlike) {
    for (const AccountCase& k : kAccounts) {
        SCOPED_TRACE(k.name);
        Start(QStringLiteral("abc"));
        NameTheSeats({"abc", "left", k.field, "right"});
        EXPECT_EQ(c().table.SeatNames[2], k.read);
        EXPECT_EQ(c().seatInfo[kOppositeSeat].Account, k.read) << "the seat order from the names";

        Receive(PlayerJoinedPacket(kOpposite, Record(k.field)));
        EXPECT_EQ(c().playerInfo[kOppositeSeat].Account, k.read);
        EXPECT_EQ(c().seatInfo[kOppositeSeat].Account, k.read) << "the record's seat";
        EXPECT_EQ(c().playerInfo[kOppositeSeat].NameTag, QStringLiteral("玩家"));

        Receive(PlayerReadyPacket(kOpposite, k.field));
        EXPECT_TRUE(c().mainForm->OK[kOppositeSeat]->isVisible()) << "the ready mark";

        Receive(PlayerLeftPacket(k.field));
        EXPECT_TRUE(c().seatInfo[kOppositeSeat].Account.isEmpty()) << "the seat left";
        EXPECT_TRUE(c().mainForm->Nid[kOppositeSeat]->Caption().isEmpty());
    }
}

// The own account goes out in the log-in packet and comes back in the names
// and in the departures.
TEST_F(AccountNames, TheOwnAccountFindsItsSeatAmongTheNamesAndItsDepartureEndsTheClient) {
    for (const AccountCase& k : kAccounts) {
        if (!k.canBeOwn) continue;
        SCOPED_TRACE(k.name);
        Start(k.read);
        const std::array<uint8_t, kPacketSize> login = BuildLoginPacket(k.read, QStringLiteral("pw"));
        EXPECT_EQ(AccountField::Decode(login.data() + PacketOffset::Payload), k.read);

        NameTheSeats({"north", k.field, "south", "east"});
        EXPECT_EQ(c().seatInfo[0].SeatBit, 2);
        EXPECT_EQ(c().seatInfo[0].Account, k.read);

        t->Deliver(ToByteArray(PlayerLeftPacket(k.field)));
        EXPECT_THROW(t->Tick(2), ProgramEnded);
    }
}
}  // namespace
