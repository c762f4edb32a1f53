#pragma once
#include <QImage>
#include <QSize>

// The green baize of the table surface, drawn for the 1024 × 768 design and
// scaled to the given size. Opaque.
QImage DrawTableSurface(QSize size);
