#pragma once
#include <cstdint>
struct TableState;

// Wall positions 2k and 2k + 1 are the two tiles of one stack. The front
// takes positions upwards one after another; the back takes the even tile of
// a stack, then the odd one, then moves one stack down. Where the two ends
// meet, each draw first steps past the other end so that no tile is taken twice.

// The wall back's next position: even -> the odd tile of the same stack,
// odd -> the even tile of the stack below (3 back, modulo 136).
int16_t StepWallBack(int16_t wallBack);
// Takes the tile at WallFront and advances WallFront; returns the position taken.
int16_t DrawFromWallFront(TableState& t);
// Takes the replacement tile at WallBack and steps WallBack; returns the position taken.
int16_t DrawFromWallBack(TableState& t);
