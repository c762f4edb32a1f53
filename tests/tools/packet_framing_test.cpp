#include "dravik-server/PacketFraming.h"
#include <gtest/gtest.h>
#include <numeric>

namespace {
// Three packets whose bytes all differ from their neighbours', so a packet
// cut at the wrong place cannot compare equal.
std::vector<GamePacket> ThreePackets() {
    std::vector<GamePacket> packets(3);
    for (size_t k = 0; k < packets.size(); ++k)
        std::iota(packets[k].begin(), packets[k].end(), uint8_t(k * 91));
    return packets;
}

TEST(PacketFraming, CutsWholePacketsHoweverTheStreamIsSplit) {
    const std::vector<GamePacket> sent = ThreePackets();
    QByteArray stream;
    for (const GamePacket& packet : sent) stream += ToByteArray(packet);

    for (const int chunk : {1, 7, 271, 272, 273, 544, 816}) {
        QByteArray pending;
        std::vector<GamePacket> received;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            pending += stream.mid(at, chunk);
            for (const GamePacket& packet : TakeWholePackets(pending)) received.push_back(packet);
            EXPECT_EQ(pending.size(), std::min<qsizetype>(at + chunk, stream.size()) % 272) << "chunk " << chunk;
        }
        EXPECT_EQ(received, sent) << "chunk " << chunk;
    }
}
}  // namespace
