#include "dravik-server/TableSeating.h"
#include "platform/AnsiCodec.h"

namespace {
// The client's own record is marked as its own; the client then takes presses
// of its start button again.
constexpr uint8_t OwnRecord = 15;
constexpr uint64_t kFirstClientUserId = 100001;
// Portrait codes, as the seats' players show them. Every code has one digit,
// which a spectator's client reads alone, and no code is shared with a player
// of another seat: a client's by its seat, a computer's by its own.
const char* const kClientAvatars[] = {"m1", "m4", "m2", "m5"};

PlayerRecord Computer(const char* account, const QString& nickName, const char* avatar, uint8_t sex,
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
}
}  // namespace

PlayerRecord ClientRecord(const QByteArray& account, int seat) {
    return {.nickName = AnsiCodec::FromAnsi(account),
            .avatar = kClientAvatars[seat],
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
            .userId = kFirstClientUserId + uint64_t(seat)};
}

// Seen from seat bit 1 (北): bit 8 sits left, bit 4 opposite and bit 2 right.
PlayerRecord ComputerRecord(int seat) {
    switch (seat) {
    case 1:
        return Computer("computer3", QStringLiteral("电脑老王"), "m3", 1, QStringLiteral("成都"), 8800,
                        QStringLiteral("雀士"), "30", 900003);
    case 2:
        return Computer("computer2", QStringLiteral("电脑阿福"), "m2", 1, QStringLiteral("广州"), 31450,
                        QStringLiteral("雀王"), "10", 900002);
    case 3:
        return Computer("computer1", QStringLiteral("电脑小青"), "w3", 0, QStringLiteral("杭州"), 52800,
                        QStringLiteral("雀圣"), "20", 900001);
    default:
        return Computer("computer4", QStringLiteral("电脑小美"), "w5", 0, QStringLiteral("苏州"), 20600,
                        QStringLiteral("雀侠"), "20", 900004);
    }
}

std::vector<GamePacket> SeatingPackets(int ownSeat, const std::array<SeatedPlayer, 4>& seats, OthersSeated others) {
    std::vector<GamePacket> packets;
    for (int seat = 0; seat < 4; ++seat) packets.push_back(SeatNamePacket(BitOf(seat), seats[seat].record.account));
    // The fourth record resolves the seat order (the wind draw, the compass
    // and the voices).
    packets.push_back(PlayerJoinedPacket(OwnRecord, seats[ownSeat].record));
    for (int k = 1; k < 4; ++k) {
        const int seat = (ownSeat + 4 - k) % 4;
        const uint8_t seatBit = others == OthersSeated::ToBeFound ? kSeatToBeFound : BitOf(seat);
        packets.push_back(PlayerJoinedPacket(seatBit, seats[seat].record));
    }
    for (int k = 1; k < 4; ++k) {
        const int seat = (ownSeat + 4 - k) % 4;
        if (seats[seat].ready) packets.push_back(PlayerReadyPacket(BitOf(seat), seats[seat].record.account));
    }
    return packets;
}

std::vector<GamePacket> SeatingPackets(const QByteArray& account) {
    std::array<SeatedPlayer, 4> seats;
    seats[0] = {ClientRecord(account), false};
    for (int seat = 1; seat < 4; ++seat) seats[seat] = {ComputerRecord(seat), true};
    return SeatingPackets(0, seats);
}
