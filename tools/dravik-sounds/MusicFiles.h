#pragma once
#include <QString>

// Writes outDir/music/ with majiang.wav (the looping start-up tune), dapai.wav
// (discard), qupai.wav (draw), xipai.wav (wall building), zhise.wav (dice)
// and tishi.wav (countdown warning).
bool WriteMusicFiles(const QString& outDir, QString* error);
