#include "play/OtherDiscard.h"
#include "wire/General.h"
#include "play/CentreDiscard.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "table/TileAccess.h"
#include "table/Sound.h"

namespace {
constexpr double kPauseBeforeVoice = 0.05;
}  // namespace

void ShowOtherDiscard(Client& c, uint8_t seatBit, int16_t tile) {
    TableState& t = c.table;
    t.LastDiscardTile = tile;
    if (tile == 0) return;
    // A code that names no tile is refused before the pause.
    TileFace(tile);
    SleepSeconds(c, kPauseBeforeVoice);
    const int seat = LocalSeatOfBit(c, seatBit);
    if (c.sound.EffectSoundOn)
        PlaySoundFile(c, VoiceFileName(c, c.playerInfo[seat], TileVoiceSuffix(tile)), false);
    t.LastDiscarder = static_cast<int16_t>(seat);
    if (seat == 0) return;

    SetDiscardTileSize(c, seat);
    SeatInfo& discarder = c.seatInfo[seat];
    // The seat's last concealed tile is the one it drew last.
    const TileSlot& drawn = SeatSlot(discarder, discarder.FirstConcealed + discarder.ConcealedCount - 1);
    t.LastDiscardImage = drawn.Image;
    LayDiscardInCentre(c, seat, drawn.Image, tile);
    --discarder.ConcealedCount;
}
