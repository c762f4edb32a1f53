#pragma once
#include "table/pictures/PictureCache.h"
#include <QPixmap>
#include <QSize>

// A picture whose size is known at once and whose pixels are drawn when it is
// first shown: either a picture of the store, named by its kind and key and
// drawn on first use, or a pixmap already at hand. Most pictures the table
// window is given at start-up are of controls that stay hidden for a long time.
class LazyPicture {
public:
    using Painter = QImage (*)(int key);

    LazyPicture() = default;
    LazyPicture(const QPixmap& pixmap);  // implicit: a pixmap is a picture at hand
    LazyPicture(PictureKind kind, int key, QSize size, Painter draw);

    bool IsNull() const { return size_.isEmpty(); }
    QSize Size() const { return size_; }
    // The pixels, drawn on the first call.
    const QPixmap& Pixmap() const;

private:
    PictureKind kind_ = PictureKind::Resource;
    int key_ = 0;
    QSize size_;
    Painter draw_ = nullptr;
    mutable QPixmap pixmap_;
};
