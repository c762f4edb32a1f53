#pragma once
#include <QPointF>
#include <array>
#include <cstdint>

class Client;
class ImageControl;
struct SeatInfo;
struct TileSlot;

// Where the tile of meld slot `slot` of a local seat lies at the seat's
// TileWidth/TileHeight: the bottom seat's melds run right from its anchor
// with 2 design pixels of overlap, the opposite seat's left edge to edge,
// the side seats' down (left) and up (right) the table.
QPointF MeldSlotPlace(const Client& c, int seat, int slot);
// Gives the image of a seat's slot this picture and lays it at the slot's
// meld place and size; the left seat's lower tiles lie in front, the right
// seat's upper ones.
void LayMeldSlot(Client& c, int seat, int slot, int16_t picture);

// Lays an announced chow (4) or pung (8) of a local seat and updates its counters.
void LayChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
// Lays an announced kong on a discard (16) or concealed kong (32).
void LayKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
// Colours the hand's first winner red and the other seats green on the
// score board; false, changing nothing, when a winner was marked already.
bool ColourFirstWinner(Client& c, int seat);
// Marks the hand's first winner on the score board; an own win on a
// discard takes that discard into the hand.
void MarkFirstWinner(Client& c, int seat);
// Re-stacks the left or right seat's concealed row so that each tile
// overlaps its neighbour the right way; other seats need nothing.
void RepairConcealedRow(Client& c, int seat);
