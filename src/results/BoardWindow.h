#pragma once
#include "table/WindowDrag.h"
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPoint>
#include <QWidget>
#include <functional>

// A borderless side window of fixed size over its own background picture,
// drawn when the window is first shown: most tables never open every board.
// A draggable one follows the mouse from a press anywhere on its surface
// or its labels; the list boxes keep their presses.
class BoardWindow : public QWidget {
public:
    BoardWindow(const QString& caption, QSize size, std::function<QImage()> drawBackground, const QColor& labelColor,
                bool draggable);

protected:
    QLabel* AddLabel(const QRect& geometry, const QString& text = QString());
    QListWidget* AddList(const QRect& geometry);
    // An image whose picture, whatever its size, is stretched to fill the place.
    QLabel* AddImage(const QRect& geometry);
    // A close area: a click on it hides the window.
    QLabel* AddCloseArea(const QRect& geometry, int kind);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<QImage()> drawBackground_;
    QImage background_;
    QColor labelColor_;
    bool draggable_;
    WindowDrag drag_;
};
