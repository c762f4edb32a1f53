// The video command icons lighting up under the pointer, the own icons' tool
// tip, and any command bar putting everything back.
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "video/VideoIconHover.h"
#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {
// The video icon resource id an icon shows, or 0 for any other picture.
int IconPictureShown(const QLabel& icon) {
    const QImage shown = icon.pixmap().toImage();
    for (int id = 850; id <= 861; ++id)
        if (PictureOfResource(id).toImage() == shown) return id;
    return 0;
}

struct IconCase {
    int index;
    int normal, lit;
};
const IconCase kIcons[] = {
    {0, 860, 861},  {1, 851, 855},  {2, 852, 856},  {3, 853, 857},   // album, zoom, photo, music box
    {4, 850, 854},  {5, 851, 855},  {6, 852, 856},  {7, 858, 859},   // seat 1
    {8, 850, 854},  {9, 851, 855},  {10, 852, 856}, {11, 858, 859},  // seat 2
    {12, 850, 854}, {13, 851, 855}, {14, 852, 856}, {15, 858, 859},  // seat 3
};

class VideoIconHover : public ::testing::Test {
protected:
    explicit VideoIconHover(QSize screen = {1024, 768}) : t(TestClient::DefaultCommandLine(), screen) {}
    void SetUp() override { ASSERT_EQ(t.Load(), std::nullopt); }
    QLabel& Icon(int i) { return *t->mainForm->ImCmd[i]; }
    QLineEdit& Tip() { return *t->mainForm->Tiplbl; }
    void Over(int i) { MainForm_ImCmd_MouseMove(*t, i); }
    void OverBar(int k) { MainForm_PicLocal_MouseMove(*t, k); }
    TestClient t;
};

TEST_F(VideoIconHover, EachIconLightsUpAndAnyBarPutsItBack) {
    for (const IconCase& icon : kIcons) {
        SCOPED_TRACE(icon.index);
        EXPECT_EQ(IconPictureShown(Icon(icon.index)), icon.normal) << "after the start-up";
        EXPECT_EQ(Icon(icon.index).pixmap().size(), QSize(16, 14));
        Over(icon.index);
        EXPECT_TRUE(t->video.IconHover[icon.index]);
        EXPECT_EQ(IconPictureShown(Icon(icon.index)), icon.lit);
        // A bar other than the icon's own.
        OverBar((icon.index / 4 + 1) % 4);
        EXPECT_FALSE(t->video.IconHover[icon.index]);
        EXPECT_EQ(IconPictureShown(Icon(icon.index)), icon.normal);
    }
}

TEST_F(VideoIconHover, APictureIsGivenOncePerHighlightButTheTipFollowsEveryMove) {
    Over(2);
    // Another writer changes the picture and hides the tip; further moves
    // leave the picture alone and show the tip again.
    Icon(2).setPixmap(PictureOfResource(850));
    Tip().hide();
    Over(2);
    Over(2);
    EXPECT_EQ(IconPictureShown(Icon(2)), 850);
    EXPECT_FALSE(Tip().isHidden());

    // With nothing lit, a move over a bar gives no picture at all.
    OverBar(0);
    Icon(5).setPixmap(PictureOfResource(861));
    OverBar(1);
    EXPECT_EQ(IconPictureShown(Icon(5)), 861);
}

TEST_F(VideoIconHover, ABarPutsBackTheLitIconsOfEveryBarAndHidesTheTip) {
    const int lit[] = {0, 6, 11, 13};
    for (int i : lit) Over(i);
    EXPECT_FALSE(Tip().isHidden()) << "leaving an icon for the table keeps the tip";

    OverBar(2);

    EXPECT_TRUE(Tip().isHidden());
    EXPECT_EQ(t->video.IconHover, (std::array<bool, 16>{}));
    for (int i : lit) EXPECT_EQ(IconPictureShown(Icon(i)), kIcons[i].normal) << i;
}

TEST_F(VideoIconHover, RemoteIconsAndUnknownIndexesShowNoTip) {
    for (int i : {4, 7, 9, 15, 16, -1}) {
        SCOPED_TRACE(i);
        Over(i);
        EXPECT_TRUE(Tip().isHidden());
    }
    const std::array<bool, 16> expected = {false, false, false, false, true, false, false, true,
                                           false, true,  false, false, false, false, false, true};
    EXPECT_EQ(t->video.IconHover, expected);
}

TEST_F(VideoIconHover, AHighlightOutlivesHidingItsBar) {
    Over(8);
    t->mainForm->PicLocal[2]->hide();
    t->mainForm->PicLocal[2]->show();
    EXPECT_TRUE(t->video.IconHover[8]);
    EXPECT_EQ(IconPictureShown(Icon(8)), 854);
}

struct TipCase {
    QSize screen;
    int index;
    QString text;
    QRect place;  // left, top, width; the height is the tip's own
};

void PrintTo(const TipCase& c, std::ostream* out) {
    *out << c.screen.width() << "x" << c.screen.height() << " icon " << c.index;
}

class VideoIconTip : public VideoIconHover, public ::testing::WithParamInterface<TipCase> {
protected:
    VideoIconTip() : VideoIconHover(GetParam().screen) {}
};

// Beside the icon's right edge (bar left + icon left + icon width), 10 design
// units below the own bar's top, 28 units wide (54 for the music box).
// Small screen: the bar at (7, 580), icons 12 wide at 3, 19, 35 and 50; the
// tip 7.8125 below the bar and 21.875 or 42.1875 wide.
INSTANTIATE_TEST_SUITE_P(
    Screens, VideoIconTip,
    ::testing::Values(TipCase{{1024, 768}, 0, "像册", {28, 752, 28, 0}}, TipCase{{1024, 768}, 1, "放大", {49, 752, 28, 0}},
                      TipCase{{1024, 768}, 2, "拍照", {70, 752, 28, 0}}, TipCase{{1024, 768}, 3, "音乐盒子", {89, 752, 54, 0}},
                      TipCase{{800, 600}, 0, "像册", {22, 588, 22, 0}}, TipCase{{800, 600}, 1, "放大", {38, 588, 22, 0}},
                      TipCase{{800, 600}, 2, "拍照", {54, 588, 22, 0}}, TipCase{{800, 600}, 3, "音乐盒子", {69, 588, 42, 0}}));

TEST_P(VideoIconTip, TheTipSitsBesideTheOwnIconWithItsTextAndWidth) {
    const TipCase& c = GetParam();
    const int height = Tip().height();
    // From another own icon first: the tip moves and takes the new text and width.
    const int before = c.index == 3 ? 0 : 3;
    Over(before);
    Over(c.index);
    EXPECT_EQ(Tip().text(), c.text);
    EXPECT_EQ(Tip().geometry(), QRect(c.place.left(), c.place.top(), c.place.width(), height));
    EXPECT_FALSE(Tip().isHidden());
    EXPECT_TRUE(Tip().isReadOnly());
    EXPECT_EQ(Tip().parentWidget(), t->mainForm->Pic1);
    // In front of every other control of the table.
    EXPECT_EQ(t->mainForm->Pic1->children().last(), &Tip());
    EXPECT_TRUE(t->video.IconHover[before] && t->video.IconHover[c.index]) << "both stay lit";
}

TEST_F(VideoIconHover, MovesOverTheIconsAndBarsReachTheirProcedures) {
    const auto move = [](QWidget& widget) {
        QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), widget.mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    };
    move(Icon(2));
    // Not passed on to the icon's bar, which would put the picture back.
    EXPECT_TRUE(t->video.IconHover[2]);
    EXPECT_EQ(IconPictureShown(Icon(2)), 856);
    EXPECT_EQ(Tip().text(), QStringLiteral("拍照"));
    move(Icon(14));
    EXPECT_TRUE(t->video.IconHover[14]);

    move(*t->mainForm->PicLocal[3]);
    EXPECT_EQ(t->video.IconHover, (std::array<bool, 16>{}));
    EXPECT_TRUE(Tip().isHidden());
}
}  // namespace
