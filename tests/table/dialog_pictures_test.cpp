#include "table/pictures/DialogPictures.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
bool FullyOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255) return false;
    return true;
}
}  // namespace

TEST(DialogPictures, BackgroundsFillTheirSquareWindowsToTheCorners) {
    struct Case {
        const char* name;
        QImage picture;
        QSize size;
    };
    const Case cases[] = {
        {"sound settings", DrawSoundSettingsBackground(), QSize(220, 330)},
        {"exit dialog", DrawExitDialogBackground(), QSize(320, 180)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(k.picture.size(), k.size);
        EXPECT_TRUE(FullyOpaque(k.picture)) << "a window without a system frame shows every pixel";
    }
}

TEST(DialogPictures, EachOptionHasItsOwnCaption) {
    std::vector<QImage> captions;
    for (int option = 0; option < 4; ++option) {
        const QImage caption = DrawSoundOptionCaption(option);
        EXPECT_EQ(caption.size(), QSize(91, 35)) << option;
        for (const QImage& earlier : captions) EXPECT_NE(caption, earlier) << option;
        captions.push_back(caption);
    }
    EXPECT_TRUE(DrawSoundOptionCaption(-1).isNull());
    EXPECT_TRUE(DrawSoundOptionCaption(4).isNull());
}
