// The hand's event procedures reached through real mouse events on the table surface.
#include "OwnHandFixture.h"
#include <QApplication>
#include <QGraphicsItem>
#include <QMouseEvent>

namespace {
class HandEvents : public OwnHandFixture {
protected:
    void SetUp() override {
        OwnHandFixture::SetUp();
        Hand({0x81, 0x82, 0x83, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x21, 0x22, 0x23, 0x11, 0x15});
        Prompt(1 | 128);
    }
    TableSurface& Surface() { return *c.mainForm->Pic1; }

    void Send(QEvent::Type type, QPointF scenePosition, Qt::MouseButton button) {
        QWidget* viewport = Surface().viewport();
        const QPointF local = Surface().mapFromScene(scenePosition);
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, local, viewport->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    void MoveTo(QPointF at) { Send(QEvent::MouseMove, at, Qt::NoButton); }
    void ClickAt(QPointF at, Qt::MouseButton button) {
        Send(QEvent::MouseButtonPress, at, button);
        Send(QEvent::MouseButtonRelease, at, button);
    }
    QPointF CentreOf(int image) { return Image(image).mapToScene(Image(image).boundingRect().center()); }
    // A point of the surface where no visible control lies.
    QPointF BarePoint() {
        for (int y = 10; y < Surface().height(); y += 20)
            for (int x = 10; x < Surface().width(); x += 20) {
                bool bare = true;
                for (const QGraphicsItem* item : Surface().items(QPoint(x, y))) bare = bare && !item->isVisible();
                if (bare) return Surface().mapToScene(QPoint(x, y));
            }
        ADD_FAILURE() << "no bare point on the table";
        return {};
    }
};

TEST_F(HandEvents, HoverRaisesATileAndMovingOffItOverTheTableLowersIt) {
    const double y = c.seatInfo[0].HandY;
    MoveTo(CentreOf(3));
    EXPECT_DOUBLE_EQ(Image(3).Top(), y - 10);
    EXPECT_EQ(Image(3).cursor().shape(), Qt::PointingHandCursor);
    MoveTo(BarePoint());
    EXPECT_DOUBLE_EQ(Image(3).Top(), y);
}

TEST_F(HandEvents, ClickOnAnOwnTileDiscardsIt) {
    ClickAt(CentreOf(12), Qt::LeftButton);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}, {2, 1, 0, 0, 0, 0x4011}}));
    EXPECT_DOUBLE_EQ(Image(12).Left(), 488);
}

TEST_F(HandEvents, RightClickOnTheBareTablePasses) {
    ClickAt(BarePoint(), Qt::RightButton);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{7, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(c.table.PromptState, 1);
}

TEST_F(HandEvents, AnEventMeetingABadValueIsDropped) {
    c.seatInfo[0].Slots[Run(13)].Image = 400;
    ClickAt(CentreOf(12), Qt::LeftButton);
    EXPECT_TRUE(Answers().empty());
    EXPECT_EQ(c.seatInfo[0].ConcealedCount, 14);
}
}  // namespace
