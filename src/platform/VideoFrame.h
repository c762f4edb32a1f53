#pragma once
#include <QByteArray>
#include <QImage>

// Frames are JPEG pictures. Their sizes are capped so that no peer can make
// the client hold or decode more than a webcam picture's worth.
namespace VideoFrame {
constexpr qsizetype MaxBytes = 256 * 1024;
constexpr int MaxWidth = 1280;
constexpr int MaxHeight = 960;
// What the own frames are, as the peers are told.
constexpr int Width = 320;
constexpr int Height = 240;
constexpr char Format[] = "JPEG 320x240";
// The own camera sends no more often than this.
constexpr int FrameIntervalMs = 100;
}  // namespace VideoFrame

// Whether a frame holds a picture within the caps, judged by its header alone
// (cheap enough for every frame): an empty frame, one that is no JPEG
// picture and one too large in bytes or pixels hold none.
bool FrameHoldsPicture(const QByteArray& frame);

// The picture of a frame; a null image for an empty, oversized or broken one.
QImage DecodeVideoFrame(const QByteArray& frame);

// An own frame: the picture's centre at 4:3, scaled to Width x Height, as a
// JPEG of moderate quality; empty for a null picture.
QByteArray EncodeVideoFrame(const QImage& picture);
