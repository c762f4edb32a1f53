#include "play/CentreDiscard.h"
#include "wire/General.h"
#include "table/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"
#include "table/TileAccess.h"

void LayDiscardInCentre(Client& c, int seat, int imageIndex, int tile) {
    MainForm& f = *c.mainForm;
    ImageControl& image = TileImage(c, imageIndex);
    ShowTileImage(c, static_cast<int16_t>(imageIndex), TilePicture(seat, tile));
    image.Move((f.Pic1->width() - image.Width()) / 2, (f.Pic1->height() - image.Height()) / 2,
               CheckedAt(c.table.TileWidth, seat, "TileWidth"), c.table.TileHeight[seat]);
    if (seat == 0 || seat == 3)
        SendToBack(image);
    else
        BringToFront(image);
}
