#include "table/TableSurface.h"
#include <QGraphicsItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TableSurface::TableSurface(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(QColor(0, 96, 48));
    viewport()->setMouseTracking(true);
}

void TableSurface::SetPicture(const LazyPicture& picture) {
    picture_ = picture;
    resetCachedContent();
    viewport()->update();
}

void TableSurface::drawBackground(QPainter* painter, const QRectF& rect) {
    QGraphicsView::drawBackground(painter, rect);
    picture_.Paint(*painter, rect.toAlignedRect() & QRect(QPoint(0, 0), picture_.Size()));
}

bool TableSurface::ControlAt(const QPoint& viewPosition) const {
    for (const QGraphicsItem* item : items(viewPosition))
        if (item->isVisible()) return true;
    return false;
}

// The scene accepts the press when a control took it.
void TableSurface::NotePress(const QMouseEvent& event) {
    pressTakenByControl_ = event.isAccepted();
    if (!pressTakenByControl_) click_.Press(event.type(), event.button());
}

void TableSurface::mousePressEvent(QMouseEvent* event) {
    QGraphicsView::mousePressEvent(event);
    NotePress(*event);
}

// The second press of a double click reaches the scene by its own way; its
// button-up belongs to the control that took it, if any, as the first one's did.
void TableSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    QGraphicsView::mouseDoubleClickEvent(event);
    NotePress(*event);
}

void TableSurface::mouseReleaseEvent(QMouseEvent* event) {
    const bool taken = pressTakenByControl_;
    pressTakenByControl_ = false;
    QGraphicsView::mouseReleaseEvent(event);
    if (taken) return;
    const QPoint at = event->position().toPoint();
    if (OnMouseUp) OnMouseUp(event->button(), mapToScene(at));
    if (click_.Release(event->button(), viewport()->rect().contains(at)) && OnClick) OnClick();
}

void TableSurface::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) OnKeyDown(*event);
    QGraphicsView::keyPressEvent(event);
}

void TableSurface::mouseMoveEvent(QMouseEvent* event) {
    QGraphicsView::mouseMoveEvent(event);
    if (OnMouseMove && !ControlAt(event->position().toPoint())) OnMouseMove(mapToScene(event->position().toPoint()));
}
