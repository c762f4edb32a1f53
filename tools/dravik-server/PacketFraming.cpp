#include "dravik-server/PacketFraming.h"
#include <cstring>

std::vector<GamePacket> TakeWholePackets(QByteArray& pending) {
    constexpr qsizetype packetSize = std::tuple_size_v<GamePacket>;
    std::vector<GamePacket> packets;
    qsizetype taken = 0;
    for (; pending.size() - taken >= packetSize; taken += packetSize)
        std::memcpy(packets.emplace_back().data(), pending.constData() + taken, packetSize);
    pending.remove(0, taken);
    return packets;
}
