#pragma once
#include <QImage>

// The 160 × 60 notice boards: 0 the game's logo, 1 a level gained, 2 a level lost.
QImage DrawLevelNotice(int entry);
