#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

// A PNG file of one colour, as a web server would send it.
inline QByteArray PngBytes(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
