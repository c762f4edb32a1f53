#pragma once
#include <QImage>
#include <QSize>

// The compass with wind k (0 北, 1 西, 2 南, 3 東) lit at the bottom and
// the other winds in turn order counter-clockwise round the dial.
QImage DrawCompass(int bottomWind);
// The same dial without winds.
QImage DrawCompassDial();
inline constexpr QSize CompassSize{77, 77};
