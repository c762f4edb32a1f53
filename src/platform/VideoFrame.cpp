#include "platform/VideoFrame.h"
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

namespace {
// A reader of the frame's bytes that decodes nothing until asked to.
struct FrameReader {
    explicit FrameReader(const QByteArray& frame) : bytes(frame), buffer(&bytes), reader(&buffer, "JPEG") {
        buffer.open(QIODevice::ReadOnly);
    }
    // The header names a size within a webcam's.
    bool SizeWithinCaps() {
        const QSize size = reader.size();
        return size.isValid() && size.width() <= VideoFrame::MaxWidth && size.height() <= VideoFrame::MaxHeight;
    }
    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader;
};

// What does not start as a JPEG picture is not handed to the decoder, which
// would complain about every such frame on the terminal.
bool LooksLikeJpeg(const QByteArray& frame) {
    return frame.startsWith("\xFF\xD8") && frame.size() <= VideoFrame::MaxBytes;
}
}  // namespace

bool FrameHoldsPicture(const QByteArray& frame) {
    return LooksLikeJpeg(frame) && FrameReader(frame).SizeWithinCaps();
}

QImage DecodeVideoFrame(const QByteArray& frame) {
    if (!LooksLikeJpeg(frame)) return {};
    FrameReader frameReader(frame);
    // A picture larger than any webcam's is not decoded at all.
    if (!frameReader.SizeWithinCaps()) return {};
    return frameReader.reader.read();
}

namespace {
// The largest centred part of the picture with the frames' 4:3 shape, so that
// a wide camera picture is cropped rather than squeezed.
QRect CentreAtFrameShape(QSize size) {
    const qint64 w = size.width(), h = size.height();
    qint64 cropW = w, cropH = h;
    if (w * VideoFrame::Height > h * VideoFrame::Width)
        cropW = std::max<qint64>(1, h * VideoFrame::Width / VideoFrame::Height);
    else
        cropH = std::max<qint64>(1, w * VideoFrame::Height / VideoFrame::Width);
    return QRect(int((w - cropW) / 2), int((h - cropH) / 2), int(cropW), int(cropH));
}
}  // namespace

QByteArray EncodeVideoFrame(const QImage& picture) {
    if (picture.isNull()) return {};
    // The crop comes first, so a very long thin picture is never scaled up
    // to an enormous intermediate image.
    const QImage frame = picture.copy(CentreAtFrameShape(picture.size()))
                             .scaled(VideoFrame::Width, VideoFrame::Height, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(70);
    if (!writer.write(frame)) return {};
    return bytes;
}
