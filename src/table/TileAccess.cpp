#include "table/TileAccess.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"

ImageControl& TileImage(Client& c, int imageIndex) { return *CheckedAt(c.mainForm->MJ_Image, imageIndex, "MJ_Image"); }
TileSlot& SeatSlot(SeatInfo& seat, int slot) { return CheckedAt(seat.Slots, slot, "Slots"); }
const TileSlot& SeatSlot(const SeatInfo& seat, int slot) { return CheckedAt(seat.Slots, slot, "Slots"); }
TileSlot& OwnSlot(Client& c, int slot) { return SeatSlot(c.seatInfo[0], slot); }
const TileSlot& OwnSlot(const Client& c, int slot) { return SeatSlot(c.seatInfo[0], slot); }
