#pragma once
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <functional>

// The video component's view: draws one frame, black until the first.
class VideoView : public QWidget {
public:
    explicit VideoView(QWidget* parent = nullptr);

    bool DisplaySwitchA = false;
    bool DisplaySwitchB = false;
    // Draws a frame as the camera or a peer delivered it; one that cannot be
    // decoded leaves the view black.
    void ShowFrame(const QByteArray& frame);
    // The frame drawn last and how many have been drawn, as the view was given them.
    const QByteArray& ShownFrame() const { return shownFrame_; }
    int ShowCount() const { return showCount_; }

    // The component's mouse event: a press or a move over the view.
    std::function<void()> OnMouseEvent;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QByteArray shownFrame_;
    QImage picture_;
    int showCount_ = 0;
};
