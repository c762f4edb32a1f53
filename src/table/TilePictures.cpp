#include "table/TilePictures.h"
#include "wire/General.h"
#include "shared/RuntimeError.h"
#include <string>

int SuitBit(int tile) { return (tile >> 4) & 15; }
int Rank(int tile) { return tile & 15; }

bool IsTileCode(int tile) {
    const int suit = SuitBit(tile), rank = Rank(tile);
    if (suit == 1) return rank >= 1 && rank <= 7;
    return (suit == 2 || suit == 4 || suit == 8) && rank >= 1 && rank <= 9;
}

int16_t TileFace(int tile) {
    if (!IsTileCode(tile)) throw RuntimeError("tile code " + std::to_string(tile & 0xFF) + " names no tile");
    return static_cast<int16_t>(9 * BitToIndex(static_cast<uint8_t>(SuitBit(tile))) + Rank(tile) - 1);
}

int16_t TilePicture(int set, int tile) { return static_cast<int16_t>(set * kPicturesPerSet + TileFace(tile)); }
int16_t BackPicture(int set) { return static_cast<int16_t>(set * kPicturesPerSet + 7); }
int16_t FaceDownPicture(int set) { return static_cast<int16_t>(set * kPicturesPerSet + 8); }
