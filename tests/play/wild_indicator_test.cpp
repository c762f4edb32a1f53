#include "table/TilePictures.h"
#include "play/WildIndicator.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include <gtest/gtest.h>

namespace {
struct Case {
    QSize screen;
    int16_t wallBack;
    int16_t indicator;
    double width, height, raise;
    int16_t picture;
    bool toFront;
};

TEST(WildIndicator, LiesOnTheWallBacksStackInTheSizeAndFaceOfItsSide) {
    const Case cases[] = {
        // The upper tile of the left wall's first stack: one tier above it.
        {{1024, 768}, 34, 0x23, 48, 35, 20, 36 + 9 + 3 - 1, true},
        // A lower tile of the top wall: where its upper tile lay.
        {{1024, 768}, 101, 0x81, 30, 36, 16, 72 + 27, false},
        {{1024, 768}, 0, 0x15, 36, 50, 22, 4, true},
        {{1024, 768}, 135, 0x49, 48, 35, 20, 108 + 18 + 8, false},
        // The small screen's raise is the wall layout's, 22 × 0.78125.
        {{800, 600}, 10, 0x11, 28, 39, 17.1875, 0, true},
    };
    for (const Case& k : cases) {
        TestClient t(TestClient::DefaultCommandLine(), k.screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        LayoutWall(*t);
        t->table.WallBack = k.wallBack;
        t->table.WildIndicator = k.indicator;
        ImageControl& stack = *t->mainForm->MJ_Image[k.wallBack];
        ImageControl& indicator = *t->mainForm->MJ_Image[60];
        ShowDiscardTile(*t, 60);
        EXPECT_DOUBLE_EQ(indicator.Left(), stack.Left()) << k.wallBack;
        EXPECT_DOUBLE_EQ(indicator.Top(), stack.Top() - k.raise) << k.wallBack;
        EXPECT_EQ(indicator.Width(), k.width) << k.wallBack;
        EXPECT_EQ(indicator.Height(), k.height) << k.wallBack;
        EXPECT_EQ(t->table.TileImagePictures[60], k.picture) << k.wallBack;
        EXPECT_TRUE(indicator.isVisible());
        EXPECT_EQ(InFrontOfAll(indicator), k.toFront) << k.wallBack;
    }
}

TEST(WildIndicator, AnIndicatorThatNamesNoTileIsNotLaid) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    LayoutWall(*t);
    t->table.WallBack = 94;
    t->table.WildIndicator = 0;
    ShowDiscardTile(*t, 60);
    EXPECT_FALSE(t->mainForm->MJ_Image[60]->isVisible());
}
}  // namespace
