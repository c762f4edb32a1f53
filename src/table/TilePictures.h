#pragma once
#include <cstdint>

// Tile codes: the suit bit in bits 4-7 (1 honours, 2 bamboo, 4 characters,
// 8 circles), the rank in bits 0-3 (1-9; honours 1-7: 東 南 西 北 中 發 白).
// Bits above the low byte are markers and never part of the code.
constexpr int kRedDragon = 0x15;

// Picture sets: 0 to 3 the tiles as they lie in front of local seats 0 to 3,
// 4 the own hand's large upright faces.
constexpr int kOwnHandSet = 4;
constexpr int kPicturesPerSet = 36;

// True when the low byte of `tile` names one of the 34 tiles.
bool IsTileCode(int tile);
// The suit bit and the rank of a tile word's low byte.
int SuitBit(int tile);
int Rank(int tile);
// 9 × suit index + rank − 1. A value that names no tile is a run-time error,
// so that a bad code from the server never shows a wrong picture.
int16_t TileFace(int tile);
// The face of a tile in a picture set.
int16_t TilePicture(int set, int tile);
// The standing back and the face-down lying tile of a set.
int16_t BackPicture(int set);
int16_t FaceDownPicture(int set);
