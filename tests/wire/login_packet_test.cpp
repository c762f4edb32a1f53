#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "wire/LoginPacket.h"
#include "support/TestClient.h"
#include <gtest/gtest.h>
#include <map>

namespace {
constexpr int kIgnoredType = 99;  // a type the message handler ignores

GamePacket PacketWith(const std::map<int, uint8_t>& bytes) {
    GamePacket packet{};
    for (const auto& [offset, value] : bytes) packet[offset] = value;
    return packet;
}

TEST(LoginPacketBuilding, AccountAndPasswordFillTheirFieldsInGbkAndEverythingElseStaysZero) {
    struct Case {
        QString account, password;
        GamePacket expected;
    } cases[] = {
        {"abc", "", PacketWith({{3, 18}, {16, 'a'}, {17, 'b'}, {18, 'c'}})},
        {"abc", "pw", PacketWith({{3, 18}, {16, 'a'}, {17, 'b'}, {18, 'c'}, {32, 'p'}, {33, 'w'}})},
        {"北京", "", PacketWith({{3, 18}, {16, 0xB1}, {17, 0xB1}, {18, 0xBE}, {19, 0xA9}})},
        {"", "密", PacketWith({{3, 18}, {32, 0xC3}, {33, 0xDC}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.account + " / " + c.password).toStdString());
        EXPECT_EQ(BuildLoginPacket(c.account, c.password), c.expected);
    }
}

// A started client that has logged in once.
class LoginPacketSending : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(t.Load());
        t->transport.EchoBytes = {0x55, 0x66};
        t.Tick(4);
    }

    // The log-in the client sends, as the type and echo bytes make it.
    static QByteArray Expected(uint8_t type, std::array<uint8_t, 2> echo) {
        GamePacket packet = BuildLoginPacket(QStringLiteral("abc"), QStringLiteral("pw"));
        packet[3] = type;
        packet[260] = echo[0];
        packet[261] = echo[1];
        return ToByteArray(packet);
    }

    void ReceiveEchoBytes(std::array<uint8_t, 2> echo) {
        GameMessage message;
        message.MsgType = kIgnoredType;
        t.Deliver(ToByteArray(EncodeGamePacket(message, {}, echo)));
        t.Tick(2);
        ASSERT_EQ(t->transport.EchoBytes, echo);
    }

    // Lets the log-in job send the packet and returns it.
    QByteArray NextLogin() {
        t.socket->sent.clear();
        t.Tick(4);
        EXPECT_EQ(t.socket->sent.size(), 1u);
        return t.socket->sent.empty() ? QByteArray() : t.socket->sent.back();
    }

    TestClient t;
};

TEST_F(LoginPacketSending, FirstLoginCarriesNoEchoBytes) {
    ASSERT_EQ(t.socket->sent.size(), 1u);
    EXPECT_EQ(t.socket->sent[0], Expected(18, {0, 0}));
}

TEST_F(LoginPacketSending, EveryReconnectRequestCarriesTheCurrentEchoBytes) {
    ReceiveEchoBytes({1, 2});
    ReconnectToServer(*t, t->connection.LoginPacket);
    EXPECT_EQ(NextLogin(), Expected(28, {1, 2}));

    ReceiveEchoBytes({3, 4});
    ReconnectToServer(*t, t->connection.LoginPacket);
    EXPECT_EQ(NextLogin(), Expected(28, {3, 4}));
}

TEST_F(LoginPacketSending, LobbyLoginAfterAReconnectIsALoginWithTheEarlierEchoBytes) {
    ReceiveEchoBytes({1, 2});
    ReconnectToServer(*t, t->connection.LoginPacket);
    EXPECT_EQ(NextLogin(), Expected(28, {1, 2}));

    ReceiveEchoBytes({7, 8});
    t.lobby->Deliver(LobbyMessage::Relogin);
    EXPECT_EQ(NextLogin(), Expected(18, {1, 2}));
}
}  // namespace
