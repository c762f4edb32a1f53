#include "wire/GamePacket.h"
#include <gtest/gtest.h>

namespace {
GamePacket WithHeader(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    GamePacket packet{};
    for (auto [offset, value] : bytes) packet[offset] = value;
    return packet;
}
}  // namespace

TEST(GamePacketEncoding, ParametersAreBigEndianTwosComplement) {
    struct Case {
        int16_t param;
        uint8_t high, low;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {300, 0x01, 0x2C}, {-1, 0xFF, 0xFF}, {-2, 0xFF, 0xFE}, {32767, 0x7F, 0xFF}, {-32768, 0x80, 0x00}};
    for (const Case& c : cases) {
        GameMessage message;
        message.Param = {c.param, 0, 0, c.param};
        const GamePacket packet = EncodeGamePacket(message);
        EXPECT_EQ(packet[8], c.high) << c.param;
        EXPECT_EQ(packet[9], c.low) << c.param;
        EXPECT_EQ(packet[14], c.high) << c.param;
        EXPECT_EQ(packet[15], c.low) << c.param;
    }
}

TEST(GamePacketEncoding, HeaderPayloadAndEchoLandAtTheirOffsetsAndReservedBytesStayZero) {
    GameMessage message;
    message.MsgType = 0x0113;
    message.Byte5 = 5;
    message.SeatBit = 8;
    message.Byte7 = 7;
    const GamePacket packet = EncodeGamePacket(message, QByteArray("hi"), {0xAB, 0xCD});
    EXPECT_EQ(packet[2], 0x01);
    EXPECT_EQ(packet[3], 0x13);
    EXPECT_EQ(packet[5], 5);
    EXPECT_EQ(packet[6], 8);
    EXPECT_EQ(packet[7], 7);
    EXPECT_EQ(packet[16], 'h');
    EXPECT_EQ(packet[17], 'i');
    EXPECT_EQ(packet[18], 0);
    EXPECT_EQ(packet[260], 0xAB);
    EXPECT_EQ(packet[261], 0xCD);
    for (int offset : {0, 1, 4, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271}) EXPECT_EQ(packet[offset], 0) << offset;
}

TEST(GamePacketEncoding, PayloadIsCutAtTheEchoBytes) {
    const GamePacket packet = EncodeGamePacket(GameMessage{}, QByteArray(300, 'x'), {1, 2});
    EXPECT_EQ(packet[259], 'x');
    EXPECT_EQ(packet[260], 1);
    EXPECT_EQ(packet[261], 2);
}

TEST(GamePacketDecoding, ClientReadsTypeLowByteSeatBitLowNibbleAndParameterLowBytes) {
    const GamePacket packet = WithHeader({{2, 0x01}, {3, 0x13}, {5, 9}, {6, 0x18}, {7, 3}, {8, 0xFF}, {9, 0xFE}, {14, 0x01}, {15, 0x02}});
    const GameMessage message = DecodeGamePacket(packet.data());
    EXPECT_EQ(message.MsgType, 19);
    EXPECT_EQ(message.Byte5, 9);
    EXPECT_EQ(message.SeatBit, 8);
    EXPECT_EQ(message.Byte7, 3);
    EXPECT_EQ(message.Param[0], 254);
    EXPECT_EQ(message.Param[3], 2);
}

TEST(GamePacketDecoding, RevealedHandsAndResultDetailsKeepFullSignedParameters) {
    for (uint8_t type : {15, 17}) {
        const GamePacket packet = WithHeader({{3, type}, {8, 0xFF}, {9, 0xFE}, {10, 0x08}, {11, 0x21}, {12, 0x80}, {13, 0x00}});
        const GameMessage message = DecodeGamePacket(packet.data());
        EXPECT_EQ(message.Param[0], -2) << int(type);
        EXPECT_EQ(message.Param[1], 0x0821) << int(type);
        EXPECT_EQ(message.Param[2], -32768) << int(type);
    }
}

TEST(GamePacketDecoding, ServerSideReadsEverythingInFull) {
    GameMessage message;
    message.MsgType = 28;
    message.SeatBit = 0x18;
    message.Param = {-5, 300, 0, 1};
    const GamePacket packet = EncodeGamePacket(message);
    const GameMessage back = DecodeGamePacketFull(packet.data());
    EXPECT_EQ(back.MsgType, 28);
    EXPECT_EQ(back.SeatBit, 0x18);
    EXPECT_EQ(back.Param, message.Param);
}
