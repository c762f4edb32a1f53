#include "platform/VideoFrame.h"
#include <QBuffer>
#include <QImageReader>

QImage DecodeVideoFrame(const QByteArray& frame) {
    if (frame.isEmpty() || frame.size() > VideoFrame::MaxBytes) return {};
    QByteArray bytes = frame;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "JPEG");
    // The header names the size; a picture larger than any webcam's is not decoded at all.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > VideoFrame::MaxWidth || size.height() > VideoFrame::MaxHeight) return {};
    return reader.read();
}
