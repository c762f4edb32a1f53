#include "table/pictures/LazyPicture.h"

LazyPicture::LazyPicture(const QPixmap& pixmap) : size_(pixmap.size()), pixmap_(pixmap) {}

LazyPicture::LazyPicture(PictureKind kind, int key, QSize size, Painter draw)
    : kind_(kind), key_(key), size_(size), draw_(draw) {}

LazyPicture::LazyPicture(QSize size, PlacePainter paint) : size_(size), paint_(paint) {}

const QPixmap& LazyPicture::Pixmap() const {
    if (!pixmap_.isNull()) return pixmap_;
    if (draw_) {
        pixmap_ = CachedPicture(kind_, key_, [this] { return draw_(key_); });
    } else if (paint_) {
        QImage canvas(size_, QImage::Format_RGB32);
        QPainter painter(&canvas);
        paint_(painter, size_, canvas.rect());
        painter.end();
        pixmap_ = QPixmap::fromImage(canvas);
    }
    return pixmap_;
}

void LazyPicture::Paint(QPainter& painter, const QRect& shown) const {
    if (paint_ && pixmap_.isNull())
        paint_(painter, size_, shown);
    else if (!IsNull())
        painter.drawPixmap(shown, Pixmap(), shown);
}
