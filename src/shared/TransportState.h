#pragma once
#include "shared/GameMessage.h"
#include <QString>
#include <array>
#include <cstdint>

constexpr int kPacketSize = 272;
constexpr int kRingSize = 128 * kPacketSize;  // 34,816 bytes
constexpr int kProxyBufferSize = 1024;
// How long a proxy has to bring the link up before the attempt counts as failed.
constexpr int kProxyWaitMs = 30000;

// The packet transport: the two rings, the packet being decoded and the echo bytes.
struct TransportState {
    std::array<uint8_t, kRingSize> ReceiveRing{};
    int32_t ReceiveWrite = 0;
    int32_t ReceiveRead = 0;
    std::array<uint8_t, kRingSize> SendRing{};
    int32_t SendWrite = 0;
    int32_t SendRead = 0;
    std::array<uint8_t, kPacketSize> PacketIn{};
    GameMessage CurrentMessage;
    std::array<uint8_t, 2> EchoBytes{};
    QString ChatOutText;
    // True while received bytes belong to the game protocol (false during a proxy handshake).
    bool LinkReady = true;

    std::array<uint8_t, kProxyBufferSize> ProxyReplyBuffer{};
    int32_t ProxyReplyWrite = 0;
    int32_t ProxyReplyRead = 0;
    uint8_t ProxyStep = 0;
    // The game server's IPv4 address for the proxy's CONNECT, resolved once per attempt.
    uint32_t ProxyServerIPv4 = 0;
    // The host name look-up under way for the attempt (-1: none).
    int ProxyLookupId = -1;
};
