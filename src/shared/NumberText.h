#pragma once
#include <QString>

// Money, points and credit as the players read them: the shortest decimal
// form, without digit grouping or trailing zeros.
inline QString NumberText(double value) { return QString::number(value, 'g', 15); }
