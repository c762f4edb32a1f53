#include "table/Pictures.h"

// Placeholder until the table's pictures are drawn: no id has a picture yet.
QPixmap PictureOfResource(int) { return {}; }
