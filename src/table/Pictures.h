#pragma once
#include <QPixmap>

// The picture of a resource id, drawn by the program itself and kept in memory.
// Null for an id that has no picture.
QPixmap PictureOfResource(int resourceId);
