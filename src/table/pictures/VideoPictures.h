#pragma once
#include <QImage>
#include <QSize>

// The 16 × 14 video command icons: 0 webcam, 1 magnifier, 2 camera, 3 music
// notes, 4-7 the same highlighted, 8 two persons and a plus, 9 highlighted,
// 10 a monitor, 11 highlighted.
QImage DrawVideoIcon(int entry);
// Backgrounds of the enlarged video windows: 0-2 small, normal and large, 3-5 the same for the small screen.
QImage DrawVideoBackground(int entry);
// The 126 × 105 frame around a remote seat's video.
QImage DrawVideoFrame();
// The 16 × 14 icon that switches a seat's video on.
QImage DrawOpenVideoIcon();
// The background of a seat's video command bar.
QImage DrawVideoCommandBar(QSize size);
