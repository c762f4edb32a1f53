#pragma once
#include <QPointF>
#include <array>
#include <cstdint>

class Client;
class ImageControl;
struct SeatInfo;
struct TileSlot;

// How far a kong's fourth tile lies above the tile under it, in design pixels.
constexpr double kFourthTileRaise = 18;
// The side seats' meld tiles overlap: each lies this many design pixels
// less than a tile height past the one before.
constexpr double kSideOverlap = 17;

// Where the tile of meld slot `slot` of another seat (1 to 3) lies.
QPointF MeldSlotPlace(const Client& c, int seat, int slot);

// Lays an announced chow (4) or pung (8) of a local seat and updates its counters.
void LayChowOrPung(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
// Lays an announced kong on a discard (16) or concealed kong (32).
void LayKong(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles);
// Marks the hand's first winner on the score board; an own win on a
// discard takes that discard into the hand.
void MarkFirstWinner(Client& c, int seat);
// Re-stacks the left or right seat's concealed row so that each tile
// overlaps its neighbour the right way; other seats need nothing.
void RepairConcealedRow(Client& c, int seat);
