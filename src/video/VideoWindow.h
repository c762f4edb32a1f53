#pragma once
#include "table/WindowDrag.h"
#include "table/pictures/LazyPicture.h"
#include <QPoint>
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
    // The background picture, drawn unstretched from the top left corner.
    const QPixmap& Picture() const { return picture_.Pixmap(); }
    void ImgCmd_Click(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Only presses on the background arrive here: the view and the buttons keep theirs.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum Size { Small, Normal, Large };
    // A button's place in twips; kept unrounded, as sizes step by 2/3 and 3/2.
    struct Twips {
        double left = 0, top = 0, width = 0, height = 0;
    };

    void SetBackground(Size size);
    void SetWindowSize(Size size);
    void PlaceView(Size size);
    void PlaceForSize(Size size);
    void PlaceButton(int i);
    void LayOutButtonsAtLoad();
    void LayOutButtonsAfterChange(Size from, Size to);
    bool HasSize(Size size) const;
    void ChangeSize(Size from, Size to);
    double WidthTwips() const;

    Client& c_;
    int zoomIndex_;
    // 3 on a small screen, where the backgrounds of the smaller skin are used.
    int SkinOffset = 0;
    LazyPicture picture_;
    std::array<Twips, 3> buttons_{};
    WindowDrag drag_;
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
