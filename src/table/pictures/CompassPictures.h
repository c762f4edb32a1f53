#pragma once
#include <QImage>
#include <QPointF>
#include <QSize>

// The 77 × 77 compass with wind k (0 北, 1 西, 2 南, 3 東, the suit-index
// order of the seat bits) lit at the bottom and every other wind where its
// seat sits at the table: the seat that plays before the own seat (index
// k − 1) on the left, the one after it (index k + 1) on the right.
QImage DrawCompass(int bottomWind);
// The centre of wind `wind`'s character on the compass of `bottomWind`, in
// the picture's pixels.
QPointF CompassWindCentre(int bottomWind, int wind);
// The same dial without winds.
QImage DrawCompassDial();
inline constexpr QSize CompassSize{77, 77};
