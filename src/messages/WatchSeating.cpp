#include "messages/WatchSeating.h"
#include "messages/PlayerInfoRecord.h"
#include "messages/SeatingHandlers.h"
#include "messages/SetupWallBreak.h"
#include "shared/Client.h"
#include "table/Animations.h"

namespace {
constexpr int kSeatBitByte = 6;

// A spectator's portrait rule: the one digit after the letter, counted from
// 1, and the women's pictures 5 further on. A code without such a digit
// shows the first portrait.
int SpectatorPortraitIndex(const QString& avatar) {
    if (avatar.size() < 2 || !avatar.at(1).isDigit() || avatar.at(1) == QLatin1Char('0')) return 0;
    const int index = avatar.at(1).digitValue() - 1;
    return avatar.front() == QLatin1Char('w') ? index + 5 : index;
}

// The other players sit to the watched player's left, opposite and right
// by their seat bits; nothing for the watched player's own bit.
int LocalSeatOfOther(uint8_t own, uint8_t bit) {
    if ((bit == 1 && own == 8) || bit == own * 2) return 3;
    if (bit == own * 4 || own == bit * 4) return 2;
    if (own == bit * 2 || (bit == 8 && own == 1)) return 1;
    return 0;
}

void PlacePlayer(Client& c, int seat, uint8_t bit, const PlayerInfo& record) {
    c.seatInfo[seat].SeatBit = bit;
    c.seatInfo[seat].Account = record.Account;
    PlayerInfo& player = c.playerInfo[seat];
    player = record;
    // The seat's voice files are named by its sex.
    player.VoiceSex = static_cast<uint8_t>(record.Sex == 0 ? 2 : 3);
}

}  // namespace

void SetupSpectatorView(Client& c) {
    auto& packets = c.table.SpectatorInfoPackets;
    std::array<PlayerInfo, 4> records;
    for (int k = 0; k < 4; ++k) ParsePlayerInfo(records[k], packets[k]);
    for (int k = 0; k < 4; ++k) {
        if (records[k].UserId != c.playerInfo[0].UserId) continue;
        const auto own = static_cast<uint8_t>(packets[k][kSeatBitByte] & 15);
        PlacePlayer(c, 0, own, records[k]);
        ShowCompass(c);
        for (int j = 0; j < 4; ++j) {
            const auto bit = static_cast<uint8_t>(packets[j][kSeatBitByte] & 15);
            packets[j][kSeatBitByte] = bit;
            if (const int seat = LocalSeatOfOther(own, bit); seat != 0) PlacePlayer(c, seat, bit, records[j]);
        }
        break;
    }
    MarkSetupDealer(c);
    for (int seat = 0; seat < 4; ++seat)
        ShowSeatPlayer(c, seat, SpectatorPortraitIndex(c.playerInfo[seat].Avatar));
}
