#include "messages/SeatOrder.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "table/Animations.h"
#include <array>

namespace {
constexpr int kRecordsOfASeating = 4;
constexpr int kSeatingClosed = 5;
constexpr int kScoreBoardButton = 5;
constexpr int kHandListButton = 6;

// The voice set of each pick; a pick already given to a seat of the same sex
// falls back to the first free one.
const std::array<QString, 5> kMaleSets{"10", "30", "10", "30", "10"};
const std::array<QString, 6> kFemaleSets{"10", "20", "30", "10", "20", "30"};

template <size_t N>
const QString& PickVoiceSet(QRandomGenerator& random, std::array<bool, N>& used, const std::array<QString, N>& sets) {
    size_t pick = random.bounded(static_cast<quint32>(N));
    if (used[pick]) {
        for (size_t k = 0; k < N; ++k) {
            if (!used[k]) {
                pick = k;
                break;
            }
        }
    }
    used[pick] = true;
    return sets[pick];
}
}  // namespace

void ResolveSeatOrder(Client& c) {
    TableState& t = c.table;
    if (!t.SeatOrderPending || t.SeatMsgCount != kRecordsOfASeating) return;
    t.SeatOrderPending = false;
    t.SeatMsgCount = kSeatingClosed;
    ShowWindDraw(c, BitToIndex(c.seatInfo[0].SeatBit));
    ShowCompass(c);
    c.window.AnNiuUsed[kScoreBoardButton] = false;
    c.window.AnNiuUsed[kHandListButton] = false;

    std::array<bool, 5> maleUsed{};
    std::array<bool, 6> femaleUsed{};
    for (size_t i = 0; i < c.playerInfo.size(); ++i) {
        PlayerInfo& player = c.playerInfo[i];
        if (player.Sex == 1 || player.Sex == 0) {
            player.VoiceSet = player.Sex == 1 ? PickVoiceSet(t.Random, maleUsed, kMaleSets)
                                              : PickVoiceSet(t.Random, femaleUsed, kFemaleSets);
            player.VoiceCode = QStringLiteral("00");
        }
        t.SeatVoiceSet[i] = player.VoiceSet;
        player.VoiceSex = player.Sex == 0 ? 2 : 3;
    }
}
