#pragma once
#include <QString>

// The portrait of a player's portrait code: "m1" to "m10" give 0 to 9,
// "w1" to "w10" give 10 to 19; numbers from 11 up fall back to the first
// portrait of their set. A code that names no portrait at all (another
// length, a part that is not a number, the number 0) gives portrait 0.
int PortraitIndexOf(const QString& avatar);
