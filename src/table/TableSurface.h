#pragma once
#include <QGraphicsView>
#include "table/ClickGesture.h"
#include "table/pictures/LazyPicture.h"
#include <QPixmap>
#include <functional>

// The table surface Pic1: a view of the table scene whose background is the
// table picture at (0, 0), the surface's colour beyond it. The picture is
// drawn when the surface first shows it or it is asked for; the table's own
// is painted in place, where it is shown.
class TableSurface : public QGraphicsView {
    Q_OBJECT
public:
    TableSurface(QGraphicsScene* scene, QWidget* parent);
    const QPixmap& Picture() const { return picture_.Pixmap(); }
    void SetPicture(const LazyPicture& picture);

    // Event procedures for the surface itself, set by the client: a button
    // released after a press that no control took, and the pointer moving
    // where no control lies. Positions are in table pixels.
    std::function<void(Qt::MouseButton button, QPointF position)> OnMouseUp;
    std::function<void(QPointF position)> OnMouseMove;
    // A key pressed while the surface has the focus, and a click on the bare
    // surface (ClickGesture; after its button-up).
    std::function<void(const QKeyEvent& event)> OnKeyDown;
    std::function<void()> OnClick;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool ControlAt(const QPoint& viewPosition) const;
    // After the scene has had the press: a control took it, or the surface did.
    void NotePress(const QMouseEvent& event);

    LazyPicture picture_;
    bool pressTakenByControl_ = false;
    ClickGesture click_;
};
