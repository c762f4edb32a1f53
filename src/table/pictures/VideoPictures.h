#pragma once
#include <QImage>
#include <QSize>

// The video command icons: 0 webcam, 1 magnifier, 2 camera, 3 music
// notes, 4-7 the same highlighted, 8 two persons and a plus, 9 highlighted,
// 10 a monitor, 11 highlighted.
QImage DrawVideoIcon(int entry);
inline constexpr QSize VideoIconSize{16, 14};
// Backgrounds of the enlarged video windows: 0-2 small, normal and large, 3-5 the same for the small screen.
QImage DrawVideoBackground(int entry);
QSize VideoBackgroundSize(int entry);
// The command buttons of the enlarged video windows: 0 close, 1 enlarge, 2 shrink.
QImage DrawVideoWindowButton(int kind);
inline constexpr QSize VideoWindowButtonSize{17, 16};
// The frame around a remote seat's video.
QImage DrawVideoFrame();
inline constexpr QSize VideoFrameSize{126, 105};
// The icon, of the command icons' size, that switches a seat's video on.
QImage DrawOpenVideoIcon();
// The background of a seat's video command bar.
QImage DrawVideoCommandBar(QSize size);
