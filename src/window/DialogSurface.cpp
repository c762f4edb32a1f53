#include "window/DialogSurface.h"
#include "table/Controls.h"
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QMouseEvent>

namespace {
// Reports a left click on the item under both the press and the release.
class ClickView : public QGraphicsView {
public:
    ClickView(QGraphicsScene* scene, QWidget* parent, DialogSurface& dialog) : QGraphicsView(scene, parent), dialog_(dialog) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton ? itemAt(event->pos()) : nullptr;
        pressValid_ = event->button() == Qt::LeftButton;
        QGraphicsView::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QGraphicsView::mouseReleaseEvent(event);
        if (event->button() != Qt::LeftButton || !pressValid_) return;
        pressValid_ = false;
        QGraphicsItem* released = itemAt(event->pos());
        if (released == pressed_ && dialog_.OnClick) dialog_.OnClick(released);
    }

private:
    DialogSurface& dialog_;
    QGraphicsItem* pressed_ = nullptr;
    bool pressValid_ = false;
};
}  // namespace

DialogSurface::DialogSurface(const QString& caption, const QImage& background) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFixedSize(background.size());
    scene.setSceneRect(0, 0, background.width(), background.height());
    QGraphicsPixmapItem* backdrop = scene.addPixmap(QPixmap::fromImage(background));
    backdrop->setZValue(-1);

    view_ = new ClickView(&scene, this, *this);
    view_->setGeometry(0, 0, background.width(), background.height());
    view_->setFrameShape(QFrame::NoFrame);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

ImageControl* DialogSurface::AddImage(double left, double top) {
    auto* image = new ImageControl;
    scene.addItem(image);
    image->Move(left, top);
    return image;
}

ImageControl* DialogSurface::AddButton(double left, double top, double width, double height) {
    ImageControl* button = AddImage(left, top);
    button->Move(left, top, width, height);
    button->SetMousePointer(99);
    return button;
}

LabelControl* DialogSurface::AddLabel(const QRectF& place, const QString& caption) {
    auto* label = new LabelControl;
    scene.addItem(label);
    label->Move(place.left(), place.top(), place.width(), place.height());
    label->SetCaption(caption);
    return label;
}
