#include "table/pictures/FramePictures.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
// The parts that are stretched must look the same at any window size.
TEST(FramePictures, SkinIsOpaqueAndUniformAlongEveryStretchedPart) {
    const QImage skin = SkinPicture().toImage();
    ASSERT_EQ(skin.size(), SkinSize);
    for (int y = 0; y < skin.height(); ++y)
        for (int x = 0; x < skin.width(); ++x) ASSERT_EQ(qAlpha(skin.pixel(x, y)), 255) << x << "," << y;
    // top and bottom bands between the corners
    for (int y : {0, 5, 19, 212, 219})
        for (int x = 9; x < 16; ++x) EXPECT_EQ(skin.pixel(x, y), skin.pixel(8, y)) << x << "," << y;
    // left and right borders between the corners
    for (int x : {0, 3, 7, 38, 42, 45})
        for (int y = 21; y < 212; ++y) EXPECT_EQ(skin.pixel(x, y), skin.pixel(x, 20)) << x << "," << y;
}

TEST(FramePictures, EveryCaptionButtonLookDiffersFromTheOthers) {
    std::vector<QImage> looks;
    for (CaptionButton button : {CaptionButton::Close, CaptionButton::Minimise})
        for (CaptionLook look : {CaptionLook::Normal, CaptionLook::Hover, CaptionLook::Pressed}) {
            const QImage picture = CaptionButtonPicture(button, look).toImage();
            EXPECT_EQ(picture.size(), CaptionButtonSize);
            for (const QImage& other : looks) EXPECT_NE(picture, other);
            looks.push_back(picture);
        }
    EXPECT_EQ(WindowIconPicture().size(), WindowIconSize);
}
}  // namespace
