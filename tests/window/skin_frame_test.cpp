#include "platform/LobbyLink.h"
#include "play/MouseDiscard.h"
#include "results/HeroWindow.h"
#include "results/InformationWindow.h"
#include "results/ScoreWindow.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/pictures/FramePictures.h"
#include "window/ButtonRow.h"
#include "window/ExitDialog.h"
#include "window/PhraseWindow.h"
#include "window/SkinFrame.h"
#include "window/SoundSettingsDialog.h"
#include "window/TalkWindow.h"
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
// Sends one mouse event to a widget, at a point in its own pixels.
void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Click(QWidget& widget, Qt::MouseButton button, QPoint releaseAt = {4, 4}) {
    SendMouse(widget, QEvent::MouseButtonPress, {4, 4}, button);
    SendMouse(widget, QEvent::MouseButtonRelease, releaseAt, button);
}

TEST(SkinFrame, EachDimensionBeyondTheTableGetsTheFrameAndTheTableSitsInsideIt) {
    struct Case {
        QSize screen;
        QSize window;
        QRect table;
        bool framed;
    } cases[] = {
        {{1280, 1024}, {1040, 796}, {8, 20, 1024, 768}, true},
        {{1024, 768}, {1024, 768}, {0, 0, 1024, 768}, false},
        {{800, 600}, {800, 600}, {0, 0, 800, 600}, false},
        {{1280, 768}, {1040, 768}, {8, 0, 1024, 768}, true},
        {{1024, 1024}, {1024, 796}, {0, 20, 1024, 768}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        TestClient t(TestClient::DefaultCommandLine(), c.screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        const MainForm& f = *t->mainForm;
        EXPECT_EQ(f.geometry(), QRect(QPoint(0, 0), c.window));
        EXPECT_EQ(f.Pic1->geometry(), c.table);
        EXPECT_EQ(f.SkinFramed, c.framed);
        EXPECT_EQ(f.ImgClose[0]->isVisible(), c.framed);
        EXPECT_EQ(f.ImgMin[0]->isVisible(), c.framed);
        EXPECT_EQ(f.LbMove->isVisible(), c.framed);
        EXPECT_EQ(f.lcaption->isVisible(), c.framed);
        EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint) << "never a system border or title bar";
    }
}

class LargeScreen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(t.Load(), std::nullopt); }
    // Whether element 0 of a caption button shows the picture of element `look`.
    static bool Shows(const std::array<CaptionControl*, 4>& button, CaptionLook look) {
        return button[0]->pixmap().toImage() == button[int(look)]->pixmap().toImage();
    }
    TestClient t{TestClient::DefaultCommandLine(), {1280, 1024}};
    MainForm& f = *t->mainForm;
};

// Twips of the window's design, 15 to the pixel, rounded to whole pixels.
TEST_F(LargeScreen, CaptionControlsStandInTheTitleBand) {
    EXPECT_EQ(f.ImgClose[0]->geometry(), QRect(1019, 2, 16, 16)) << "15,290 twips";
    EXPECT_EQ(f.ImgMin[0]->geometry(), QRect(1001, 2, 16, 16)) << "15,020 twips";
    EXPECT_EQ(f.LbMove->geometry(), QRect(19, 0, 982, 19)) << "290 twips on, 14,730 wide, 290 high";
    EXPECT_EQ(f.lcaption->pos(), QPoint(20, 2));
    EXPECT_EQ(f.lcaption->text(), QStringLiteral("Dravik麻将"));
    EXPECT_TRUE(f.lcaption->font().bold());
    EXPECT_EQ(f.lcaption->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(f.ImgIcon->geometry(), QRect(3, 3, 16, 16));
    EXPECT_TRUE(f.ImgIcon->isVisible());
    EXPECT_FALSE(f.ImgIcon->pixmap().isNull());
    EXPECT_EQ(f.ImgClose[0]->toolTip(), QStringLiteral("关闭"));
    EXPECT_EQ(f.ImgMin[0]->toolTip(), QStringLiteral("最小化"));
    EXPECT_EQ(f.ImgClose[0]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(Shows(f.ImgClose, CaptionLook::Normal));
    EXPECT_TRUE(Shows(f.ImgMin, CaptionLook::Normal));
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(f.ImgClose[k]->isVisible() || f.ImgMin[k]->isVisible());
    EXPECT_EQ(f.childAt(25, 8), f.LbMove) << "the strip takes presses on the title";
}

TEST_F(LargeScreen, FramePiecesCoverEverythingAroundTheTableAndNothingInside) {
    ASSERT_TRUE(f.SkinFramed);
    ASSERT_EQ(f.size(), QSize(1040, 796));
    QImage surface(f.size(), QImage::Format_ARGB32_Premultiplied);
    surface.fill(Qt::transparent);
    QPainter painter(&surface);
    PaintFramePieces(painter, f.size());
    painter.end();
    const QRect table = f.Pic1->geometry();
    int gaps = 0, paintedInside = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const int alpha = qAlpha(surface.pixel(x, y));
            if (table.contains(x, y))
                paintedInside += alpha != 0;
            else
                gaps += alpha != 255;
        }
    EXPECT_EQ(gaps, 0);
    EXPECT_EQ(paintedInside, 0);

    // Each piece is its part of the frame picture: corners as they are, bands
    // and borders stretched along their length.
    const QImage skin = SkinPicture().toImage();
    struct Point {
        QPoint window, skin;
    } points[] = {
        {{0, 0}, {0, 0}},       {{7, 19}, {7, 19}},       {{500, 19}, {12, 19}}, {{500, 5}, {9, 5}},
        {{1039, 0}, {45, 0}},   {{1032, 10}, {38, 10}},   {{3, 400}, {3, 100}},  {{1036, 700}, {42, 30}},
        {{0, 795}, {0, 219}},   {{600, 788}, {10, 212}},  {{1039, 795}, {45, 219}},
    };
    for (const Point& p : points)
        EXPECT_EQ(surface.pixel(p.window), skin.pixel(p.skin)) << p.window.x() << "," << p.window.y();

    // The window shows the pieces in whatever part of it is painted (the
    // title band also holds the caption controls).
    for (const QRect& part : {QRect(0, 20, 8, 776), QRect(1032, 20, 8, 776), QRect(0, 788, 1040, 8)})
        EXPECT_EQ(f.grab(part).toImage().convertToFormat(QImage::Format_RGB32),
                  surface.copy(part).convertToFormat(QImage::Format_RGB32))
            << part.x() << "," << part.y();
}

TEST_F(LargeScreen, ButtonLooksFollowThePointerAndTheButtons) {
    using Look = CaptionLook;
    enum Step { CloseMove, CloseDown, CloseUp, MinMove, MinDown, MinUp, StripMove, WindowMove, HiddenCloseMove };
    struct Case {
        Step step;
        int button;
        Look close, minimise;
        bool normal;
    } steps[] = {
        {HiddenCloseMove, 0, Look::Normal, Look::Normal, true},
        {CloseMove, 0, Look::Hover, Look::Normal, false},
        {CloseDown, kRightButton, Look::Pressed, Look::Normal, false},
        {CloseMove, 0, Look::Pressed, Look::Normal, false},
        {CloseUp, kRightButton, Look::Hover, Look::Normal, false},
        {MinMove, 0, Look::Hover, Look::Normal, false},  // straight from one button onto the other
        {WindowMove, 0, Look::Normal, Look::Normal, true},
        {MinMove, 0, Look::Normal, Look::Hover, false},
        {MinDown, kLeftButton, Look::Normal, Look::Pressed, false},
        {MinUp, kLeftButton, Look::Normal, Look::Hover, false},
        {StripMove, 0, Look::Normal, Look::Normal, true},
        {StripMove, 0, Look::Normal, Look::Normal, true},
    };
    Client& c = *t;
    int n = 0;
    for (const Case& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << n++);
        switch (s.step) {
        case CloseMove: MainForm_ImgClose_MouseMove(c, 0, s.button, 0, 3, 3); break;
        case CloseDown: MainForm_ImgClose_MouseDown(c, 0, s.button, 0, 3, 3); break;
        case CloseUp: MainForm_ImgClose_MouseUp(c, 0, s.button, 0, 3, 3); break;
        case MinMove: MainForm_ImgMin_MouseMove(c, 0, s.button, 0, 3, 3); break;
        case MinDown: MainForm_ImgMin_MouseDown(c, 0, s.button, 0, 3, 3); break;
        case MinUp: MainForm_ImgMin_MouseUp(c, 0, s.button, 0, 3, 3); break;
        case StripMove: MainForm_LbMove_MouseMove(c, 0, 0, 3, 3); break;
        case WindowMove: MainForm_Form_MouseMove(c, 0, 0, 3, 3); break;
        case HiddenCloseMove: MainForm_ImgClose_MouseMove(c, 2, 0, 0, 3, 3); break;
        }
        EXPECT_TRUE(Shows(f.ImgClose, s.close));
        EXPECT_TRUE(Shows(f.ImgMin, s.minimise));
        EXPECT_EQ(c.window.ChromeNormal, s.normal);
    }
}

TEST_F(LargeScreen, OnlyMovesOverTheBareWindowRestoreTheLooks) {
    struct Case {
        QPoint at;
        bool restores;
    } cases[] = {{{2, 400}, true},  {{500, 792}, true}, {{1017, 8}, true}, {{1037, 8}, true},
                 {{10, 8}, false},  {{400, 8}, false},  {{1005, 8}, false}, {{500, 400}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
        MainForm_ImgClose_MouseMove(*t, 0, 0, 0, 3, 3);
        SendMouse(f, QEvent::MouseMove, c.at);
        EXPECT_EQ(t->window.ChromeNormal, c.restores);
        EXPECT_EQ(Shows(f.ImgClose, CaptionLook::Normal), c.restores);
    }
}

TEST_F(LargeScreen, ARightClickOnACaptionButtonRunsNoCommand) {
    for (CaptionControl* button : {f.ImgClose[0], f.ImgMin[0]}) {
        Click(*button, Qt::RightButton);
        EXPECT_TRUE(Shows(button == f.ImgClose[0] ? f.ImgClose : f.ImgMin, CaptionLook::Hover));
    }
    EXPECT_FALSE(f.IsMinimized());
    EXPECT_FALSE(t->frmExit && t->frmExit->isVisible());
}

TEST_F(LargeScreen, ALeftPressReleasedOutsideTheCloseButtonKeepsTheHoverLookAndRunsNothing) {
    MainForm_ImgClose_MouseMove(*t, 0, 0, 0, 3, 3);
    Click(*f.ImgClose[0], Qt::LeftButton, {40, 40});
    EXPECT_TRUE(Shows(f.ImgClose, CaptionLook::Hover));
    EXPECT_FALSE(t->frmExit && t->frmExit->isVisible());
    EXPECT_FALSE(t->window.ChromeNormal);
}

TEST_F(LargeScreen, MinimiseButtonMinimisesTheWindowAlone) {
    t.lobby->frames.clear();
    Click(*f.ImgMin[0], Qt::LeftButton);
    EXPECT_TRUE(f.IsMinimized());
    EXPECT_TRUE(t.lobby->frames.empty()) << "the lobby window is not touched";
    EXPECT_FALSE(t->window.BossKey);
    EXPECT_EQ(t->table.TurnSeconds, 8);
}

// The close button is the exit button of the button row.
TEST_F(LargeScreen, CloseButtonRunsTheExitCommand) {
    TestClient twin{TestClient::DefaultCommandLine(), {1280, 1024}};
    ASSERT_EQ(twin.Load(), std::nullopt);
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        Click(*f.ImgClose[0], Qt::LeftButton);
        MainForm_AnNiu_Click(*twin, 8);
        EXPECT_EQ(t->FrmExit().isVisible(), twin->FrmExit().isVisible());
    }
}

TEST_F(LargeScreen, DraggingWithTheLeftButtonFirstHidesTheSideWindows) {
    const auto showAll = [&] {
        for (QWidget* w : std::initializer_list<QWidget*>{&t->Talk(), &t->Huifu(), &t->Score(), &t->Hero(),
                                                          &t->VosSet(), &t->FrmExit(), &t->Information()})
            w->show();
    };
    showAll();
    Click(*f.LbMove, Qt::RightButton);
    EXPECT_TRUE(t->Talk().isVisible() && t->Huifu().isVisible() && t->Score().isVisible() && t->Hero().isVisible() &&
                t->VosSet().isVisible())
        << "the right button drags nothing";

    SendMouse(*f.LbMove, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton);
    for (QWidget* hidden : std::initializer_list<QWidget*>{&t->Talk(), &t->Huifu(), &t->Score(), &t->Hero(), &t->VosSet()})
        EXPECT_FALSE(hidden->isVisible()) << hidden->metaObject()->className();
    EXPECT_TRUE(t->FrmExit().isVisible()) << "the exit dialog stays";
    EXPECT_TRUE(t->Information().isVisible()) << "the player card stays";
    EXPECT_EQ(f.LbMove->cursor().shape(), Qt::SizeAllCursor);
    SendMouse(*f.LbMove, QEvent::MouseButtonRelease, {4, 4}, Qt::LeftButton);
    SendMouse(*f.LbMove, QEvent::MouseMove, {5, 5});
    EXPECT_EQ(f.LbMove->cursor().shape(), Qt::ArrowCursor);
}

TEST(SkinFrameStart, DraggingBeforeAnySideWindowExistedCreatesThemHidden) {
    TestClient t{TestClient::DefaultCommandLine(), {1280, 1024}};
    ASSERT_EQ(t.Load(), std::nullopt);
    MainForm_LbMove_MouseDown(*t, kLeftButton, 0, 0, 0);
    ASSERT_TRUE(t->talk && t->huifu && t->score && t->hero && t->vosSet);
    EXPECT_FALSE(t->talk->isVisible() || t->huifu->isVisible() || t->score->isVisible() || t->hero->isVisible() ||
                 t->vosSet->isVisible());
    EXPECT_FALSE(t->frmExit) << "the exit dialog is left alone";
}
}  // namespace
