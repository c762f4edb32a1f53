#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "wire/LoginPacket.h"
#include "wire/PacketTransport.h"
#include "run/Leaving.h"
#include "platform/AnsiCodec.h"
#include "platform/LobbyLink.h"
#include "support/TestClient.h"
#include "support/WarningLog.h"
#include "table/MainForm.h"
#include "table/SeatRecords.h"
#include "window/TalkWindow.h"
#include <QStringList>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <numeric>

namespace {
// A type the message handler ignores, so that only the transport acts on it.
constexpr int kIgnoredType = 99;
constexpr int kOwnSeatBit = 1;
constexpr int kLeftSeatBit = 2;  // the sender's local seat is 3
const QString kLobby = QStringLiteral("Jokro山庄");

GameMessage Message(int type, int16_t param0 = 0, uint8_t seatBit = 0) {
    GameMessage message;
    message.MsgType = static_cast<int16_t>(type);
    message.SeatBit = seatBit;
    message.Param[0] = param0;
    return message;
}

QByteArray Wire(const GameMessage& message, const QByteArray& payload = {}, std::array<uint8_t, 2> echo = {}) {
    return ToByteArray(EncodeGamePacket(message, payload, echo));
}

// A packet whose every byte matters, so that a copy from the wrong place shows.
QByteArray PatternedPacket(int16_t marker) {
    QByteArray packet = Wire(Message(kIgnoredType, marker));
    for (int i = PacketOffset::Payload; i < kPacketSize; ++i) packet[i] = static_cast<char>(i * 7 + marker);
    return packet;
}

QByteArray PacketIn(TestClient& t) {
    return QByteArray(reinterpret_cast<const char*>(t->transport.PacketIn.data()), kPacketSize);
}

int ReceiveWaiting(TestClient& t) { return WaitingBytes(t->transport.ReceiveRead, t->transport.ReceiveWrite); }
int SendWaiting(TestClient& t) { return WaitingBytes(t->transport.SendRead, t->transport.SendWrite); }

bool HasRestoredLobby(const TestClient& t) {
    for (const LobbyFrame& frame : t.lobby->frames)
        if (frame.caption == kLobby && frame.msg == WindowMessage::WM_SYSCOMMAND && frame.wParam == WindowMessage::SC_RESTORE)
            return true;
    return false;
}

// A started client that has sent its log-in; what it sent and told the lobby
// so far is forgotten.
class PacketTransport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(t.Load());
        t.Tick(4);
        ASSERT_EQ(t.socket->sent.size(), 1u) << "the log-in";
        t.socket->sent.clear();
        t.lobby->frames.clear();
        t.sound->played.clear();
    }

    // Ticks until the send ring is empty and returns what went out.
    std::vector<QByteArray> Flush() {
        t.socket->sent.clear();
        for (int i = 0; i < 200 && SendWaiting(t) > 0; ++i) t.Tick();
        return t.socket->sent;
    }

    TestClient t;
};

TEST_F(PacketTransport, PacketSplitAnywhereIsDecodedOnceWhenItsLastByteArrives) {
    const std::vector<std::vector<int>> splitTables = {
        {1}, {135}, {271}, {16, 17}, {100, 200, 260, 270}, {2, 4, 8, 16, 32, 64, 128, 256}};
    int16_t marker = 1;
    for (const auto& splits : splitTables) {
        SCOPED_TRACE(::testing::PrintToString(splits));
        const QByteArray packet = PatternedPacket(++marker);
        const int32_t readBefore = t->transport.ReceiveRead;
        int from = 0;
        for (int to : splits) {
            t.Deliver(packet.mid(from, to - from));
            from = to;
            t.Tick(3);
            EXPECT_EQ(t->transport.ReceiveRead, readBefore) << "decoded before byte 272 at " << to;
        }
        t.Deliver(packet.mid(from));
        t.Tick(2);
        EXPECT_EQ(t->transport.ReceiveRead, (readBefore + kPacketSize) % kRingSize);
        EXPECT_EQ(PacketIn(t), packet);
        EXPECT_EQ(t->transport.CurrentMessage.Param[0], marker);
        t.Tick(6);
        EXPECT_EQ(t->transport.ReceiveRead, (readBefore + kPacketSize) % kRingSize) << "decoded twice";
    }
}

TEST_F(PacketTransport, PacketDeliveredByteByByteIsDecodedOnce) {
    const QByteArray packet = PatternedPacket(5);
    for (int i = 0; i < kPacketSize - 1; ++i) {
        t.Deliver(packet.mid(i, 1));
        t.Tick();
    }
    EXPECT_EQ(t->transport.ReceiveRead, 0);
    t.Deliver(packet.right(1));
    t.Tick(8);
    EXPECT_EQ(t->transport.ReceiveRead, kPacketSize);
    EXPECT_EQ(PacketIn(t), packet);
}

TEST_F(PacketTransport, MergedPacketsAreDispatchedOnConsecutiveTicks) {
    t.Deliver(Wire(Message(kIgnoredType, 1)) + Wire(Message(kIgnoredType, 2)) + Wire(Message(kIgnoredType, 3)));
    std::vector<int> decodedPerTick;
    for (int i = 0; i < 6; ++i) {
        const int32_t before = t->transport.ReceiveRead;
        t.Tick();
        decodedPerTick.push_back(t->transport.ReceiveRead != before ? t->transport.CurrentMessage.Param[0] : 0);
    }
    EXPECT_EQ(decodedPerTick, (std::vector<int>{0, 1, 2, 3, 0, 0}));
}

TEST_F(PacketTransport, LonePacketAfterAQuietPeriodIsDispatchedWithinTwoTicks) {
    t.Deliver(Wire(Message(kIgnoredType, 1)));
    t.Tick(2);
    for (int quietTicks : {1, 2, 3, 57}) {
        t.Tick(quietTicks);
        const int32_t before = t->transport.ReceiveRead;
        t.Deliver(Wire(Message(kIgnoredType, static_cast<int16_t>(quietTicks))));
        t.Tick(2);
        EXPECT_EQ(t->transport.ReceiveRead, before + kPacketSize) << "after " << quietTicks << " quiet ticks";
        EXPECT_EQ(t->transport.CurrentMessage.Param[0], quietTicks);
    }
}

TEST_F(PacketTransport, PacketInTheLastRingSlotIsCopiedExactlyAndTheNextOneWraps) {
    QByteArray fillers;
    for (int i = 0; i < 127; ++i) fillers += Wire(Message(kIgnoredType));
    t.Deliver(fillers);
    for (int i = 0; i < 400 && ReceiveWaiting(t) > 0; ++i) t.Tick();
    ASSERT_EQ(t->transport.ReceiveRead, kRingSize - kPacketSize);

    // Byte 271 of the last slot and byte 0 of the ring differ, so a read
    // running past the end would show in PacketIn.
    QByteArray last = PatternedPacket(40);
    last[kPacketSize - 1] = char(0xA5);
    QByteArray wrapped = PatternedPacket(41);
    wrapped[0] = char(0x5A);
    t.Deliver(last + wrapped);
    t.Tick(2);
    EXPECT_EQ(PacketIn(t), last);
    EXPECT_EQ(t->transport.ReceiveRead, 0);
    t.Tick();
    EXPECT_EQ(PacketIn(t), wrapped);
    EXPECT_EQ(t->transport.ReceiveRead, kPacketSize);
}

// More than the receive ring holds arriving at once stays in the socket until
// the ring has room: nothing is lost, nothing comes out of order, and the
// client goes on.
TEST(PacketTransportBurst, PacketsBeyondTheRingWaitInTheSocketAndAreAllHandledInOrder) {
    struct Case {
        const char* name;
        int packets;
        int sliceBytes;    // the size of each delivery
        int ticksBetween;  // ticks between two deliveries
    } cases[] = {
        {"400 packets at once", 400, 400 * kPacketSize, 0},
        {"one byte more than the ring holds, then the rest", 200, kRingSize, 0},
        {"odd slices, all before the first tick", 300, 1000, 0},
        {"odd slices, one every tick while the ring is full", 300, 700, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient t;
        ASSERT_FALSE(t.Load());
        t.Tick(4);
        t.lobby->frames.clear();
        QByteArray stream;
        // Each packet is numbered in its first two params, which the client reads a byte of each.
        for (int n = 0; n < c.packets; ++n) {
            GameMessage numbered = Message(kIgnoredType, static_cast<int16_t>(n % 256));
            numbered.Param[1] = static_cast<int16_t>(n / 256);
            stream += Wire(numbered);
        }

        std::vector<int> handled;
        const auto tick = [&] {
            const int32_t before = t->transport.ReceiveRead;
            t.Tick();
            const auto& params = t->transport.CurrentMessage.Param;
            if (t->transport.ReceiveRead != before) handled.push_back(params[0] + 256 * params[1]);
        };
        try {
            for (int from = 0; from < stream.size(); from += c.sliceBytes) {
                t.Deliver(stream.mid(from, c.sliceBytes));
                EXPECT_LT(ReceiveWaiting(t), kRingSize);
                for (int k = 0; k < c.ticksBetween; ++k) tick();
            }
            if (c.ticksBetween == 0) {
                EXPECT_EQ(t.socket->BytesWaiting(), std::max(0, int(stream.size()) - (kRingSize - 1)))
                    << "what does not fit the ring stays in the socket";
            }
            for (int k = 0; k < 4 * c.packets && handled.size() < size_t(c.packets); ++k) tick();
        } catch (const ProgramEnded& end) {
            ADD_FAILURE() << "ended: " << end.reason.toStdString();
        }
        std::vector<int> expected(size_t(c.packets));
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(handled, expected);
        EXPECT_EQ(ReceiveWaiting(t), 0);
        EXPECT_EQ(t.socket->BytesWaiting(), 0);
        EXPECT_FALSE(HasRestoredLobby(t));
    }
}

TEST_F(PacketTransport, SendRingHoldsAtMost127PacketsAndDropsFurtherOnesWithAWarning) {
    WarningLog warnings;
    for (int16_t n = 0; n < 128; ++n) {
        GameMessage message = Message(kIgnoredType, n);
        SendPacket(*t, message);
    }
    EXPECT_EQ(SendWaiting(t), 127 * kPacketSize);
    ASSERT_EQ(warnings.Lines().size(), 1);
    EXPECT_TRUE(warnings.Lines()[0].contains(QStringLiteral("dropped"))) << warnings.Lines()[0].toStdString();

    const std::vector<QByteArray> sent = Flush();
    ASSERT_EQ(sent.size(), 127u);
    for (int n = 0; n < 127; ++n) EXPECT_EQ(sent[n], Wire(Message(kIgnoredType, static_cast<int16_t>(n)))) << n;
}

TEST_F(PacketTransport, TableResetsEmptyAFullSendRing) {
    const std::pair<const char*, std::function<void(Client&)>> resets[] = {
        {"ResetGameState", [](Client& c) { ResetGameState(c); }},
        {"ResetTable", [](Client& c) { ResetTable(c); }},
    };
    for (const auto& [name, reset] : resets) {
        SCOPED_TRACE(name);
        TestClient fresh;
        ASSERT_FALSE(fresh.Load());
        GameMessage message = Message(kIgnoredType);
        for (int n = 0; n < 127; ++n) SendPacket(*fresh, message);
        reset(*fresh);
        EXPECT_EQ(SendWaiting(fresh), 0);
        SendPacket(*fresh, message);
        EXPECT_EQ(SendWaiting(fresh), kPacketSize) << "the emptied ring takes packets again";
    }
}

TEST(PacketTransportConnecting, QueuedPacketsWaitForTheConnectionThenGoOutOnePerTick) {
    TestClient t;
    t.socket->stateAfterConnect = TcpLink::StateConnecting;
    ASSERT_FALSE(t.Load());
    for (int16_t n = 1; n <= 3; ++n) {
        GameMessage message = Message(kIgnoredType, n);
        SendPacket(*t, message);
    }
    t.Tick(3);
    EXPECT_TRUE(t.socket->sent.empty());
    EXPECT_EQ(SendWaiting(t), 3 * kPacketSize);

    // The log-in job's wait sees the connection come up.
    t.clock->onPump = [&] { t.socket->state = TcpLink::StateConnected; };
    t.Tick();
    ASSERT_EQ(t.socket->sent.size(), 1u) << "only the log-in";
    for (int16_t n = 1; n <= 3; ++n) {
        t.Tick();
        ASSERT_EQ(t.socket->sent.size(), size_t(n) + 1);
        EXPECT_EQ(t.socket->sent.back(), Wire(Message(kIgnoredType, n)));
    }
    t.Tick(3);
    EXPECT_EQ(t.socket->sent.size(), 4u);
    EXPECT_FALSE(t->scheduler.SendJobOn);
}

// The table resets empty the entries; a name does not replace what they hold.
TEST_F(PacketTransport, SeatNameIsTakenFromTheFirst16PayloadBytesUpToAZeroAndExtendsTheSeatsEntry) {
    struct Case {
        QByteArray payload;
        QString before;
        QString after;
    } cases[] = {
        {"abcdefghijklmnopqrst", QString(), QStringLiteral("abcdefghijklmnop")},
        {QByteArray("ab\0cd", 5), QString(), QStringLiteral("ab")},
        {"ab", QStringLiteral("x"), QStringLiteral("xab")},
        {QByteArray(16, '\0'), QStringLiteral("x"), QStringLiteral("x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payload.toStdString());
        t->table.SeatNames[2] = c.before;
        t.Deliver(Wire(Message(3, 0, 0x14), c.payload));  // seat bit 4 in the low nibble: server seat 2
        t.Tick(2);
        EXPECT_EQ(t->table.SeatNames[2], c.after);
    }
}

// Received chat lines, from the own seat or the left neighbour (local seat 3).
class PacketTransportChat : public PacketTransport {
protected:
    void SetUp() override {
        PacketTransport::SetUp();
        t->seatInfo[0].SeatBit = kOwnSeatBit;
        PlayerInfo& own = t->playerInfo[0];
        own.NickName = QStringLiteral("nick");
        own.NameTag = QStringLiteral("tag");
        PlayerInfo& left = t->playerInfo[3];
        left.VoiceCode = QStringLiteral("m");
        left.VoiceSet = QStringLiteral("2");
        left.Sex = 1;
        left.VoiceSex = 0;
    }

    void DeliverChat(uint8_t senderSeatBit, const QByteArray& text, std::array<int16_t, 4> params = {}) {
        GameMessage message = Message(19, 0, senderSeatBit);
        message.Param = params;
        t.Deliver(Wire(message, text));
        t.Tick(2);
    }

    QStringList ChatLog() {
        QStringList lines;
        if (!t->talk) return lines;
        for (int i = 0; i < t->talk->Text1->count(); ++i) lines << t->talk->Text1->item(i)->text();
        return lines;
    }

    // The ticker's newest line: the lower one once both hold text.
    QString NewestTickerLine() {
        for (int line : {1, 0})
            if (t->mainForm->Sysmsg[line]->count() > 0) return t->mainForm->Sysmsg[line]->item(0)->text();
        return QString();
    }

    static constexpr std::array<int16_t, 4> kVoice{1, 0, 'k', 12};
};

TEST_F(PacketTransportChat, AllZeroTextAddsNoLineToTheChatLog) {
    DeliverChat(kLeftSeatBit, QByteArray(200, '\0'));
    EXPECT_TRUE(ChatLog().isEmpty());
}

TEST_F(PacketTransportChat, OwnNameIsShownAsYou) {
    struct Case {
        QString nick, tag, text, shown;
    } cases[] = {
        {"nick", "tag", "[tag]nick说[tag]nick", "你说你"},
        {"nick", "tag", "nick和nick", "你和nick"},
        {"nick", "tag", "系统提示：nick进入", "系统提示：nick进入"},
        {"nick", "tag", "系统提示：[tag]nick和nick", "系统提示：你和nick"},
        {"nick", "tag", "[TAG]NICK", "[TAG]NICK"},
        {"", "tag", "[tag]x", "[tag]x"},
        {"", "", "a[]b", "a[]b"},
        {"nick", "tag", QString::fromUtf8("ab\0nick", 7), "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        t->playerInfo[0].NickName = c.nick;
        t->playerInfo[0].NameTag = c.tag;
        t->Talk().Text1->clear();
        DeliverChat(kLeftSeatBit, AnsiCodec::ToAnsi(c.text));
        EXPECT_EQ(ChatLog(), QStringList{c.shown});
        EXPECT_EQ(NewestTickerLine(), c.shown);
    }
}

TEST_F(PacketTransportChat, LineFromTheOwnSeatNeitherSpeaksNorBlinks) {
    DeliverChat(kOwnSeatBit, "hello", kVoice);
    EXPECT_EQ(ChatLog(), QStringList{"hello"});
    EXPECT_TRUE(t.sound->played.empty());
    EXPECT_EQ(t->table.ChatBlinkCount, 0);
    EXPECT_EQ(t->transport.CurrentMessage.SeatBit, 0) << "the sender's local seat";
}

TEST_F(PacketTransportChat, LineFromAnotherSeatSpeaksItsPhraseOnceEvenWithEffectSoundsOff) {
    t->sound.EffectSoundOn = false;
    DeliverChat(kLeftSeatBit, "hello", kVoice);
    ASSERT_EQ(t.sound->played.size(), 1u);
    EXPECT_EQ(t.sound->played[0].path, t->sound.VoiceFolder + QStringLiteral("vm210k12.wav"));
    EXPECT_FALSE(t.sound->played[0].looped);
    EXPECT_EQ(t.sound->volume, 3000);
    EXPECT_EQ(t->table.ChatBlinkCount, 8);
    EXPECT_EQ(t->transport.CurrentMessage.SeatBit, 3) << "the sender's local seat";
}

TEST_F(PacketTransportChat, PhraseWithANameThatIsNotPlainLettersAndDigitsStaysSilent) {
    struct Case {
        const char* name;
        QString voiceCode, voiceSet;
        int16_t phrase;
    } cases[] = {
        {"path in the voice code", "../m", "2", 'k'},
        {"blank in the voice set", "m", "2 ", 'k'},
        {"Chinese voice set", "m", "中", 'k'},
        {"slash as phrase", "m", "2", '/'},
        {"zero as phrase", "m", "2", 0},
        {"high byte as phrase", "m", "2", 0xE9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t->playerInfo[3].VoiceCode = c.voiceCode;
        t->playerInfo[3].VoiceSet = c.voiceSet;
        DeliverChat(kLeftSeatBit, "hello", {1, 0, c.phrase, 12});
        EXPECT_TRUE(t.sound->played.empty());
    }
}

TEST_F(PacketTransportChat, LongLineIsWrappedAt46InTheLogAndCutTo45InTheTicker) {
    const QString text = QStringLiteral("0123456789").repeated(6);
    DeliverChat(kLeftSeatBit, text.toLatin1());
    EXPECT_EQ(ChatLog(), (QStringList{text.left(47), QLatin1Char(' ') + text.mid(47)}));
    EXPECT_EQ(NewestTickerLine(), text.left(45));
}

TEST_F(PacketTransport, EmptyChatTextQueuesNothing) {
    t->scheduler.SendJobOn = false;
    GameMessage chat = Message(19);
    SendPacket(*t, chat);
    EXPECT_EQ(SendWaiting(t), 0);
    EXPECT_FALSE(t->scheduler.SendJobOn);
}

TEST_F(PacketTransport, ChatTextIsSentAsItsFirst100CharactersInAnsiBytes) {
    const QByteArray zhong = AnsiCodec::ToAnsi(QStringLiteral("中"));
    ASSERT_EQ(zhong.size(), 2);
    struct Case {
        QString text;
        QByteArray payload;
    } cases[] = {
        {QString(101, QLatin1Char('a')), QByteArray(100, 'a')},
        {QStringLiteral("中").repeated(100), zhong.repeated(100)},
        {QStringLiteral("中").repeated(101), zhong.repeated(100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        t->transport.ChatOutText = c.text;
        GameMessage chat = Message(19);
        SendPacket(*t, chat);
        EXPECT_TRUE(t->transport.ChatOutText.isEmpty());
        const std::vector<QByteArray> sent = Flush();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], Wire(chat, c.payload));
    }
}

TEST_F(PacketTransport, SentPacketsCarryTheEchoBytesOfTheLastReceivedPacket) {
    t.Deliver(Wire(Message(kIgnoredType), {}, {0x12, 0x34}));
    t.Tick(2);
    GameMessage message = Message(kIgnoredType, 7);
    SendPacket(*t, message);
    t->transport.ChatOutText = QStringLiteral("hi");
    GameMessage chat = Message(19);
    SendPacket(*t, chat);
    const std::vector<QByteArray> sent = Flush();
    ASSERT_EQ(sent.size(), 2u);
    for (const QByteArray& packet : sent) {
        EXPECT_EQ(uint8_t(packet[260]), 0x12);
        EXPECT_EQ(uint8_t(packet[261]), 0x34);
    }
}

TEST_F(PacketTransport, NewConnectionDropsAnIncompletePacketAndKeepsWholeOnes) {
    const std::pair<const char*, std::function<void(TestClient&)>> connects[] = {
        {"log-in asked by the lobby", [](TestClient& c) { c.lobby->Deliver(LobbyMessage::Relogin); }},
        {"reconnect request", [](TestClient& c) { ReconnectToServer(*c, c->connection.LoginPacket); }},
    };
    for (const auto& [name, connect] : connects) {
        SCOPED_TRACE(name);
        TestClient fresh;
        ASSERT_FALSE(fresh.Load());
        fresh.Deliver(Wire(Message(kIgnoredType, 1)) + Wire(Message(kIgnoredType, 2)).left(100));
        connect(fresh);
        fresh.Deliver(Wire(Message(kIgnoredType, 3)));
        std::vector<int> decoded;
        for (int i = 0; i < 10; ++i) {
            const int32_t before = fresh->transport.ReceiveRead;
            fresh.Tick();
            if (fresh->transport.ReceiveRead != before) decoded.push_back(fresh->transport.CurrentMessage.Param[0]);
        }
        EXPECT_EQ(decoded, (std::vector<int>{1, 3}));
        EXPECT_EQ(ReceiveWaiting(fresh), 0);
    }
}
}  // namespace
