#include "table/TableSurface.h"
#include <QPainter>

TableSurface::TableSurface(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(QColor(0, 96, 48));
}

void TableSurface::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    resetCachedContent();
    viewport()->update();
}

void TableSurface::drawBackground(QPainter* painter, const QRectF& rect) {
    QGraphicsView::drawBackground(painter, rect);
    if (!picture_.isNull()) painter->drawPixmap(QPointF(0, 0), picture_);
}
