#include "table/TileAccess.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Pictures.h"

ImageControl& TileImage(Client& c, int imageIndex) { return *CheckedAt(c.mainForm->MJ_Image, imageIndex, "MJ_Image"); }
TileSlot& SeatSlot(SeatInfo& seat, int slot) { return CheckedAt(seat.Slots, slot, "Slots"); }
const TileSlot& SeatSlot(const SeatInfo& seat, int slot) { return CheckedAt(seat.Slots, slot, "Slots"); }
TileSlot& OwnSlot(Client& c, int slot) { return SeatSlot(c.seatInfo[0], slot); }
const TileSlot& OwnSlot(const Client& c, int slot) { return SeatSlot(c.seatInfo[0], slot); }

void ShowTileImage(Client& c, int16_t imageIndex, int16_t picture) {
    if (imageIndex >= 136 || picture >= 180) return;
    ImageControl& image = TileImage(c, imageIndex);
    const QPixmap face = PictureOfResource(CheckedAt(c.resourceIds.TileImageIds, picture, "TileImageIds"));
    c.table.TileImagePictures[imageIndex] = picture;
    if (face.isNull()) return;
    image.setVisible(false);
    image.SetPicture(face);
    image.setVisible(true);
}
