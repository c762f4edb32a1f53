#include "play/CentreDiscard.h"
#include "connection/General.h"
#include "play/TilePictures.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/StackingOrder.h"

void LayDiscardInCentre(Client& c, int imageIndex, int tile) {
    MainForm& f = *c.mainForm;
    ImageControl& image = *CheckedAt(f.MJ_Image, imageIndex, "MJ_Image");
    ShowTileImage(c, static_cast<int16_t>(imageIndex), TilePicture(0, tile));
    image.Move((f.Pic1->width() - image.Width()) / 2, (f.Pic1->height() - image.Height()) / 2, c.table.TileWidth[0],
               c.table.TileHeight[0]);
    SendToBack(image);
}
