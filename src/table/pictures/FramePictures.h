#pragma once
#include <QPainter>
#include <QPixmap>
#include <QSize>

// The table window's own frame on a screen larger than the table.

// The frame picture: left border in columns 0-7, the stretched middle in 8-15,
// the right border in 38-45; top band in rows 0-19, the stretched middle in
// rows 20-211, the bottom band in 212-219. Columns 16-37 are not used.
inline constexpr QSize SkinSize{46, 220};
QPixmap SkinPicture();
// Paints the frame picture's eight pieces around the table, a window w x h
// pixels: the top band is 20 pixels high, the borders 8 wide, exactly the
// table's inset, so the pieces meet the table without a gap. Nothing is
// painted where the table lies.
void PaintFramePieces(QPainter& painter, QSize window);

enum class CaptionButton { Close, Minimise };
// The looks of a caption button, numbered as the elements that hold them.
enum class CaptionLook { Normal = 1, Hover = 2, Pressed = 3 };
inline constexpr QSize CaptionButtonSize{16, 16};
QPixmap CaptionButtonPicture(CaptionButton button, CaptionLook look);

// The window's icon: a tile with a red 中.
inline constexpr QSize WindowIconSize{32, 32};
QPixmap WindowIconPicture();
