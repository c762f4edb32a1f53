#pragma once
#include <QByteArray>
#include <QImage>

// Frames are JPEG pictures. Their sizes are capped so that no peer can make
// the client hold or decode more than a webcam picture's worth.
namespace VideoFrame {
constexpr qsizetype MaxBytes = 256 * 1024;
constexpr int MaxWidth = 1280;
constexpr int MaxHeight = 960;
}  // namespace VideoFrame

// The picture of a frame; a null image for an empty, oversized or broken one.
QImage DecodeVideoFrame(const QByteArray& frame);
