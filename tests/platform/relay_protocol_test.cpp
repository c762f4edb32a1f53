#include "platform/RelayProtocol.h"
#include "support/RelayMessagePrint.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

std::vector<RelayMessage> ReadAll(RelayReader& reader) {
    std::vector<RelayMessage> messages;
    while (const auto message = reader.Next()) messages.push_back(*message);
    return messages;
}

QString DecodeError(const QByteArray& message) {
    const auto decoded = DecodeRelayMessage(message);
    const auto* error = std::get_if<QString>(&decoded);
    return error ? *error : QStringLiteral("(decoded)");
}

struct WireCase {
    const char* name;
    RelayMessage message;
    QByteArray bytes;
};

std::vector<WireCase> WireCases() {
    return {
        {"login", RelayLogin("ab"), Hex("00000003" "01" "6162")},
        {"login, UTF-8 account", RelayLogin("\xe5\xb0\x8f"), Hex("00000004" "01" "e5b08f")},
        {"link", RelayLink(3, "bob"), Hex("00000005" "02" "03" "626f62")},
        {"unlink", RelayUnlink(8), Hex("00000002" "03" "08")},
        {"frame", RelayData(2, RelayDataKind::Frame, Hex("ffd8")), Hex("00000005" "04" "02" "01" "ffd8")},
        {"empty frame", RelayData(1, RelayDataKind::Frame, {}), Hex("00000003" "04" "01" "01")},
        {"empty format", RelayData(1, RelayDataKind::Format, {}), Hex("00000003" "04" "01" "02")},
        {"negative mode", RelayData(1, RelayDataKind::Mode, ModePayload(-2)), Hex("00000005" "04" "01" "03" "fffe")},
        {"login result", RelayLoginResult(2), Hex("00000003" "81" "0002")},
        {"state", RelayState(5, 15), Hex("00000004" "82" "05" "000f")},
        {"high state", RelayState(1, 0x1234), Hex("00000004" "82" "01" "1234")},
        {"peer data", RelayPeerData(7, RelayDataKind::Frame, "x"), Hex("00000004" "84" "07" "01" "78")},
        {"peer mode", RelayPeerData(4, RelayDataKind::Mode, ModePayload(2)), Hex("00000005" "84" "04" "03" "0002")},
    };
}

TEST(RelayProtocol, EncodesEveryTypeByteExactAndDecodesItBack) {
    for (const WireCase& wire : WireCases()) {
        SCOPED_TRACE(wire.name);
        EXPECT_EQ(EncodeRelayMessage(wire.message).toHex(), wire.bytes.toHex());
        // Bytes past the message's end must not be taken into it.
        const QByteArray guarded = wire.bytes + "GUARD";
        const auto decoded = DecodeRelayMessage(QByteArrayView(guarded).sliced(4, wire.bytes.size() - 4));
        ASSERT_TRUE(std::holds_alternative<RelayMessage>(decoded)) << qPrintable(std::get<QString>(decoded));
        EXPECT_EQ(std::get<RelayMessage>(decoded), wire.message);
    }
}

TEST(RelayProtocol, ModePayloadRoundTripsSixteenBits) {
    for (const int16_t mode : {int16_t(0), int16_t(2), int16_t(-1), int16_t(0x7fff), int16_t(-0x8000)})
        EXPECT_EQ(ModeOfPayload(ModePayload(mode)), mode);
    EXPECT_EQ(ModeOfPayload(Hex("01")), 0) << "a payload of the wrong size is no mode";
}

TEST(RelayProtocol, TakesEveryCapExactly) {
    const QByteArray account64(RelayLimits::MaxAccountBytes, 'a');
    const QByteArray format64(RelayLimits::MaxFormatBytes, 'f');
    const QByteArray biggestFrame(VideoFrame::MaxBytes, '\x5a');
    const std::vector<RelayMessage> largest = {
        RelayLogin(account64),
        RelayLink(8, account64),
        RelayLink(1, "x"),
        RelayState(8, 0xffff),
        RelayData(1, RelayDataKind::Format, format64),
        RelayData(1, RelayDataKind::Frame, biggestFrame),
        RelayPeerData(8, RelayDataKind::Frame, biggestFrame),
        // DATA on a slot no client links is the relay's to drop, not an error.
        RelayData(0, RelayDataKind::Frame, "x"),
        RelayData(255, RelayDataKind::Frame, "x"),
    };
    for (const RelayMessage& message : largest) {
        const QByteArray bytes = EncodeRelayMessage(message);
        ASSERT_LE(bytes.size() - 4, RelayLimits::MaxMessageBytes);
        const auto decoded = DecodeRelayMessage(QByteArrayView(bytes).sliced(4));
        ASSERT_TRUE(std::holds_alternative<RelayMessage>(decoded)) << qPrintable(std::get<QString>(decoded));
        EXPECT_EQ(std::get<RelayMessage>(decoded), message);
    }
    EXPECT_EQ(RelayLimits::MaxMessageBytes, 3 + VideoFrame::MaxBytes);
}

TEST(RelayProtocol, RefusesEveryMalformedMessageWithItsReason) {
    const QByteArray account65(RelayLimits::MaxAccountBytes + 1, 'a');
    const QByteArray format65(RelayLimits::MaxFormatBytes + 1, 'f');
    const struct {
        QByteArray message;
        const char* reason;
    } cases[] = {
        {{}, "empty message"},
        {Hex("05"), "unknown type 0x05"},
        {Hex("83"), "unknown type 0x83"},
        {Hex("00"), "unknown type 0x00"},
        {Hex("01"), "account of 0 bytes"},
        {Hex("01") + account65, "account of 65 bytes"},
        {Hex("02"), "LINK of 0 bytes"},
        {Hex("0200") + "a", "slot 0"},
        {Hex("0209") + "a", "slot 9"},
        {Hex("0201"), "account of 0 bytes"},
        {Hex("0201") + account65, "account of 65 bytes"},
        {Hex("03"), "UNLINK of 0 bytes"},
        {Hex("030101"), "UNLINK of 2 bytes"},
        {Hex("0300"), "slot 0"},
        {Hex("03ff"), "slot 255"},
        {Hex("04"), "DATA of 0 bytes"},
        {Hex("0401"), "DATA of 1 bytes"},
        {Hex("040100"), "unknown kind 0"},
        {Hex("040104"), "unknown kind 4"},
        {Hex("040103"), "mode of 0 bytes"},
        {Hex("04010300"), "mode of 1 bytes"},
        {Hex("040103000000"), "mode of 3 bytes"},
        {Hex("040102") + format65, "format of 65 bytes"},
        {Hex("81"), "LOGIN_RESULT of 0 bytes"},
        {Hex("8100"), "LOGIN_RESULT of 1 bytes"},
        {Hex("81000200"), "LOGIN_RESULT of 3 bytes"},
        {Hex("82000e"), "STATE of 2 bytes"},
        {Hex("8200000e"), "slot 0"},
        {Hex("8209000e"), "slot 9"},
        {Hex("84"), "PEER_DATA of 0 bytes"},
        {Hex("840109"), "unknown kind 9"},
        {Hex("840102") + format65, "format of 65 bytes"},
        {Hex("04010100") + QByteArray(VideoFrame::MaxBytes, 'x'), "message of 262148 bytes"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.message.left(8).toHex().toStdString());
        EXPECT_EQ(DecodeError(entry.message), QString::fromLatin1(entry.reason));
    }
}

// A stream of messages of every size class, as a relay client would see it.
QByteArray Stream(std::vector<RelayMessage>& messages) {
    messages = {RelayLoginResult(2), RelayState(1, 14), RelayPeerData(1, RelayDataKind::Frame, QByteArray(70000, 'j')),
                RelayPeerData(1, RelayDataKind::Format, "fmt"), RelayState(2, 5),
                RelayPeerData(2, RelayDataKind::Frame, {})};
    QByteArray stream;
    for (const RelayMessage& message : messages) stream += EncodeRelayMessage(message);
    return stream;
}

TEST(RelayReader, GathersMessagesHoweverTheStreamIsCut) {
    std::vector<RelayMessage> expected;
    const QByteArray stream = Stream(expected);
    for (const qsizetype chunk : {qsizetype(1), qsizetype(3), qsizetype(4), qsizetype(5), qsizetype(4096),
                                  qsizetype(65536), stream.size()}) {
        SCOPED_TRACE(chunk);
        RelayReader reader;
        std::vector<RelayMessage> read;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            reader.Append(QByteArrayView(stream).sliced(at, std::min(chunk, stream.size() - at)));
            for (const RelayMessage& message : ReadAll(reader)) read.push_back(message);
        }
        EXPECT_EQ(read, expected);
        EXPECT_TRUE(reader.Error().isEmpty());
    }
}

TEST(RelayReader, WaitsForTheRestOfAMessageOfTheLargestSize) {
    RelayReader reader;
    const QByteArray biggest =
        EncodeRelayMessage(RelayData(1, RelayDataKind::Frame, QByteArray(VideoFrame::MaxBytes, 'b')));
    reader.Append(QByteArrayView(biggest).first(biggest.size() - 1));
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(reader.Error().isEmpty());
    reader.Append(QByteArrayView(biggest).last(1));
    const auto message = reader.Next();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->bytes.size(), VideoFrame::MaxBytes);
}

TEST(RelayReader, BreaksOnABadLengthBeforeItsBodyCameAndStaysBroken) {
    const struct {
        QByteArray header;
        const char* reason;
    } cases[] = {
        {Hex("00000000"), "empty message"},
        {Hex("00040004"), "message of 262148 bytes"},
        {Hex("ffffffff"), "message of 4294967295 bytes"},
        {Hex("80000000"), "message of 2147483648 bytes"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.reason);
        RelayReader reader;
        reader.Append(EncodeRelayMessage(RelayState(1, 14)) + entry.header);
        const auto first = reader.Next();
        ASSERT_TRUE(first) << "the message before the bad length still counts";
        EXPECT_EQ(*first, RelayState(1, 14));
        EXPECT_FALSE(reader.Next());
        EXPECT_EQ(reader.Error(), QString::fromLatin1(entry.reason));
        reader.Append(EncodeRelayMessage(RelayState(2, 14)));
        EXPECT_FALSE(reader.Next()) << "nothing after a broken length can be trusted";
    }
}

TEST(RelayReader, BreaksOnAMalformedBodyAfterTheGoodMessagesBeforeIt) {
    RelayReader reader;
    reader.Append(EncodeRelayMessage(RelayLogin("a")) + Hex("00000002" "0300") + EncodeRelayMessage(RelayUnlink(1)));
    EXPECT_EQ(ReadAll(reader), std::vector<RelayMessage>{RelayLogin("a")});
    EXPECT_EQ(reader.Error(), QStringLiteral("slot 0"));
}
}  // namespace
