#pragma once
#include "table/ClickGesture.h"
#include "table/pictures/LazyPicture.h"
#include <QColor>
#include <QFont>
#include <QGraphicsObject>
#include <QPixmap>
#include <QString>
#include <functional>

// The mouse of a picture or text control of a scene. A press the control
// has no procedure for goes on to what lies below it; a control with one
// takes every press, so that the button comes up on it again.
class SurfaceControl : public QGraphicsObject {
    Q_OBJECT
public:
    using QGraphicsObject::QGraphicsObject;

    // Event procedures, set by the client: any button going down (positions
    // in the control's own pixels), and a click (ClickGesture).
    std::function<void(Qt::MouseButton button, QPointF position)> OnMouseDown;
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    ClickGesture click_;
};

// A picture control of the table surface: geometry in screen pixels, a
// picture that is stretched to the control or gives the control its size. The
// picture is drawn when the control first shows it or it is asked for.
class ImageControl : public SurfaceControl {
    Q_OBJECT
public:
    explicit ImageControl(QGraphicsItem* parent = nullptr);
    double Left() const { return pos().x(); }
    double Top() const { return pos().y(); }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    const QPixmap& Picture() const { return picture_.Pixmap(); }
    // The picture as it was given, drawn or not.
    const LazyPicture& GivenPicture() const { return picture_; }
    void SetPicture(const LazyPicture& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // 0 the default pointer, 99 the hand cursor.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);

    // The pointer moving over the control, set by the client; moves arrive
    // only once hover events are accepted (setAcceptHoverEvents).
    std::function<void()> OnMouseMove;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    LazyPicture picture_;
    int mousePointer_ = 0;
    double width_ = 0;
    double height_ = 0;
    bool stretch_ = false;
};

// A text label of the table surface.
class LabelControl : public SurfaceControl {
    Q_OBJECT
public:
    explicit LabelControl(QGraphicsItem* parent = nullptr);
    double Left() const { return pos().x(); }
    double Top() const { return pos().y(); }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QFont Font() const { return font_; }
    void SetFont(const QFont& font);
    void SetFontSize(double points);
    QColor ForeColor() const { return foreColor_; }
    void SetForeColor(const QColor& color);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString caption_;
    QFont font_;
    QColor foreColor_ = Qt::black;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    double width_ = 0;
    double height_ = 0;
};
