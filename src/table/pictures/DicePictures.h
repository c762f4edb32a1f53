#pragma once
#include <QImage>
#include <QSize>

// Entries 0-5: a die showing one to six; entries 6-15: ten frames of a tumbling die.
QImage DrawDicePicture(int entry);
inline constexpr QSize DicePictureSize{20, 20};
// A die seen from above, showing pips (1 to 6), at any size.
QImage DrawDie(QSize size, int pips);
