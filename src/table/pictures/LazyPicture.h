#pragma once
#include "table/pictures/PictureCache.h"
#include <QPainter>
#include <QPixmap>
#include <QSize>

// A picture whose size is known at once and whose pixels are drawn when it is
// first shown: either a picture of the store, named by its kind and key and
// drawn on first use, or a pixmap already at hand. Most pictures the table
// window is given at start-up are of controls that stay hidden for a long time.
// A picture as large as the window is painted in place instead: straight into
// the window's buffer, the part that is shown, each time, and never kept.
class LazyPicture {
public:
    using Painter = QImage (*)(int key);
    using PlacePainter = void (*)(QPainter& painter, QSize size, const QRect& shown);

    LazyPicture() = default;
    LazyPicture(const QPixmap& pixmap);  // implicit: a pixmap is a picture at hand
    LazyPicture(PictureKind kind, int key, QSize size, Painter draw);
    LazyPicture(QSize size, PlacePainter paint);

    bool IsNull() const { return size_.isEmpty(); }
    QSize Size() const { return size_; }
    // The pixels, drawn on the first call (into this copy alone for a
    // picture painted in place).
    const QPixmap& Pixmap() const;
    // Paints the part `shown` of the picture with its top left at (0, 0).
    void Paint(QPainter& painter, const QRect& shown) const;

private:
    PictureKind kind_ = PictureKind::Resource;
    int key_ = 0;
    QSize size_;
    Painter draw_ = nullptr;
    PlacePainter paint_ = nullptr;
    mutable QPixmap pixmap_;
};
