#include "table/ClickGesture.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// One mouse event that reaches a control: a press (or a double click's second
// press) or a release, over the control or away from it.
struct Step {
    QEvent::Type type;
    Qt::MouseButton button;
    bool over = true;
};
constexpr Step Press(Qt::MouseButton b) { return {QEvent::MouseButtonPress, b}; }
constexpr Step Second(Qt::MouseButton b) { return {QEvent::MouseButtonDblClick, b}; }
constexpr Step Release(Qt::MouseButton b, bool over = true) { return {QEvent::MouseButtonRelease, b, over}; }
constexpr Qt::MouseButton L = Qt::LeftButton, R = Qt::RightButton;

TEST(ClickGesture, OnlyTheLeftButtonPressedAndLetGoOverTheControlClicks) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        int clicks;
    } cases[] = {
        {"left press and release", {Press(L), Release(L)}, 1},
        {"let go away from the control", {Press(L), Release(L, false)}, 0},
        {"right button", {Press(R), Release(R)}, 0},
        {"a release without its press", {Release(L)}, 0},
        {"a second release", {Press(L), Release(L), Release(L)}, 1},
        {"double click counts once", {Press(L), Release(L), Second(L), Release(L)}, 1},
        {"two clicks in a row", {Press(L), Release(L), Press(L), Release(L)}, 2},
        {"the right button between neither spoils nor makes one", {Press(L), Press(R), Release(R), Release(L)}, 1},
        {"the left button let go during a right press", {Press(R), Press(L), Release(L), Release(R)}, 1},
        {"a double click's second press alone", {Second(L), Release(L)}, 0},
        {"a graphics item's own press", {{QEvent::GraphicsSceneMousePress, L}, Release(L)}, 1},
        {"a graphics item's double click", {{QEvent::GraphicsSceneMousePress, L}, Release(L),
                                            {QEvent::GraphicsSceneMouseDoubleClick, L}, Release(L)}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickGesture gesture;
        int clicks = 0;
        for (const Step& step : c.steps) {
            if (step.type == QEvent::MouseButtonRelease)
                clicks += gesture.Release(step.button, step.over);
            else
                gesture.Press(step.type, step.button);
        }
        EXPECT_EQ(clicks, c.clicks);
    }
}
}  // namespace
