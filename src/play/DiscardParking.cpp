#include "play/DiscardParking.h"
#include "wire/General.h"
#include "play/DiscardRows.h"
#include "play/TileSizes.h"
#include "shared/Client.h"

namespace {
constexpr double kPauseBeforeParking = 0.4;
constexpr int16_t kBlinkSteps = 3;
}  // namespace

void ParkLastDiscard(Client& c, uint8_t seatBit, int count) {
    TableState& t = c.table;
    if (t.KongDeclared || t.LastDiscardImage <= -1 || t.LastDiscardTile <= 0) return;
    if (count == 1) SleepSeconds(c, kPauseBeforeParking);
    const int seat = t.LastDiscarder;
    if (seat == 0 && seatBit != c.seatInfo[3].SeatBit) return;
    SetDiscardTileSize(c, seat);
    LayInDiscardRow(c, seat, t.LastDiscardImage);
    if (seat == 3) RestackRightDiscards(c, t.LastDiscardImage);
    AdvanceDiscardPlace(c, seat);
    t.DiscardBlinkCount = kBlinkSteps;
}
