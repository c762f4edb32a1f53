#pragma once
#include <QImage>
#include <QSize>

// The tile picture of a picture number (set × 36 + 9 × suit index + rank − 1,
// 0 to 179): the face of the tile as seen from that set's seat, or, at numbers
// 7 and 8 of a set, the back of a standing tile and a tile lying face down.
QImage DrawTilePicture(int number);
QSize TilePictureSize(int number);
// A face-up tile with an empty face: the design's tile template.
QImage DrawTileTemplate();
inline constexpr QSize TileTemplateSize{52, 59};
