#include "platform/VideoFrame.h"
#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QImage Solid(QSize size, QColor colour = Qt::darkCyan) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray JpegOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

// The same frame with another size written into its start-of-frame header,
// as a hostile peer would send it; nothing else changes.
QByteArray WithAnnouncedSize(QByteArray jpeg, quint16 width, quint16 height) {
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    if (sof <= 0) return jpeg;
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QByteArray PaddedTo(QByteArray frame, qsizetype size) {
    frame.append(size - frame.size(), '\0');
    return frame;
}

QImage Noise(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

}  // namespace

// A frame holds a picture exactly when it decodes: the header check that
// every frame passes agrees with the decoder.
TEST(DecodeVideoFrame, DecodesOnlyFramesWithinTheCapsAndOnlyThoseHoldAPicture) {
    using namespace VideoFrame;
    const QByteArray good = JpegOf(Solid({320, 240}));
    const struct Case {
        const char* name;
        QByteArray frame;
        QSize decoded;  // empty: no picture
    } cases[] = {
        {"empty", {}, {}},
        {"garbage", "this is no picture at all", {}},
        {"the first bytes of a frame", good.left(12), {}},
        {"a good frame padded to the byte cap", PaddedTo(good, MaxBytes), {320, 240}},
        {"a good frame padded past the byte cap", PaddedTo(good, MaxBytes + 1), {}},
        {"the largest picture allowed", JpegOf(Solid({MaxWidth, MaxHeight})), {MaxWidth, MaxHeight}},
        {"one pixel wider than allowed", JpegOf(Solid({MaxWidth + 1, 8})), {}},
        {"one pixel taller than allowed", JpegOf(Solid({8, MaxHeight + 1})), {}},
        {"a small frame announcing 60000x60000", WithAnnouncedSize(good, 60000, 60000), {}},
        {"a small frame announcing 4000x240", WithAnnouncedSize(good, 4000, 240), {}},
        {"a good 320x240 frame", good, {320, 240}},
        {"a good frame cut off halfway", good.left(good.size() / 2), {320, 240}},
    };
    for (const Case& c : cases) {
        const QImage picture = DecodeVideoFrame(c.frame);
        if (c.decoded.isEmpty())
            EXPECT_TRUE(picture.isNull()) << c.name;
        else
            EXPECT_EQ(picture.size(), c.decoded) << c.name;
        EXPECT_EQ(FrameHoldsPicture(c.frame), !c.decoded.isEmpty()) << c.name;
    }
}

TEST(EncodeVideoFrame, AnyPictureBecomesASmallJpegOfTheFrameSize) {
    QImage translucent(640, 480, QImage::Format_ARGB32);
    translucent.fill(QColor(200, 0, 0, 80));
    const struct Case {
        const char* name;
        QImage picture;
    } cases[] = {
        {"a webcam picture", Solid({640, 480})},
        {"already the frame size", Solid({320, 240})},
        {"wide", Solid({1280, 720})},
        {"square and small", Solid({100, 100})},
        {"one pixel", Solid({1, 1})},
        {"a long thin line", Solid({4000, 1})},
        {"a tall thin line", Solid({1, 4000})},
        {"translucent", translucent},
        {"noise, the hardest to compress", Noise({640, 480})},
    };
    for (const Case& c : cases) {
        const QByteArray frame = EncodeVideoFrame(c.picture);
        ASSERT_TRUE(frame.startsWith(QByteArray("\xFF\xD8\xFF", 3))) << c.name;
        // Far under the cap that a receiving peer applies.
        EXPECT_LT(frame.size(), VideoFrame::MaxBytes / 2) << c.name;
        EXPECT_EQ(DecodeVideoFrame(frame).size(), QSize(VideoFrame::Width, VideoFrame::Height)) << c.name;
    }
    EXPECT_TRUE(EncodeVideoFrame(QImage()).isEmpty());
}

// A picture of another shape is cropped to its centre, not squeezed: the
// frame's edges show the centre's colour, not the margins'.
TEST(EncodeVideoFrame, KeepsTheCentreOfPicturesOfAnotherShape) {
    const struct Case {
        const char* name;
        QSize size;
        QRect centre;  // the part with the frame's shape
    } cases[] = {
        {"wide", {1280, 720}, {160, 0, 960, 720}},
        {"tall", {480, 640}, {0, 140, 480, 360}},
    };
    for (const Case& c : cases) {
        QImage picture = Solid(c.size, Qt::red);
        QPainter(&picture).fillRect(c.centre, Qt::green);
        const QImage frame = DecodeVideoFrame(EncodeVideoFrame(picture));
        ASSERT_FALSE(frame.isNull()) << c.name;
        for (const QPoint edge : {QPoint(1, 120), QPoint(318, 120), QPoint(160, 1), QPoint(160, 238)}) {
            const QColor seen = frame.pixelColor(edge);
            EXPECT_GT(seen.green(), 200) << c.name << " at " << edge.x() << "," << edge.y();
            EXPECT_LT(seen.red(), 60) << c.name << " at " << edge.x() << "," << edge.y();
        }
    }
}
