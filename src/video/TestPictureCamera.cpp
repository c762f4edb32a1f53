#include "video/TestPictureCamera.h"
#include "platform/VideoFrame.h"
#include "table/pictures/PictureKit.h"
#include <QPainter>
#include <array>

namespace {
// The usual bars of a test card, from white to blue.
constexpr std::array<QRgb, 7> BarColours = {0xFFC0C0C0, 0xFFC0C000, 0xFF00C0C0, 0xFF00C000,
                                            0xFFC000C0, 0xFFC00000, 0xFF0000C0};
constexpr int BarWidth = 48;
// How far the bars move on from one frame to the next.
constexpr int BarStep = 4;

void DrawBars(QPainter& painter, int frameNumber) {
    const int cycle = BarWidth * int(BarColours.size());
    const int shift = int(((qint64(frameNumber) * BarStep) % cycle + cycle) % cycle);
    for (int x = shift - cycle; x < VideoFrame::Width; x += BarWidth) {
        const int bar = ((x - shift + cycle) / BarWidth) % int(BarColours.size());
        painter.fillRect(x, 0, BarWidth, VideoFrame::Height, QColor::fromRgb(BarColours[size_t(bar)]));
    }
}
}  // namespace

QImage DrawTestPicture(const QString& account, const QTime& time, int frameNumber) {
    QImage picture(VideoFrame::Width, VideoFrame::Height, QImage::Format_RGB32);
    QPainter painter;
    BeginPainting(painter, picture);
    DrawBars(painter, frameNumber);
    const QRectF accountBand(0, 70, VideoFrame::Width, 80);
    painter.fillRect(accountBand, QColor(0, 0, 0, 150));
    DrawOutlinedText(painter, accountBand.adjusted(8, 4, -8, -4), account, Qt::white, Qt::black, 2);
    const QRectF clockBand(60, 190, VideoFrame::Width - 120, 36);
    painter.fillRect(clockBand, Qt::black);
    DrawFittedText(painter, clockBand.adjusted(4, 2, -4, -2), time.toString(QStringLiteral("HH:mm:ss.zzz")),
                   Qt::white);
    painter.end();
    return picture;
}

TestPictureCamera::TestPictureCamera(std::chrono::milliseconds interval) {
    timer_.setInterval(interval);
    QObject::connect(&timer_, &QTimer::timeout, [this] { SendFrame(); });
}

bool TestPictureCamera::Start() {
    timer_.start();
    return true;
}

void TestPictureCamera::Stop() { timer_.stop(); }

QByteArray TestPictureCamera::Format() const { return VideoFrame::Format; }

void TestPictureCamera::SetAccount(const QString& account) { account_ = account; }

void TestPictureCamera::SendFrame() {
    const int frameNumber = int(framesSent_++ & 0x7FFFFFFF);
    const QByteArray frame = EncodeVideoFrame(DrawTestPicture(account_, QTime::currentTime(), frameNumber));
    if (OnFrame) OnFrame(frame);
}
