#pragma once
#include <QImage>
#include <QSize>

// The notice boards: 0 the game's logo, 1 a level gained, 2 a level lost.
QImage DrawLevelNotice(int entry);
inline constexpr QSize LevelNoticeSize{160, 60};
