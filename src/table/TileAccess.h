#pragma once
#include <cstdint>
class Client;
class ImageControl;
struct SeatInfo;
struct TileSlot;

// The tile image control of an index taken from a slot, the wall or the table
// state; an index that names no control is a run-time error.
ImageControl& TileImage(Client& c, int imageIndex);
// A seat's tile slot by a computed index; outside 0 to 20 a run-time error.
TileSlot& SeatSlot(SeatInfo& seat, int slot);
const TileSlot& SeatSlot(const SeatInfo& seat, int slot);
// The same for the own seat (local seat 0).
TileSlot& OwnSlot(Client& c, int slot);
const TileSlot& OwnSlot(const Client& c, int slot);
// Gives one tile image a tile picture and shows it.
void ShowTileImage(Client& c, int16_t imageIndex, int16_t picture);
