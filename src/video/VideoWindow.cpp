#include "video/VideoWindow.h"
#include "platform/VideoView.h"
#include "shared/Client.h"
#include "table/ClickLabel.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/WidgetPlace.h"
#include "table/pictures/VideoPictures.h"
#include "table/SideWindows.h"
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Twips of each size before scaling: the window, its view and the view's place.
struct SizeDesign {
    double width, height, viewWidth, viewHeight, viewLeft, viewTop;
};
constexpr std::array<SizeDesign, 3> kSizes{{
    {2625, 2070, 2400, 1800, 110, 230},
    {4140, 3225, 3840, 2880, 150, 240},
    {6510, 5115, 6000, 4500, 240, 480},
}};

// What sets the four windows apart. Places are fractions of the table
// window's width and height.
struct WindowDesign {
    const char* caption;
    // Small and normal: the offset from the table's centre.
    double left, top;
    // Large: against the table's right edge instead of its left, its bottom instead of its top.
    bool largeAtRight, largeAtBottom;
    // Where the zoom icon opens the window: the offset from the table's centre.
    double firstLeft, firstTop;
};
// The remote windows open where their seats sit, but the opposite seat's
// window steps right of centre and the right seat's to the upper left.
constexpr std::array<WindowDesign, 4> kWindows{{
    {"Local", -0.2, 0.2, false, true, -0.2, 0.2},
    {"Remote", -0.2, -0.2, false, false, -0.25, -0.2},
    {"Form1", 0.2, -0.2, true, false, 0, -0.2},
    {"Form1", -0.2, -0.2, false, false, 0.25, -0.2},
}};

// The table window's place in twips.
QRectF TableTwips(const Client& c) {
    const QRect table = c.mainForm->frameGeometry();
    return {table.x() * kTwipsPerPixel, table.y() * kTwipsPerPixel, table.width() * kTwipsPerPixel,
            table.height() * kTwipsPerPixel};
}

// A window position in twips as the window takes it: single precision, on whole pixels.
QPoint PixelsOf(double left, double top) {
    return {RoundHalfEven(static_cast<float>(left) / kTwipsPerPixel), RoundHalfEven(static_cast<float>(top) / kTwipsPerPixel)};
}

// The window's place offset from the table's centre by fractions of the table's size.
QPoint FromTableCentre(const Client& c, const QWidget& window, double leftFactor, double topFactor) {
    const QRectF table = TableTwips(c);
    const double w = window.width() * kTwipsPerPixel, h = window.height() * kTwipsPerPixel;
    return PixelsOf((table.width() - w) / 2 + table.left() + leftFactor * table.width(),
                    (table.height() - h) / 2 + table.top() + topFactor * table.height());
}

// Button sizes step by 3/2 up and 2/3 down, from their present values.
double Stepped(double value, bool growing) { return growing ? value * 3 / 2 : 2 * value / 3; }
}  // namespace

VideoWindow::VideoWindow(Client& c, int zoomIndex) : c_(c), zoomIndex_(zoomIndex) {
    const WindowDesign& design = kWindows.at(size_t(zoomIndex));
    setWindowTitle(QString::fromLatin1(design.caption));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    vshow1 = new VideoView(this);
    const std::array<QString, 3> tips{QStringLiteral("关闭"), QStringLiteral("放大"), QStringLiteral("缩小")};
    for (int i = 0; i < 3; ++i) {
        // The button keeps its presses, so none starts a drag of the window.
        auto* button = new ClickLabel(this);
        button->OnClick = [this, i] { ImgCmd_Click(i); };
        button->setPixmap(QPixmap::fromImage(DrawVideoWindowButton(i)));
        button->setScaledContents(true);
        if (zoomIndex == 0) button->setToolTip(tips[size_t(i)]);
        ImgCmd[size_t(i)] = button;
    }

    SkinOffset = c.table.ScaleX < 1 ? 3 : 0;
    SetBackground(Normal);
    vshow1->DisplaySwitchA = true;
    vshow1->DisplaySwitchB = true;
    SetWindowSize(Normal);
    PlaceView(Normal);
    LayOutButtonsAtLoad();
}

VideoWindow::~VideoWindow() = default;

void VideoWindow::ImgCmd_Click(int index) {
    switch (index) {
    case 0: UnloadVideoWindow(c_, zoomIndex_); break;
    case 1:
        if (HasSize(Small))
            ChangeSize(Small, Normal);
        else if (HasSize(Normal))
            ChangeSize(Normal, Large);
        break;
    case 2:
        if (HasSize(Normal))
            ChangeSize(Normal, Small);
        else if (HasSize(Large))
            ChangeSize(Large, Normal);
        break;
    default: break;
    }
}

void VideoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Picture());
}

void VideoWindow::mousePressEvent(QMouseEvent* event) { drag_.Press(*this, *event); }

void VideoWindow::mouseMoveEvent(QMouseEvent* event) { drag_.Move(*this, *event); }

void VideoWindow::mouseReleaseEvent(QMouseEvent* event) { drag_.Release(*event); }

void VideoWindow::SetBackground(Size size) {
    const LazyPicture picture = LazyPictureOfResource(c_.resourceIds.VideoScreenIds[size_t(size)] + SkinOffset);
    if (picture.IsNull()) return;  // the window keeps the picture it has
    picture_ = picture;
    update();
}

void VideoWindow::SetWindowSize(Size size) {
    const SizeDesign& d = kSizes[size_t(size)];
    setFixedSize(RoundHalfEven(d.width * c_.table.ScaleX / kTwipsPerPixel),
                 RoundHalfEven(d.height * c_.table.ScaleY / kTwipsPerPixel));
}

void VideoWindow::PlaceView(Size size) {
    const SizeDesign& d = kSizes[size_t(size)];
    const double x = c_.table.ScaleX / kTwipsPerPixel, y = c_.table.ScaleY / kTwipsPerPixel;
    PlaceWidget(*vshow1, d.viewLeft * x, d.viewTop * y, d.viewWidth * x, d.viewHeight * y);
}

void VideoWindow::PlaceForSize(Size size) {
    const WindowDesign& d = kWindows[size_t(zoomIndex_)];
    if (size != Large) return move(FromTableCentre(c_, *this, d.left, d.top));
    const QRectF table = TableTwips(c_);
    const double w = width() * kTwipsPerPixel, h = height() * kTwipsPerPixel;
    const double left = d.largeAtRight ? table.left() + table.width() - w - 0.05 * table.width()
                                       : table.left() + 0.05 * table.width();
    const double top = d.largeAtBottom ? table.top() + table.height() - h - 0.07 * table.height()
                                       : table.top() + 0.07 * table.height();
    move(PixelsOf(left, top));
}

void VideoWindow::PlaceButton(int i) {
    const Twips& b = buttons_[size_t(i)];
    PlaceWidget(*ImgCmd[size_t(i)], b.left / kTwipsPerPixel, b.top / kTwipsPerPixel, b.width / kTwipsPerPixel,
                b.height / kTwipsPerPixel);
}

double VideoWindow::WidthTwips() const { return width() * kTwipsPerPixel; }

// The close button ends where the view ends on the right; the buttons stand half a button apart.
void VideoWindow::LayOutButtonsAtLoad() {
    const double width = 225 * c_.table.ScaleX, height = 240 * c_.table.ScaleY;
    const double viewLeft = vshow1->x() * kTwipsPerPixel;
    for (int i = 0; i < 3; ++i) {
        buttons_[size_t(i)] = {WidthTwips() - viewLeft - (i + 1) * width - 0.5 * i * width, 0, width, height};
        PlaceButton(i);
    }
}

// Back at the normal size the buttons take fixed lefts, not those of loading.
void VideoWindow::LayOutButtonsAfterChange(Size from, Size to) {
    const bool growing = to > from;
    const double sx = c_.table.ScaleX;
    constexpr std::array<double, 3> normalLefts{3750, 3380, 3000};
    const double margin = to == Small ? 80 : 150;
    const double top = to == Small ? 30 : to == Large ? 80 : 0;
    for (int i = 0; i < 3; ++i) {
        Twips& b = buttons_[size_t(i)];
        b.width = Stepped(b.width, growing);
        b.height = Stepped(b.height, growing);
        if (to == Normal)
            b.left = normalLefts[size_t(i)] * sx;
        else
            b.left = (i == 0 ? WidthTwips() - margin * sx : buttons_[size_t(i) - 1].left - 60 * sx) - b.width;
        b.top = top * c_.table.ScaleY;
        PlaceButton(i);
    }
}

// The present size is told by the width in whole pixels.
bool VideoWindow::HasSize(Size size) const {
    return width() == RoundHalfEven(kSizes[size_t(size)].width * c_.table.ScaleX / kTwipsPerPixel);
}

void VideoWindow::ChangeSize(Size from, Size to) {
    SetBackground(to);
    SetWindowSize(to);
    PlaceForSize(to);
    PlaceView(to);
    c_.video.ZoomWindow = static_cast<int16_t>(zoomIndex_);
    c_.Timer_Zoom.SetEnabled(true);
    LayOutButtonsAfterChange(from, to);
}

VideoWindow& VideoWindowOf(Client& c, int zoomIndex) {
    auto& window = c.videoWindows.at(size_t(zoomIndex));
    if (!window) window = MakeWindow<VideoWindow>(c, zoomIndex);
    return *window;
}

bool VideoWindowShown(const Client& c, int zoomIndex) {
    const auto& window = c.videoWindows.at(size_t(zoomIndex));
    return window && window->isVisible();
}

void UnloadVideoWindow(Client& c, int zoomIndex) {
    auto& slot = c.videoWindows.at(size_t(zoomIndex));
    if (!slot) return;
    // A window may unload itself from its own button's click: it leaves the
    // client at once, and Qt deletes it once the event is over.
    VideoWindow* window = slot.release();
    window->hide();
    window->deleteLater();
}

void ZoomVideoWindow(Client& c, int zoomIndex) {
    if (VideoWindowShown(c, zoomIndex)) return UnloadVideoWindow(c, zoomIndex);
    VideoWindow& window = VideoWindowOf(c, zoomIndex);
    const WindowDesign& d = kWindows[size_t(zoomIndex)];
    const QPoint place = FromTableCentre(c, window, d.firstLeft, d.firstTop);
    ShowTopmost(window, place.x(), place.y());
    c.video.ZoomWindow = static_cast<int16_t>(zoomIndex);
    c.Timer_Zoom.SetEnabled(true);
}
