#pragma once
#include "wire/General.h"
#include <QRectF>
#include <QWidget>

// Window places and sizes are designed in twips, 15 to a pixel.
constexpr double kTwipsPerPixel = 15;

// Places a windowed control. Its geometry is whole pixels: each value is
// rounded to the nearest one, a half going to the even neighbour.
inline void PlaceWidget(QWidget& widget, double left, double top, double width, double height) {
    widget.setGeometry(RoundHalfEven(left), RoundHalfEven(top), RoundHalfEven(width), RoundHalfEven(height));
}

inline void PlaceWidget(QWidget& widget, const QRectF& place) {
    PlaceWidget(widget, place.left(), place.top(), place.width(), place.height());
}
