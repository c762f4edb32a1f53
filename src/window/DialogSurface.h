#pragma once
#include <QGraphicsScene>
#include <QImage>
#include <QWidget>

class ImageControl;
class LabelControl;
class QGraphicsView;

// A small dialog window that cannot be moved: a fixed client area over its
// own background picture, which carries the drawn frame, with picture buttons
// and labels placed in the area's pixels.
class DialogSurface : public QWidget {
    Q_OBJECT
public:
    DialogSurface(const QString& caption, const QImage& background);

    QGraphicsScene scene;

protected:
    // A picture control showing the hand pointer, at (left, top) with the given
    // size until it gets a picture; its click procedure is the dialog's to set.
    ImageControl* AddButton(double left, double top, double width, double height);
    ImageControl* AddImage(double left, double top);
    // A transparent text label.
    LabelControl* AddLabel(const QRectF& place, const QString& caption);

private:
    QGraphicsView* view_;
};
