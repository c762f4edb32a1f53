#include "table/Controls.h"
#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

// A double click's second press comes here as well, by the item's default.
void SurfaceControl::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (!OnMouseDown && !OnClick) return event->ignore();
    event->accept();
    click_.Press(event->type(), event->button());
    if (OnMouseDown) OnMouseDown(event->button(), event->pos());
}

// The click procedure may end with the control gone: nothing of it is touched afterwards.
void SurfaceControl::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (click_.Release(event->button(), contains(event->pos())) && OnClick) OnClick();
}

ImageControl::ImageControl(QGraphicsItem* parent) : SurfaceControl(parent) {}

void ImageControl::Move(double left, double top) { setPos(left, top); }

void ImageControl::Move(double left, double top, double width, double height) {
    prepareGeometryChange();
    setPos(left, top);
    width_ = width;
    height_ = height;
}

void ImageControl::SetPicture(const LazyPicture& picture) {
    prepareGeometryChange();
    picture_ = picture;
    // A picture control that does not stretch takes the size of its picture.
    if (!stretch_ && !picture_.IsNull()) {
        width_ = picture_.Size().width();
        height_ = picture_.Size().height();
    }
    update();
}

void ImageControl::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void ImageControl::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    if (pointer == 99)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void ImageControl::hoverEnterEvent(QGraphicsSceneHoverEvent*) {
    if (OnMouseMove) OnMouseMove();
}

void ImageControl::hoverMoveEvent(QGraphicsSceneHoverEvent*) {
    if (OnMouseMove) OnMouseMove();
}

QRectF ImageControl::boundingRect() const { return QRectF(0, 0, width_, height_); }

void ImageControl::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QPixmap& picture = Picture();
    if (picture.isNull()) return;
    if (stretch_)
        painter->drawPixmap(boundingRect(), picture, QRectF(picture.rect()));
    else
        painter->drawPixmap(0, 0, picture);
}

LabelControl::LabelControl(QGraphicsItem* parent) : SurfaceControl(parent) {}

void LabelControl::Move(double left, double top) { setPos(left, top); }

void LabelControl::Move(double left, double top, double width, double height) {
    prepareGeometryChange();
    setPos(left, top);
    width_ = width;
    height_ = height;
}

void LabelControl::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void LabelControl::SetFont(const QFont& font) {
    font_ = font;
    update();
}

void LabelControl::SetFontSize(double points) {
    font_.setPointSizeF(points);
    update();
}

void LabelControl::SetForeColor(const QColor& color) {
    foreColor_ = color;
    update();
}

void LabelControl::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

QRectF LabelControl::boundingRect() const { return QRectF(0, 0, width_, height_); }

void LabelControl::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setFont(font_);
    painter->setPen(foreColor_);
    painter->drawText(boundingRect(), int(alignment_) | Qt::TextWordWrap, caption_);
}
