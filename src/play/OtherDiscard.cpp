#include "play/OtherDiscard.h"
#include "connection/General.h"
#include "play/DiscardParking.h"
#include "play/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "table/StackingOrder.h"

namespace {
constexpr double kPauseBeforeVoice = 0.05;
}  // namespace

void ShowOtherDiscard(Client& c, uint8_t seatBit, int16_t tile) {
    TableState& t = c.table;
    t.LastDiscardTile = tile;
    if (tile == 0) return;
    const int16_t face = TileFace(tile);
    SleepSeconds(c, kPauseBeforeVoice);
    const int seat = LocalSeatOfBit(c, seatBit);
    if (c.sound.EffectSoundOn)
        PlaySoundFile(c, VoiceFileName(c, c.playerInfo[seat], TileVoiceSuffix(tile)), false);
    t.LastDiscarder = static_cast<int16_t>(seat);
    if (seat == 0) return;

    SetDiscardTileSize(c, seat);
    SeatInfo& discarder = c.seatInfo[seat];
    const TileSlot& drawn = CheckedAt(discarder.Slots, discarder.FirstConcealed + discarder.ConcealedCount - 1, "Slots");
    t.LastDiscardImage = drawn.Image;
    ImageControl& image = *CheckedAt(c.mainForm->MJ_Image, drawn.Image, "MJ_Image");
    ShowTileImage(c, drawn.Image, static_cast<int16_t>(seat * kPicturesPerSet + face));
    // The corner lies where a hand-sized tile would be centred.
    const double left = (c.mainForm->Pic1->width() - image.Width()) / 2;
    const double top = (c.mainForm->Pic1->height() - image.Height()) / 2;
    image.Move(left, top, t.TileWidth[seat], t.TileHeight[seat]);
    if (seat == 3) SendToBack(image);
    else BringToFront(image);
    --discarder.ConcealedCount;
}
