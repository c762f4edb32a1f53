#pragma once
#include <cstdint>
class Client;
class ImageControl;

// How far a kong's fourth tile lies above the tile under it, in design pixels.
constexpr double kFourthTileRaise = 18;
// The side seats' meld tiles overlap: each lies this many design pixels
// less than a tile height past the one before.
constexpr double kSideOverlap = 17;

// The working tile size of each local seat (TileWidth, TileHeight): a design
// size scaled to the screen, each side rounded to the nearest pixel, halves
// to even. Every procedure that lays tiles first sets the sizes it needs.
void SetTileSize(Client& c, int seat, int designWidth, int designHeight);
// Hand tiles: 48 × 78 own, 35 × 66 at the sides, 36 × 50 opposite.
void SetHandTileSize(Client& c, int seat);
void SetHandTileSizes(Client& c);
// Discards: 36 × 50 own, 48 × 35 at the sides, 30 × 36 opposite.
void SetDiscardTileSize(Client& c, int seat);
// Meld rows: 45 × 60 own, 45 × 35 at the sides, 34 × 40 opposite.
void SetMeldTileSize(Client& c, int seat);
void SetMeldTileSizes(Client& c);
// A spectator's meld rows: the same, but 45 × 56 for the watched seat.
void SetWatchedMeldTileSizes(Client& c);
// Hands laid open at the end of a hand: 48 × 60 own, 45 × 35 at the sides,
// 36 × 39 opposite.
void SetRevealTileSizes(Client& c);
// Gives a tile image the seat's working tile size, where it lies.
void SizeToSeatTile(Client& c, int seat, ImageControl& image);
// The meld-row tile width of a local seat in screen pixels.
int16_t MeldTileWidth(const Client& c, int seat);
// The hand tile width of a local seat in screen pixels.
int16_t HandTileWidth(const Client& c, int seat);
