#include "play/OwnHandFixture.h"
#include "play/MouseDiscard.h"
#include "window/SmallTable.h"

namespace {
using SmallTable = OwnHandFixture;

// The small screen's table picture passes on a right button-up as the table does.
TEST_F(SmallTable, RightButtonUpPassesAsOnTheTable) {
    Hand({0x81, 0x82, 0x83, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x21, 0x22, 0x23, 0x11, 0x11});
    Prompt(1 | 128);
    TableSurface& pic2 = *c.mainForm->Pic2;
    ASSERT_TRUE(pic2.OnMouseUp);
    pic2.OnMouseUp(Qt::LeftButton, {5, 5});
    EXPECT_TRUE(Answers().empty());
    pic2.OnMouseUp(Qt::RightButton, {5, 5});
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.table.PromptState, 1);
    MainForm_Pic2_MouseUp(c, kRightButton, 0, 5, 5);
    EXPECT_EQ(Answers().size(), 1u) << "once";
}

TEST_F(SmallTable, HoldsTheSmallTablePictureAndStaysHidden) {
    const TableSurface& pic2 = *c.mainForm->Pic2;
    EXPECT_FALSE(pic2.isVisible());
    EXPECT_EQ(pic2.Picture().size(), QSize(800, 600));
}
}  // namespace
