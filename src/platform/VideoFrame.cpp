#include "platform/VideoFrame.h"
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

QImage DecodeVideoFrame(const QByteArray& frame) {
    // What does not start as a JPEG picture is not handed to the decoder,
    // which would complain about every such frame on the terminal.
    if (!frame.startsWith("\xFF\xD8") || frame.size() > VideoFrame::MaxBytes) return {};
    QByteArray bytes = frame;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "JPEG");
    // The header names the size; a picture larger than any webcam's is not decoded at all.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > VideoFrame::MaxWidth || size.height() > VideoFrame::MaxHeight) return {};
    return reader.read();
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
