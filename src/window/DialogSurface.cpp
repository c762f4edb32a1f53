#include "window/DialogSurface.h"
#include "table/Controls.h"
#include <QGraphicsPixmapItem>
#include <QGraphicsView>

DialogSurface::DialogSurface(const QString& caption, const QImage& background) {
    setWindowTitle(caption);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFixedSize(background.size());
    scene.setSceneRect(0, 0, background.width(), background.height());
    QGraphicsPixmapItem* backdrop = scene.addPixmap(QPixmap::fromImage(background));
    backdrop->setZValue(-1);

    view_ = new QGraphicsView(&scene, this);
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
