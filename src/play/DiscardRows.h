#pragma once
#include <cstdint>
class Client;
class ImageControl;

// The discard rows of the four seats: eight tiles a row, each seat's rows
// running its own way across the table from DiscardRowX/DiscardRowY.
constexpr int kDiscardsPerRow = 8;

// Moves the seat's next-discard place (DiscardX, DiscardY) one tile on, or
// to the start of the next row when the row is full. TileWidth and
// TileHeight of the seat hold its discard size.
void AdvanceDiscardPlace(Client& c, int seat);
// Appends a right-seat discard to RightDiscardImages and re-stacks the list
// so that within a row each lower tile covers the one above it and each
// later row lies over the rows before. A 25th entry is a run-time error.
void RestackRightDiscards(Client& c, int16_t image);
// A laid discard goes below every other control for the own (or watched)
// and right seats, above them for the left and opposite seats.
void StackDiscard(int seat, ImageControl& image);
// Lays the image at the seat's next discard place (DiscardX, DiscardY), at
// the seat's discard size (TileWidth/TileHeight), stacked as above.
void LayInDiscardRow(Client& c, int seat, int16_t image);
