#include "video/VideoWindow.h"
#include "platform/VideoView.h"
#include "shared/Client.h"
#include <QLabel>

// Least window until the zoom windows are built: a hidden window with its view.
VideoWindow::VideoWindow(Client& c, int zoomIndex) : c_(c), zoomIndex_(zoomIndex) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    vshow1 = new VideoView(this);
    for (auto*& button : ImgCmd) button = new QLabel(this);
}

VideoWindow::~VideoWindow() = default;

void VideoWindow::ImgCmd_Click(int) {}

VideoWindow& VideoWindowOf(Client& c, int zoomIndex) {
    auto& window = c.videoWindows.at(size_t(zoomIndex));
    if (!window) window = std::make_unique<VideoWindow>(c, zoomIndex);
    return *window;
}

bool VideoWindowShown(const Client& c, int zoomIndex) {
    const auto& window = c.videoWindows.at(size_t(zoomIndex));
    return window && window->isVisible();
}

void UnloadVideoWindow(Client& c, int zoomIndex) { c.videoWindows.at(size_t(zoomIndex)).reset(); }

void ZoomVideoWindow(Client& c, int zoomIndex) {
    if (VideoWindowShown(c, zoomIndex)) return UnloadVideoWindow(c, zoomIndex);
    VideoWindowOf(c, zoomIndex).show();
}
