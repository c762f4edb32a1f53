// The enlarged video windows: their three sizes, where they place themselves,
// their buttons, dragging, closing and the zoom icon that opens them.
#include "platform/VideoView.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "table/pictures/VideoPictures.h"
#include "video/VideoWindow.h"
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {
enum Command { Close = 0, Enlarge = 1, Shrink = 2 };
enum Size { Small, Normal, Large };
const QSize kScreen{1024, 768};
const QSize kSmallScreen{800, 600};

// What a window shows, in pixels: its size, the id of its background picture,
// its view's place and its three buttons' places.
struct Look {
    QSize window;
    int picture;
    QRect view;
    std::array<QRect, 3> buttons;
};

std::string Describe(const Look& look) {
    QString text = QStringLiteral("%1x%2 picture %3 view %4,%5 %6x%7 buttons")
                       .arg(look.window.width())
                       .arg(look.window.height())
                       .arg(look.picture)
                       .arg(look.view.x())
                       .arg(look.view.y())
                       .arg(look.view.width())
                       .arg(look.view.height());
    for (const QRect& b : look.buttons)
        text += QStringLiteral(" %1,%2 %3x%4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
    return text.toStdString();
}

class VideoWindows : public ::testing::Test {
protected:
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    Client& Start(QSize screen = kScreen) {
        t = std::make_unique<TestClient>(TestClient::DefaultCommandLine(), screen);
        EXPECT_EQ(t->Load(), std::nullopt);
        return c();
    }
    Client& c() { return **t; }
    VideoWindow& Window(int z) { return VideoWindowOf(c(), z); }

    static int PictureId(const VideoWindow& window) {
        const QImage shown = window.Picture().toImage();
        for (int id = 870; id <= 875; ++id)
            if (PictureOfResource(id).toImage() == shown) return id;
        return -1;
    }
    static Look LookOf(const VideoWindow& w) {
        return {w.size(), PictureId(w), w.vshow1->geometry(), {w.ImgCmd[0]->geometry(), w.ImgCmd[1]->geometry(), w.ImgCmd[2]->geometry()}};
    }
    // A left click on a window's button, as the user gives it.
    static void Press(VideoWindow& window, Command command) { QTest::mouseClick(window.ImgCmd[command], Qt::LeftButton); }
    // The steps that bring a freshly loaded window to a size.
    static void BringTo(VideoWindow& window, Size size) {
        if (size != Large) Press(window, Shrink);
        if (size == Normal) Press(window, Enlarge);
        if (size == Large) Press(window, Enlarge);
    }
    // A press at `at` on a control, a move by `by` with the button held, and the release.
    static void Drag(QWidget* target, Qt::MouseButton button, QPoint at, QPoint by) {
        const QPointF global = target->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, {});
        QApplication::sendEvent(target, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(at + by), global + QPointF(by), Qt::NoButton, button, {});
        QApplication::sendEvent(target, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at + by), global + QPointF(by), button, Qt::NoButton, {});
        QApplication::sendEvent(target, &release);
    }

    std::unique_ptr<TestClient> t;
};

TEST_F(VideoWindows, EachWindowLoadsHiddenWithItsCaptionTooltipsAndViewSwitches) {
    struct Case {
        int z;
        const char* caption;
        std::array<QString, 3> tips;
    };
    const std::vector<Case> cases{
        {0, "Local", {QStringLiteral("关闭"), QStringLiteral("放大"), QStringLiteral("缩小")}},
        {1, "Remote", {}},
        {2, "Form1", {}},
        {3, "Form1", {}},
    };
    Start();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.z);
        EXPECT_FALSE(VideoWindowShown(c(), k.z));
        EXPECT_EQ(c().videoWindows[k.z], nullptr) << "asking about a window does not load it";
        VideoWindow& w = Window(k.z);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.windowTitle(), QString::fromLatin1(k.caption));
        EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(w.windowType(), Qt::Tool) << "no taskbar entry";
        EXPECT_TRUE(w.vshow1->DisplaySwitchA && w.vshow1->DisplaySwitchB);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(w.ImgCmd[i]->toolTip(), k.tips[i]) << "button " << i;
            EXPECT_EQ(w.ImgCmd[i]->pixmap().toImage(), DrawVideoWindowButton(i)) << "button " << i;
            EXPECT_TRUE(w.ImgCmd[i]->hasScaledContents()) << "button " << i;
        }
    }
}

TEST(VideoWindowButtons, CloseEnlargeAndShrinkAreThreeDistinctTiles) {
    std::vector<QImage> pictures;
    for (int kind = 0; kind < 3; ++kind) {
        const QImage picture = DrawVideoWindowButton(kind);
        EXPECT_EQ(picture.size(), QSize(17, 16)) << kind;
        for (const QImage& earlier : pictures) EXPECT_NE(picture, earlier) << kind;
        pictures.push_back(picture);
    }
    EXPECT_TRUE(DrawVideoWindowButton(-1).isNull());
    EXPECT_TRUE(DrawVideoWindowButton(3).isNull());
}

// A fresh window steps through its sizes; the two commands that do not apply
// change nothing and leave the zoom redraw alone.
TEST_F(VideoWindows, ButtonsStepThroughTheSizesWithTheirPicturesViewsAndButtons) {
    struct Step {
        Command command;
        Look look;
        bool changes;
    };
    struct Case {
        QSize screen;
        Look loaded;
        std::vector<Step> steps;
    };
    const Look normal{{276, 215}, 871, {10, 16, 256, 192}, {QRect(251, 0, 15, 16), QRect(228, 0, 15, 16), QRect(206, 0, 15, 16)}};
    const Look small{{175, 138}, 870, {7, 15, 160, 120}, {QRect(160, 2, 10, 11), QRect(146, 2, 10, 11), QRect(132, 2, 10, 11)}};
    const Look backToNormal{normal.window, 871, normal.view, {QRect(250, 0, 15, 16), QRect(225, 0, 15, 16), QRect(200, 0, 15, 16)}};
    const Look large{{434, 341}, 872, {16, 32, 400, 300}, {QRect(402, 5, 22, 24), QRect(375, 5, 22, 24), QRect(348, 5, 22, 24)}};
    const Look normal2{{216, 168}, 874, {8, 12, 200, 150}, {QRect(196, 0, 12, 12), QRect(179, 0, 12, 12), QRect(161, 0, 12, 12)}};
    const Look small2{{137, 108}, 873, {6, 12, 125, 94}, {QRect(125, 2, 8, 8), QRect(114, 2, 8, 8), QRect(103, 2, 8, 8)}};
    const Look backToNormal2{normal2.window, 874, normal2.view, {QRect(195, 0, 12, 12), QRect(176, 0, 12, 12), QRect(156, 0, 12, 12)}};
    const Look large2{{339, 266}, 875, {12, 25, 312, 234}, {QRect(314, 4, 18, 19), QRect(293, 4, 18, 19), QRect(272, 4, 18, 19)}};
    const std::vector<Case> cases{
        {kScreen,
         normal,
         {{Shrink, small, true},
          {Shrink, small, false},
          {Enlarge, backToNormal, true},
          {Enlarge, large, true},
          {Enlarge, large, false},
          {Shrink, backToNormal, true},
          {Shrink, small, true}}},
        {kSmallScreen,
         normal2,
         {{Shrink, small2, true},
          {Shrink, small2, false},
          {Enlarge, backToNormal2, true},
          {Enlarge, large2, true},
          {Enlarge, large2, false},
          {Shrink, backToNormal2, true},
          {Shrink, small2, true}}},
    };
    constexpr int z = 2;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.screen.width());
        Start(k.screen);
        VideoWindow& w = Window(z);
        EXPECT_EQ(Describe(LookOf(w)), Describe(k.loaded));
        for (size_t s = 0; s < k.steps.size(); ++s) {
            SCOPED_TRACE(s);
            const Step& step = k.steps[s];
            c().video.ZoomWindow = -1;
            c().Timer_Zoom.SetEnabled(false);
            const QPoint before = w.pos();
            Press(w, step.command);
            EXPECT_EQ(Describe(LookOf(w)), Describe(step.look));
            EXPECT_EQ(c().video.ZoomWindow, step.changes ? z : -1);
            EXPECT_EQ(c().Timer_Zoom.Enabled(), step.changes);
            if (!step.changes) {
                EXPECT_EQ(w.pos(), before);
            }
        }
    }
}

// Small and normal lie off the table's centre, large in a corner; the right
// seat's window takes the left seat's places, the opposite seat's lies right
// of centre. A table 1005 pixels wide puts the normal size on half pixels,
// which go to the even neighbour.
TEST_F(VideoWindows, EachSizeChangePlacesTheWindowAgainstTheTableWindow) {
    struct Case {
        QSize screen;
        QRect table;
        std::array<std::array<QPoint, 3>, 4> places;  // by window, then small, normal, large
    };
    const std::vector<Case> cases{
        {kScreen,
         {100, 50, 1024, 768},
         {{{QPoint(320, 519), QPoint(269, 480), QPoint(151, 423)},
           {QPoint(320, 211), QPoint(269, 173), QPoint(151, 104)},
           {QPoint(729, 211), QPoint(679, 173), QPoint(639, 104)},
           {QPoint(320, 211), QPoint(269, 173), QPoint(151, 104)}}}},
        {kScreen,
         {1, 0, 1005, 768},
         {{{QPoint(215, 469), QPoint(164, 430), QPoint(51, 373)},
           {QPoint(215, 161), QPoint(164, 123), QPoint(51, 54)},
           {QPoint(617, 161), QPoint(566, 123), QPoint(522, 54)},
           {QPoint(215, 161), QPoint(164, 123), QPoint(51, 54)}}}},
        {kSmallScreen,
         {0, 0, 800, 600},
         {{{QPoint(172, 366), QPoint(132, 336), QPoint(40, 292)},
           {QPoint(172, 126), QPoint(132, 96), QPoint(40, 42)},
           {QPoint(492, 126), QPoint(452, 96), QPoint(421, 42)},
           {QPoint(172, 126), QPoint(132, 96), QPoint(40, 42)}}}},
    };
    for (const Case& k : cases) {
        Start(k.screen);
        c().mainForm->setGeometry(k.table);
        ASSERT_EQ(c().mainForm->frameGeometry(), k.table);
        for (int z = 0; z < 4; ++z)
            for (Size size : {Small, Normal, Large}) {
                SCOPED_TRACE(testing::Message() << k.table.width() << " window " << z << " size " << size);
                UnloadVideoWindow(c(), z);
                VideoWindow& w = Window(z);
                BringTo(w, size);
                EXPECT_EQ(w.pos(), k.places[z][size]);
            }
    }
}

TEST_F(VideoWindows, ALargeWindowFollowsTheTableWindowWhenMadeLargeAgain) {
    Start();
    std::array<QPoint, 4> atCorner;
    for (int z = 0; z < 4; ++z) {
        BringTo(Window(z), Large);
        atCorner[z] = Window(z).pos();
        UnloadVideoWindow(c(), z);
    }
    const QPoint moved(213, 87);
    c().mainForm->move(moved);
    for (int z = 0; z < 4; ++z) {
        BringTo(Window(z), Large);
        EXPECT_EQ(Window(z).pos(), atCorner[z] + moved) << "window " << z;
    }
}

TEST_F(VideoWindows, TheZoomIconOpensAtTheFirstPlaceAndClosesTheShownWindow) {
    struct Case {
        QSize screen;
        QPoint table;
        std::array<QPoint, 4> firstPlaces;
    };
    const std::vector<Case> cases{
        {kScreen, {0, 0}, {QPoint(169, 430), QPoint(118, 123), QPoint(374, 123), QPoint(630, 123)}},
        {kScreen, {100, 50}, {QPoint(269, 480), QPoint(218, 173), QPoint(474, 173), QPoint(730, 173)}},
        {kSmallScreen, {0, 0}, {QPoint(132, 336), QPoint(92, 96), QPoint(292, 96), QPoint(492, 96)}},
    };
    for (const Case& k : cases) {
        Start(k.screen);
        c().mainForm->move(k.table);
        const QSize normal = Window(0).size();
        UnloadVideoWindow(c(), 0);
        for (int z = 0; z < 4; ++z) {
            SCOPED_TRACE(testing::Message() << k.screen.width() << " table " << k.table.x() << " window " << z);
            c().Timer_Zoom.SetEnabled(false);
            ZoomVideoWindow(c(), z);
            ASSERT_TRUE(VideoWindowShown(c(), z));
            VideoWindow* w = c().videoWindows[z].get();
            EXPECT_EQ(w->pos(), k.firstPlaces[z]);
            EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
            EXPECT_EQ(c().video.ZoomWindow, z);
            EXPECT_TRUE(c().Timer_Zoom.Enabled());

            // Resized and dragged away, the shown window is closed by the icon...
            Press(*w, Enlarge);
            w->move(3, 4);
            c().video.ZoomWindow = -1;
            c().Timer_Zoom.SetEnabled(false);
            ZoomVideoWindow(c(), z);
            EXPECT_EQ(c().videoWindows[z], nullptr);
            EXPECT_EQ(c().video.ZoomWindow, -1);
            EXPECT_FALSE(c().Timer_Zoom.Enabled());

            // ...and comes back at the normal size at its first place.
            ZoomVideoWindow(c(), z);
            ASSERT_TRUE(VideoWindowShown(c(), z));
            EXPECT_EQ(c().videoWindows[z]->size(), normal);
            EXPECT_EQ(c().videoWindows[z]->pos(), k.firstPlaces[z]);
        }
    }
}

TEST_F(VideoWindows, AHiddenWindowOpensWithTheSizeItKept) {
    Start();
    VideoWindow& w = Window(1);
    BringTo(w, Large);
    ZoomVideoWindow(c(), 1);
    EXPECT_EQ(&w, c().videoWindows[1].get());
    EXPECT_EQ(w.size(), QSize(434, 341));
    EXPECT_EQ(w.pos(), QPoint(39, 60));  // the first place, centred for the large size
}

TEST_F(VideoWindows, TheCloseButtonDestroysTheWindowAndTheNextOneIsNormal) {
    Start();
    ZoomVideoWindow(c(), 0);
    QPointer<VideoWindow> closing = c().videoWindows[0].get();
    Press(*closing, Enlarge);
    c().Timer_Zoom.SetEnabled(false);
    Press(*closing, Close);
    EXPECT_EQ(c().videoWindows[0], nullptr);
    EXPECT_FALSE(VideoWindowShown(c(), 0));
    EXPECT_FALSE(c().Timer_Zoom.Enabled());
    ASSERT_FALSE(closing.isNull());
    EXPECT_FALSE(closing->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull()) << "destroyed once its click is over";

    VideoWindow& reopened = Window(0);
    EXPECT_EQ(reopened.size(), QSize(276, 215));
    EXPECT_EQ(PictureId(reopened), 871);
}

TEST_F(VideoWindows, OnlyALeftPressOnTheBackgroundDragsTheWindow) {
    enum Target { Background, View, Button };
    struct Case {
        Target target;
        Qt::MouseButton button;
        bool moves;
    };
    const std::vector<Case> cases{
        {Background, Qt::LeftButton, true},
        {Background, Qt::RightButton, false},
        {Background, Qt::MiddleButton, false},
        {View, Qt::LeftButton, false},
        {Button, Qt::LeftButton, false},
        {Button, Qt::RightButton, false},
    };
    Start();
    VideoWindow& w = Window(3);
    w.show();
    const QPoint by(30, 20);
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "target " << k.target << " button " << k.button);
        w.move(100, 100);
        QWidget* target = k.target == Background ? static_cast<QWidget*>(&w) : k.target == View ? static_cast<QWidget*>(w.vshow1)
                                                                                            : w.ImgCmd[Shrink];
        const QPoint at = k.target == Background ? QPoint(3, 100) : QPoint(2, 2);  // the left margin
        Drag(target, k.button, at, by);
        EXPECT_EQ(w.pos(), k.moves ? QPoint(130, 120) : QPoint(100, 100));
        EXPECT_EQ(w.size(), QSize(276, 215)) << "a press that drags never clicks";
    }
}
}  // namespace
