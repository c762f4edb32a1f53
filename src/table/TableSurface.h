#pragma once
#include <QGraphicsView>
#include <QPixmap>

// The table surface Pic1: a view of the table scene whose background is the
// table picture at (0, 0), the surface's colour beyond it.
class TableSurface : public QGraphicsView {
    Q_OBJECT
public:
    TableSurface(QGraphicsScene* scene, QWidget* parent);
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private:
    QPixmap picture_;
};
