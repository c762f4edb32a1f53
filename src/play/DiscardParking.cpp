#include "play/DiscardParking.h"
#include "play/DiscardRows.h"
#include "connection/General.h"
#include "play/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"

namespace {
constexpr double kPauseBeforeParking = 0.4;
constexpr int16_t kBlinkSteps = 3;
}  // namespace

void ParkLastDiscard(Client& c, uint8_t seatBit, int count) {
    TableState& t = c.table;
    if (t.KongDeclared || t.LastDiscardImage <= -1 || t.LastDiscardTile <= 0) return;
    if (count == 1) SleepSeconds(c, kPauseBeforeParking);
    const int seat = t.LastDiscarder;
    const SeatInfo& discarder = CheckedAt(c.seatInfo, seat, "SeatInfo");
    if (seat == 0 && seatBit != c.seatInfo[3].SeatBit) return;
    SetDiscardTileSize(c, seat);
    ImageControl& image = TileImage(c, t.LastDiscardImage);
    image.Move(discarder.DiscardX, discarder.DiscardY, t.TileWidth[seat], t.TileHeight[seat]);
    StackDiscard(seat, image);
    if (seat == 3) RestackRightDiscards(c, t.LastDiscardImage);
    AdvanceDiscardPlace(c, seat);
    t.DiscardBlinkCount = kBlinkSteps;
}
