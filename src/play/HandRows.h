#pragma once
#include <QPointF>
#include <cstdint>
class Client;
struct SeatInfo;

// The hand rows of the four seats, shared by the player's and the
// spectator's drawing of deals and draws.

// Makes room for `count` received tiles at the end of a seat's concealed
// run; returns the first new slot.
int GrowConcealedRun(SeatInfo& seat, int count);

// The place of hand slot `slot` of another seat (1 to 3) for a hand tile
// `tileWidth` wide: the side seats' hands run down (left) and up (right) the
// table, each tile half a tile width along and 5 design pixels further left;
// the right seat counts from slot + 1.
QPointF OtherHandPlace(const Client& c, int seat, int slot, double tileWidth);
// One tile from the wall into another seat's hand slot, as a standing back
// at the seat's TileWidth/TileHeight; set apart, it stands 10 pixels further
// along the row as a fresh draw.
void LayOtherHandTile(Client& c, int seat, int slot, int16_t wallPosition, bool setApart);
// The own (or watched) seat's one-tile wild kongs lie where the left seat's
// hand overlaps them, so they come to the front after each tile it receives.
void BringOwnWildKongsForward(Client& c);

// Records a tile code and its image in an own slot, as a concealed tile.
void PutOwnTile(Client& c, int slot, int tile, int16_t wallPosition);
// The Left of own hand slot `slot`.
double OwnHandLeft(const Client& c, int slot);
// One own tile image with this picture at its slot's place, at the own
// TileWidth/TileHeight; set apart, half a tile further right.
void LayOwnHandTile(Client& c, int slot, int16_t wallPosition, int16_t picture, bool setApart);
// Puts the images of own slots first to end − 1 back at their places in the
// row, so that a tile still set apart returns to it.
void ReseatOwnRow(Client& c, int first, int end);
