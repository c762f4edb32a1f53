#pragma once
#include <QPainter>
#include <QRectF>

// Draws the engraving of a tile face upright into a box: suit index 0 honours
// (ranks 1-7: 東 南 西 北 中 發 白), 1 bamboo, 2 characters, 3 circles; ranks 1-9.
// Any other suit index leaves the face empty.
void DrawTileFace(QPainter& painter, const QRectF& box, int suitIndex, int rank);
