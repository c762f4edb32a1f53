#include "platform/VideoView.h"
#include "platform/VideoFrame.h"
#include <QPainter>

VideoView::VideoView(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void VideoView::ShowFrame(const QByteArray& frame) {
    shownFrame_ = frame;
    ++showCount_;
    picture_ = DecodeVideoFrame(frame);
    update();
}

void VideoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture_.isNull()) painter.drawImage(rect(), picture_);
}

void VideoView::mousePressEvent(QMouseEvent*) {
    if (OnMouseEvent) OnMouseEvent();
}

void VideoView::mouseMoveEvent(QMouseEvent*) {
    if (OnMouseEvent) OnMouseEvent();
}
