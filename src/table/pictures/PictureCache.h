#pragma once
#include <QImage>
#include <QPixmap>
#include <functional>

// Which numbering a cached picture belongs to.
enum class PictureKind { Resource, Design, Frame };

// The picture of (kind, key), drawn by draw on first use and kept in memory for
// the rest of the process. A null drawing is not kept and gives a null pixmap.
QPixmap CachedPicture(PictureKind kind, int key, const std::function<QImage()>& draw);
// Whether the picture of (kind, key) has been drawn and is kept.
bool IsPictureDrawn(PictureKind kind, int key);
// Forgets every drawn picture (resource and design pictures), so the next use
// draws it again; for measuring the drawing.
void ClearPictureCache();
