#include "table/pictures/LazyPicture.h"

LazyPicture::LazyPicture(const QPixmap& pixmap) : size_(pixmap.size()), pixmap_(pixmap) {}

LazyPicture::LazyPicture(PictureKind kind, int key, QSize size, Painter draw)
    : kind_(kind), key_(key), size_(size), draw_(draw) {}

const QPixmap& LazyPicture::Pixmap() const {
    if (pixmap_.isNull() && draw_) pixmap_ = CachedPicture(kind_, key_, [this] { return draw_(key_); });
    return pixmap_;
}
