#pragma once
#include <QWidget>
#include <array>

class Client;
class QLabel;
class VideoView;

// One of the four enlarged video windows: zoom index 0 shows the own camera
// (frm_Local), 1 to 3 the remote seats 1 to 3 (frm_Remote1 to frm_Remote3).
// Borderless, in three sizes, dragged by its background; its view is drawn
// into by the frame exchange and the zoom redraw.
class VideoWindow : public QWidget {
public:
    // Loads the window at the normal size, hidden.
    VideoWindow(Client& c, int zoomIndex);
    ~VideoWindow() override;

    VideoView* vshow1;
    // The command buttons: 0 close, 1 enlarge, 2 shrink.
    std::array<QLabel*, 3> ImgCmd{};

    int ZoomIndex() const { return zoomIndex_; }
    void ImgCmd_Click(int index);

private:
    Client& c_;
    int zoomIndex_;
};

// The window of a zoom index, created and loaded on its first use.
VideoWindow& VideoWindowOf(Client& c, int zoomIndex);
// True when the window exists and is shown; a window that does not exist is
// not created for the question.
bool VideoWindowShown(const Client& c, int zoomIndex);
// Destroys the window with its state; the next use loads it afresh.
void UnloadVideoWindow(Client& c, int zoomIndex);
// The zoom icon of a command bar: closes the window when it is shown,
// otherwise opens it at the normal size, topmost, at its first place beside
// the table, and has its last frame redrawn.
void ZoomVideoWindow(Client& c, int zoomIndex);
