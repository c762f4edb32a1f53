// The click areas of the table surface, reached through real mouse events:
// a command runs for the left button pressed and let go over the same
// control, once for a double click, and never for another button.
#include "results/HeroWindow.h"
#include "window/ButtonRow.h"
#include "window/ChatFixture.h"
#include "window/PhraseWindow.h"
#include "window/TalkWindow.h"
#include <QGraphicsItem>
#include <QMouseEvent>
#include <functional>

namespace {
class TableClicks : public ChatFixture {
protected:
    TableSurface& Surface() { return *t->mainForm->Pic1; }

    void Send(QEvent::Type type, QPointF scenePosition, Qt::MouseButton button) {
        QWidget* viewport = Surface().viewport();
        const QPointF local = Surface().mapFromScene(scenePosition);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, local, viewport->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
};

struct ClickArea {
    const char* name;
    std::function<QGraphicsItem*(MainForm&)> control;
    // Puts the command's effect back to before the click.
    std::function<void(TestClient&)> reset;
    std::function<bool(TestClient&)> ran;
};

enum class Gesture { LeftClick, RightClick, LetGoOffTheControl, DoubleClick };

TEST_F(TableClicks, EveryClickAreaRunsItsCommandOnALeftClickOnly) {
    const ClickArea areas[] = {
        {"history button", [](MainForm& f) { return f.AnNiu[BarButton::HandList]; },
         [](TestClient& t) { t->Hero().hide(); }, [](TestClient& t) { return t->Hero().isVisible(); }},
        {"chat button", [](MainForm& f) { return f.AnNiu[BarButton::ChatLog]; },
         [](TestClient& t) { t->Talk().hide(); }, [](TestClient& t) { return t->Talk().isVisible(); }},
        {"left portrait", [](MainForm& f) { return f.Tou[1]; },
         [](TestClient& t) {
             t->chat.PrivateChatPrefix.clear();
             t->mainForm->Chat->clear();
         },
         [](TestClient& t) { return t->mainForm->Chat->text() == QStringLiteral("你对cat说: "); }},
        {"chat label", [](MainForm& f) { return f.Lbchat; }, [](TestClient& t) { t->Talk().hide(); },
         [](TestClient& t) { return t->Talk().isVisible(); }},
        {"text phrases", [](MainForm& f) { return f.imgword1; }, [](TestClient& t) { t->Huifu().hide(); },
         [](TestClient& t) { return t->Huifu().isVisible() && t->Huifu().List1->isVisible(); }},
        {"voice phrases", [](MainForm& f) { return f.imgword2; }, [](TestClient& t) { t->Huifu().hide(); },
         [](TestClient& t) { return t->Huifu().isVisible() && t->Huifu().List2->isVisible(); }},
        {"open-video icon", [](MainForm& f) { return f.ImgShow[1]; },
         [](TestClient& t) {
             t->video.VideoBlocked[1] = true;
             t->mainForm->ImgShow[1]->setVisible(true);
         },
         [](TestClient& t) { return !t->video.VideoBlocked[1]; }},
    };
    const struct {
        Gesture gesture;
        const char* name;
        bool runs;
    } gestures[] = {
        {Gesture::LeftClick, "left click", true},
        {Gesture::RightClick, "right click", false},
        {Gesture::LetGoOffTheControl, "left press let go off the control", false},
        {Gesture::DoubleClick, "double click: once, so a toggle stays open", true},
    };
    for (const ClickArea& area : areas) {
        for (const auto& g : gestures) {
            SCOPED_TRACE(testing::Message() << area.name << ", " << g.name);
            area.reset(t);
            const QGraphicsItem& control = *area.control(*t->mainForm);
            ASSERT_TRUE(control.isVisible());
            const QRectF place = control.sceneBoundingRect();
            const QPointF on = place.center(), off = place.topLeft() - QPointF(20, 20);
            const Qt::MouseButton button = g.gesture == Gesture::RightClick ? Qt::RightButton : Qt::LeftButton;
            Send(QEvent::MouseButtonPress, on, button);
            Send(QEvent::MouseButtonRelease, g.gesture == Gesture::LetGoOffTheControl ? off : on, button);
            if (g.gesture == Gesture::DoubleClick) {
                Send(QEvent::MouseButtonDblClick, on, button);
                Send(QEvent::MouseButtonRelease, on, button);
            }
            EXPECT_EQ(area.ran(t), g.runs);
        }
    }
}

// Both releases of a double click on a control are the control's: a right
// double click on a button is no right click on the table, which would pass.
TEST_F(TableClicks, TheBareTableHearsOnlyTheReleasesOfItsOwnPresses) {
    const QPointF bare(512, 384);
    for (const QGraphicsItem* item : t->mainForm->scene.items(bare)) ASSERT_FALSE(item->isVisible());
    const QPointF onButton = t->mainForm->AnNiu[BarButton::HandList]->sceneBoundingRect().center();
    const struct {
        const char* name;
        QPointF at;
        Qt::MouseButton button;
        int tableUps, tableClicks;
    } cases[] = {
        {"left double click on a button", onButton, Qt::LeftButton, 0, 0},
        {"right double click on a button", onButton, Qt::RightButton, 0, 0},
        {"left double click on the bare table", bare, Qt::LeftButton, 2, 1},
        {"right double click on the bare table", bare, Qt::RightButton, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int ups = 0, clicks = 0;
        Surface().OnMouseUp = [&](Qt::MouseButton, QPointF) { ++ups; };
        Surface().OnClick = [&] { ++clicks; };
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease})
            Send(type, c.at, c.button);
        EXPECT_EQ(ups, c.tableUps);
        EXPECT_EQ(clicks, c.tableClicks);
    }
}
}  // namespace
