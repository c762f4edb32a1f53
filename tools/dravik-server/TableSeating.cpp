#include "dravik-server/TableSeating.h"
#include "dravik-server/ServerPackets.h"
#include "platform/AnsiCodec.h"
#include <array>

namespace {
constexpr uint8_t ClientSeatBit = 1;
// The client's record is marked as its own; the client then takes presses of
// its start button again.
constexpr uint8_t OwnRecord = 15;

struct Computer {
    uint8_t seatBit;
    PlayerRecord record;
};

// The three computer players,
// seen from the client's seat (bit 1, 北): bit 8 sits left, bit 4 opposite and bit 2 right.
std::array<Computer, 3> Computers() {
    const auto computer = [](const char* account, const QString& nickName, const char* avatar, uint8_t sex,
                             const QString& area, uint64_t money, const QString& levelTitle, const char* voiceSet,
                             uint64_t userId) {
        return PlayerRecord{.nickName = nickName,
                            .avatar = avatar,
                            .sex = sex,
                            .area = area,
                            .points = money / 20,
                            .credit = 100,
                            .money = money,
                            .levelTitle = levelTitle,
                            .logins = 412,
                            .drops = 3,
                            .wins = 236,
                            .losses = 171,
                            .account = account,
                            .nameTag = QStringLiteral("电脑"),
                            .voiceCode = "00",
                            .voiceSet = voiceSet,
                            .userId = userId};
    };
    return {{{8, computer("computer1", QStringLiteral("电脑小青"), "w3", 0, QStringLiteral("杭州"), 52800,
                          QStringLiteral("雀圣"), "20", 900001)},
             {4, computer("computer2", QStringLiteral("电脑阿福"), "m2", 1, QStringLiteral("广州"), 31450,
                          QStringLiteral("雀王"), "10", 900002)},
             {2, computer("computer3", QStringLiteral("电脑老王"), "m10", 1, QStringLiteral("成都"), 8800,
                          QStringLiteral("雀士"), "30", 900003)}}};
}

PlayerRecord ClientRecord(const QByteArray& account) {
    return {.nickName = AnsiCodec::FromAnsi(account),
            .avatar = "m1",
            .sex = 1,
            .area = QStringLiteral("北京"),
            .credit = 100,
            .money = 10000,
            .levelTitle = QStringLiteral("新手"),
            .logins = 1,
            .account = account,
            .nameTag = QStringLiteral("玩家"),
            .voiceCode = "00",
            .voiceSet = "10",
            .userId = 100001};
}
}  // namespace

std::vector<GamePacket> SeatingPackets(const QByteArray& account) {
    const std::array<Computer, 3> computers = Computers();
    std::vector<GamePacket> packets;
    packets.push_back(SeatNamePacket(ClientSeatBit, account));
    for (const uint8_t seatBit : {2, 4, 8})
        for (const Computer& computer : computers)
            if (computer.seatBit == seatBit) packets.push_back(SeatNamePacket(seatBit, computer.record.account));
    // Every record of a new seating carries its seat: the client places it by
    // its seat bit, and the fourth record resolves the seat order (the wind
    // draw, the compass and the voices). Seat bit 0 is for a player who joins
    // a table later, which this table never sees.
    packets.push_back(PlayerJoinedPacket(OwnRecord, ClientRecord(account)));
    for (const Computer& computer : computers) packets.push_back(PlayerJoinedPacket(computer.seatBit, computer.record));
    for (const Computer& computer : computers)
        packets.push_back(PlayerReadyPacket(computer.seatBit, computer.record.account));
    return packets;
}
