#pragma once
#include "table/pictures/LazyPicture.h"
#include <QPixmap>

// The picture of a resource id, drawn by the program itself on first use and
// kept in memory. Null for an id that has no picture.
QPixmap PictureOfResource(int resourceId);
// The same picture, drawn only when it is first shown.
LazyPicture LazyPictureOfResource(int resourceId);
