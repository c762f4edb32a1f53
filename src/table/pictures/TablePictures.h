#pragma once
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

// The green baize of the table surface, drawn for the 1024 × 768 design and
// scaled to the given size: paints the part `shown` of it onto the target,
// opaque. It is painted where it is shown, never kept: a picture of it would
// be a second copy of the window's own buffer.
void PaintTableSurface(QPainter& target, QSize size, const QRect& shown);
