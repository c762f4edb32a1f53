#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "platform/CaptureControl.h"
#include "platform/VideoView.h"
#include "table/BannerView.h"
#include <QListWidget>
#include <gtest/gtest.h>
#include <functional>

namespace {
const QSize kFullScreen(1024, 768);
const QSize kSmallScreen(800, 600);
const QString kNoCameraLine = QStringLiteral("您没有视频设备或您的视频源正在使用。");

QRectF PlaceOf(const ImageControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
QRectF PlaceOf(const LabelControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
QRectF PlaceOf(const QWidget& w) { return QRectF(w.geometry()); }
bool Shown(const QGraphicsItem& item) { return item.isVisible(); }
bool Shown(const QWidget& widget) { return !widget.isHidden(); }

// One control's place and start visibility after the start-up.
struct Expected {
    const char* control;
    std::function<QRectF(MainForm&)> place;
    QRectF rect;
    std::function<bool(MainForm&)> shown;
    bool visible;
};

template <typename Get>
Expected Control(const char* name, Get get, QRectF rect, bool visible) {
    return {name, [get](MainForm& f) { return PlaceOf(*get(f)); }, rect,
            [get](MainForm& f) { return Shown(*get(f)); }, visible};
}

void ExpectPlaces(MainForm& f, const std::vector<Expected>& cases) {
    for (const Expected& e : cases) {
        SCOPED_TRACE(e.control);
        const QRectF place = e.place(f);
        EXPECT_DOUBLE_EQ(place.left(), e.rect.left());
        EXPECT_DOUBLE_EQ(place.top(), e.rect.top());
        EXPECT_DOUBLE_EQ(place.width(), e.rect.width());
        EXPECT_DOUBLE_EQ(place.height(), e.rect.height());
        EXPECT_EQ(e.shown(f), e.visible);
    }
}

struct LaidOut {
    explicit LaidOut(QSize screen) : t(TestClient::DefaultCommandLine(), screen) {}
    void Load() { ASSERT_EQ(t.Load(), std::nullopt); }
    MainForm& form() { return *t->mainForm; }
    TestClient t;
};

QStringList TickerLine(MainForm& f, int line) {
    QStringList items;
    for (int i = 0; i < f.Sysmsg[line]->count(); ++i) items << f.Sysmsg[line]->item(i)->text();
    return items;
}

bool SamePicture(const QPixmap& a, const QPixmap& b) { return !a.isNull() && a.toImage() == b.toImage(); }
}  // namespace

TEST(TableLayout, EveryControlStandsAtItsPlaceOnTheFullSizeTable) {
    LaidOut l(kFullScreen);
    l.Load();
    using F = MainForm;
    ExpectPlaces(l.form(), {
        Control("Jokro", [](F& f) { return f.Jokro; }, {870, 110, 100, 105}, false),
        Control("Jokro_Image", [](F& f) { return f.Jokro_Image; }, {890, 169, 36, 56}, false),
        Control("Label3", [](F& f) { return f.Label3; }, {914, 160, 13, 19}, true),
        Control("Tou(0)", [](F& f) { return f.Tou[0]; }, {10, 666, 85, 90}, true),
        Control("Tou(1)", [](F& f) { return f.Tou[1]; }, {7, 15, 70, 62}, true),
        Control("Tou(2)", [](F& f) { return f.Tou[2]; }, {350, 15, 70, 62}, true),
        Control("Tou(3)", [](F& f) { return f.Tou[3]; }, {693, 15, 70, 62}, true),
        Control("AnNiu(0)", [](F& f) { return f.AnNiu[0]; }, {573, 730, 50, 30}, true),
        Control("AnNiu(1)", [](F& f) { return f.AnNiu[1]; }, {648, 699, 60, 30}, true),
        Control("AnNiu(4)", [](F& f) { return f.AnNiu[4]; }, {858, 699, 60, 30}, true),
        Control("AnNiu(5)", [](F& f) { return f.AnNiu[5]; }, {648, 731, 60, 30}, true),
        Control("AnNiu(8)", [](F& f) { return f.AnNiu[8]; }, {858, 731, 60, 30}, true),
        Control("Nid(0)", [](F& f) { return f.Nid[0]; }, {181, 700, 161, 25}, true),
        Control("Cash(1)", [](F& f) { return f.Cash[1]; }, {165, 40, 161, 17}, true),
        Control("Nid(2)", [](F& f) { return f.Nid[2]; }, {509, 15, 161, 25}, true),
        Control("Level(3)", [](F& f) { return f.Level[3]; }, {852, 64, 161, 17}, true),
        Control("Location", [](F& f) { return f.Location; }, {760, 668, 161, 25}, true),
        Control("imgword1", [](F& f) { return f.imgword1; }, {640, 659, 57, 13}, true),
        Control("imgword2", [](F& f) { return f.imgword2; }, {640, 675, 57, 13}, true),
        Control("imgLocation", [](F& f) { return f.imgLocation; }, {632, 654, 394, 39}, true),
        Control("OK(0)", [](F& f) { return f.OK[0]; }, {460, 610, 45, 61}, false),
        Control("OK(1)", [](F& f) { return f.OK[1]; }, {60, 280, 45, 61}, false),
        Control("OK(2)", [](F& f) { return f.OK[2]; }, {460, 108, 45, 61}, false),
        Control("OK(3)", [](F& f) { return f.OK[3]; }, {900, 280, 45, 61}, false),
        Control("ImgKuang(1)", [](F& f) { return f.ImgKuang[1]; }, {0, 3, 126, 105}, false),
        Control("ImgKuang(3)", [](F& f) { return f.ImgKuang[3]; }, {685, 3, 126, 105}, false),
        Control("PicLocal(0)", [](F& f) { return f.PicLocal[0]; }, {9, 742, 87, 17}, false),
        Control("PicLocal(1)", [](F& f) { return f.PicLocal[1]; }, {126, 88, 145, 17}, false),
        Control("PicLocal(2)", [](F& f) { return f.PicLocal[2]; }, {468, 88, 145, 17}, false),
        Control("PicLocal(3)", [](F& f) { return f.PicLocal[3]; }, {811, 88, 145, 17}, false),
        Control("ImgShow(2)", [](F& f) { return f.ImgShow[2]; }, {380, 80, 16, 14}, false),
        Control("vshow1(2)", [](F& f) { return f.vshow1[2]; }, {342, 3, 126, 105}, false),
        Control("ImCmd(2)", [](F& f) { return f.ImCmd[2]; }, {45, 0, 16, 14}, true),
        Control("ImCmd(7)", [](F& f) { return f.ImCmd[7]; }, {104, 0, 16, 14}, true),
        Control("Time_Img", [](F& f) { return f.Time_Img; }, {870, 215, 81, 38}, false),
        Control("Number", [](F& f) { return f.Number; }, {918, 220, 24, 24}, false),
        Control("Operation(0)", [](F& f) { return f.Operation[0]; }, {358, 461, 50, 71}, false),
        Control("Operation(4)", [](F& f) { return f.Operation[4]; }, {558, 461, 50, 71}, false),
        Control("Sysmsg(0)", [](F& f) { return f.Sysmsg[0]; }, {312, 696, 281, 13}, true),
        Control("Sysmsg(1)", [](F& f) { return f.Sysmsg[1]; }, {312, 709, 281, 13}, true),
        Control("Lbchat", [](F& f) { return f.Lbchat; }, {594, 694, 25, 33}, true),
        Control("Chat", [](F& f) { return f.Chat; }, {318, 729, 244, 18}, true),
        Control("Bird", [](F& f) { return f.Bird; }, {936, 680, 82, 80}, true),
        Control("WebBrowser1", [](F& f) { return f.WebBrowser1; }, {938, 682, 82, 80}, false),
        Control("vcap1", [](F& f) { return f.vcap1; }, {10, 664, 85, 83}, false),
        // Design places that no start-up step moves.
        Control("ZhiNan", [](F& f) { return f.ZhiNan; }, {16, 115, 81, 79}, false),
        Control("Host", [](F& f) { return f.Host; }, {16, 200, 71, 25}, false),
        Control("Zhuang", [](F& f) { return f.Zhuang; }, {56, 200, 25, 25}, false),
        Control("Sai_Image(1)", [](F& f) { return f.Sai_Image[1]; }, {96, 272, 20, 20}, false),
        Control("MJ_Image(0)", [](F& f) { return f.MJ_Image[0]; }, {136, 120, 41, 57}, false),
        Control("Speak(2)", [](F& f) { return f.Speak[2]; }, {568, 136, 81, 81}, false),
        Control("Words", [](F& f) { return f.Words; }, {360, 56, 49, 49}, true),
        Control("tsSpeak(2)", [](F& f) { return f.tsSpeak[2]; }, {280, 525, 83, 85}, false),
        Control("Chi(3)", [](F& f) { return f.Chi[3]; }, {528, 280, 25, 25}, false),
        Control("Gang(4)", [](F& f) { return f.Gang[4]; }, {600, 232, 33, 25}, false),
        Control("imgKoupai(1)", [](F& f) { return f.imgKoupai[1]; }, {518, 500, 87, 31}, false),
    });
}

// 0.78125 of the design; graphical controls keep fractions, windowed ones round half to even.
TEST(TableLayout, TheSmallTableScalesAllButTheFixedValues) {
    LaidOut l(kSmallScreen);
    l.Load();
    using F = MainForm;
    ExpectPlaces(l.form(), {
        Control("Jokro_Image", [](F& f) { return f.Jokro_Image; }, {699.6875, 144.9375, 36, 56}, false),
        Control("OK(1)", [](F& f) { return f.OK[1]; }, {46.875, 218.75, 45, 61}, false),
        Control("ImgKuang(2)", [](F& f) { return f.ImgKuang[2]; }, {267.1875, 3, 98.4375, 82.03125}, false),
        Control("PicLocal(1)", [](F& f) { return f.PicLocal[1]; }, {98, 69, 113, 13}, false),
        Control("PicLocal(2)", [](F& f) { return f.PicLocal[2]; }, {366, 69, 113, 13}, false),
        Control("vshow1(2)", [](F& f) { return f.vshow1[2]; }, {267, 3, 98, 82}, false),
        Control("ImCmd(0)", [](F& f) { return f.ImCmd[0]; }, {3, 0, 12, 11}, true),
        Control("ImCmd(2)", [](F& f) { return f.ImCmd[2]; }, {35, 0, 12, 11}, true),
        Control("ImCmd(5)", [](F& f) { return f.ImCmd[5]; }, {31, 0, 12, 11}, true),
        Control("Nid(0)", [](F& f) { return f.Nid[0]; }, {141.40625, 546.875, 161, 25}, true),
        Control("imgLocation", [](F& f) { return f.imgLocation; }, {493.75, 510.9375, 307.8125, 30.46875}, true),
        Control("Time_Img", [](F& f) { return f.Time_Img; }, {679.6875, 190.9375, 63.28125, 29.6875}, false),
        Control("Number", [](F& f) { return f.Number; }, {719.1875, 194.84375, 18.75, 18.75}, false),
        Control("Sysmsg(0)", [](F& f) { return f.Sysmsg[0]; }, {244, 542, 220, 12}, true),
        Control("Sysmsg(1)", [](F& f) { return f.Sysmsg[1]; }, {244, 554, 220, 12}, true),
        Control("Chat", [](F& f) { return f.Chat; }, {248, 570, 191, 14}, true),
        Control("WebBrowser1", [](F& f) { return f.WebBrowser1; }, {733, 533, 64, 62}, false),
        Control("vcap1", [](F& f) { return f.vcap1; }, {8, 519, 66, 65}, false),
        Control("ZhiNan", [](F& f) { return f.ZhiNan; }, {16, 115, 81, 79}, false),
        Control("Host", [](F& f) { return f.Host; }, {6, 200, 71, 25}, false),
        Control("Zhuang", [](F& f) { return f.Zhuang; }, {45, 200, 25, 25}, false),
    });
}

TEST(TableLayout, ButtonsAndClaimButtonsStepFromTheOneBefore) {
    for (QSize screen : {kFullScreen, kSmallScreen}) {
        SCOPED_TRACE(screen.width());
        LaidOut l(screen);
        l.Load();
        MainForm& f = l.form();
        const double s = l.t->table.ScaleX;
        EXPECT_DOUBLE_EQ(f.AnNiu[1]->Left(), 648 * s);
        for (int i : {2, 3, 4, 6, 7, 8}) {
            SCOPED_TRACE(i);
            EXPECT_DOUBLE_EQ(f.AnNiu[i]->Left(), f.AnNiu[i - 1]->Left() + 70 * s);
            EXPECT_DOUBLE_EQ(f.AnNiu[i]->Top(), f.AnNiu[i - 1]->Top());
        }
        EXPECT_DOUBLE_EQ(f.AnNiu[5]->Left(), f.AnNiu[1]->Left());
        EXPECT_DOUBLE_EQ(f.AnNiu[5]->Top(), 699 * s + 32 * s);
        EXPECT_DOUBLE_EQ(f.AnNiu[0]->Top(), 730 * s);

        // The claim buttons take their pictures' size: 50 x 71 pixels, 50 apart, on both screens.
        for (int k = 0; k <= 4; ++k) {
            SCOPED_TRACE(k);
            const ImageControl& button = *f.Operation[k];
            EXPECT_DOUBLE_EQ(button.Left(), 358 * s + 50 * k);
            EXPECT_DOUBLE_EQ(button.Top(), 461 * s);
            EXPECT_EQ(QSizeF(button.Width(), button.Height()), QSizeF(50, 71));
            EXPECT_FALSE(button.isEnabled());
            EXPECT_FALSE(button.isVisible());
        }
    }
}

TEST(TableLayout, ButtonsClaimButtonsAndDiceHoldersGetThePicturesOfTheirEntries) {
    struct Case {
        QSize screen;
        std::array<int, 9> barIds;
    } cases[] = {{kFullScreen, {101, 103, 105, 109, 111, 113, 115, 117, 119}},
                 {kSmallScreen, {101, 381, 383, 387, 389, 391, 393, 395, 397}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen.width());
        LaidOut l(c.screen);
        l.Load();
        MainForm& f = l.form();
        for (int i = 0; i <= 8; ++i)
            EXPECT_TRUE(SamePicture(f.AnNiu[i]->Picture(), PictureOfResource(c.barIds[i]))) << "AnNiu " << i;
        for (int k = 0; k <= 4; ++k)
            EXPECT_TRUE(SamePicture(f.Operation[k]->Picture(), PictureOfResource(141 + 3 * k))) << "Operation " << k;
        for (int k = 0; k <= 15; ++k)
            EXPECT_TRUE(SamePicture(f.SZ_Image[k]->Picture(), PictureOfResource(161 + k))) << "SZ_Image " << k;
    }
}

TEST(TableLayout, ArraysAreCompletedWithHiddenCopiesOfTheirDesignElement) {
    LaidOut l(kFullScreen);
    l.Load();
    MainForm& f = l.form();
    EXPECT_EQ(f.MJ_Image.size(), 136u);
    EXPECT_EQ(f.SZ_Image.size(), 16u);
    EXPECT_EQ(f.Operation.size(), 5u);
    EXPECT_EQ(f.AnNiu.size(), 9u);
    for (auto* array : {&f.Tou, &f.OK, &f.ImgKuang, &f.ImgShow}) EXPECT_EQ(array->size(), 4u);
    for (auto* array : {&f.Nid, &f.Cash, &f.Level}) EXPECT_EQ(array->size(), 4u);
    EXPECT_EQ(f.PicLocal.size(), 4u);
    EXPECT_EQ(f.ImCmd.size(), 16u);
    EXPECT_EQ(f.vshow1.size(), 4u);

    const ImageControl& tile = *f.MJ_Image[0];
    for (int k = 1; k <= 135; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(f.MJ_Image[k]->isVisible());
        EXPECT_TRUE(f.MJ_Image[k]->Stretch());
        EXPECT_EQ(PlaceOf(*f.MJ_Image[k]), PlaceOf(tile));
        EXPECT_EQ(f.MJ_Image[k]->Picture().cacheKey(), tile.Picture().cacheKey());
    }
    // The dice holders lie under the table surface: visible yet never on it.
    for (const ImageControl* holder : f.SZ_Image) {
        EXPECT_EQ(holder->scene(), &f.underSurface);
        EXPECT_EQ(QSizeF(holder->Width(), holder->Height()), QSizeF(30, 30));
        EXPECT_TRUE(holder->Stretch());
    }
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(f.OK[k]->Picture().cacheKey(), f.OK[0]->Picture().cacheKey());
        EXPECT_FALSE(f.OK[k]->Picture().isNull());
        EXPECT_EQ(f.Level[k]->Font(), f.Level[0]->Font());
        EXPECT_EQ(f.Nid[k]->ForeColor(), QColor(128, 255, 255));
        EXPECT_EQ(f.Cash[k]->Font(), f.Cash[0]->Font());
    }
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(f.AnNiu[i]->cursor().shape(), Qt::PointingHandCursor) << i;
    for (int i = 1; i <= 15; ++i) EXPECT_EQ(f.ImCmd[i]->cursor().shape(), Qt::PointingHandCursor) << i;
    EXPECT_EQ(f.ImCmd[9]->toolTip(), QStringLiteral("放大"));
    EXPECT_EQ(f.ImCmd[15]->toolTip(), QStringLiteral("加为好友"));
    EXPECT_TRUE(f.ImCmd[1]->toolTip().isEmpty());
    EXPECT_EQ(f.Level[0]->Font().pointSizeF(), 10.5);
    EXPECT_EQ(f.Number->Font().pointSizeF(), 18);
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(f.vshow1[k]->DisplaySwitchB);
    EXPECT_EQ(f.Pic1->Picture().size(), kFullScreen);
}

TEST(TableLayout, ACopyTakesEverythingButVisibilityFromTheDesignElement) {
    FakeCamera camera;
    MainForm f(camera);
    LabelControl& design = *f.NewLabel();
    design.Move(5, 6, 70, 20);
    design.SetFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 13));
    design.SetForeColor(QColor(1, 2, 3));
    design.SetAlignment(Qt::AlignRight);
    design.setCursor(Qt::PointingHandCursor);
    design.setToolTip(QStringLiteral("提示"));
    design.setVisible(true);
    const LabelControl& copy = *f.NewCopy(design);
    EXPECT_EQ(PlaceOf(copy), PlaceOf(design));
    EXPECT_EQ(copy.Font(), design.Font());
    EXPECT_EQ(copy.ForeColor(), design.ForeColor());
    EXPECT_EQ(copy.Alignment(), design.Alignment());
    EXPECT_EQ(copy.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(copy.toolTip(), design.toolTip());
    EXPECT_FALSE(copy.isVisible());
    EXPECT_EQ(copy.scene(), &f.scene);

    // A picture that does not stretch keeps the design's size, which its picture gave it.
    ImageControl& image = *f.NewImage();
    QPixmap picture(30, 20);
    image.SetPicture(picture);
    image.Move(1, 2);
    const ImageControl& imageCopy = *f.NewCopy(image);
    EXPECT_EQ(PlaceOf(imageCopy), QRectF(1, 2, 30, 20));
    EXPECT_FALSE(imageCopy.Stretch());
    EXPECT_EQ(imageCopy.Picture().cacheKey(), picture.cacheKey());
}

TEST(TableLayout, SmallScreenFontsShrinkExceptTheOwnMoneyAndTheNames) {
    LaidOut full(kFullScreen), small(kSmallScreen);
    full.Load();
    small.Load();
    MainForm& f = full.form();
    MainForm& s = small.form();
    EXPECT_EQ(s.Cash[0]->Font(), f.Cash[0]->Font());
    for (int k = 0; k <= 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.Nid[k]->Font(), f.Nid[k]->Font());
        EXPECT_EQ(s.Level[k]->Font().pointSizeF(), 8);
        if (k > 0) {
            EXPECT_EQ(s.Cash[k]->Font().pointSizeF(), 8);
        }
    }
    EXPECT_EQ(s.Number->Font().pointSizeF(), 12);
    for (auto* line : s.Sysmsg) EXPECT_EQ(line->font().pointSize(), 8);
    for (QLabel* icon : s.ImCmd) EXPECT_TRUE(icon->hasScaledContents());
    for (QLabel* icon : f.ImCmd) EXPECT_FALSE(icon->hasScaledContents());
    EXPECT_EQ(s.Pic1->Picture().size(), kSmallScreen);
    EXPECT_EQ(f.font().pointSize(), 10);
}

TEST(TableLayout, TileImagesLieInIndexOrderBehindTheTemplate) {
    LaidOut l(kFullScreen);
    l.Load();
    MainForm& f = l.form();
    for (int k = 2; k <= 135; ++k) EXPECT_GT(f.MJ_Image[k]->zValue(), f.MJ_Image[k - 1]->zValue()) << k;
    EXPECT_GT(f.MJ_Image[0]->zValue(), f.MJ_Image[135]->zValue());
    EXPECT_GT(f.Jokro_Image->zValue(), f.Jokro->zValue());
}

TEST(TableLayout, OnlyTheStartButtonIsUsedUpAndNothingIsAwaited) {
    LaidOut l(kFullScreen);
    l.t->table.SeatOrderPending = true;
    l.t->window.AnNiuHover.fill(true);
    l.t->window.AnNiuUsed.fill(true);
    l.Load();
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(l.t->window.AnNiuUsed[i], i == 2) << i;
        EXPECT_FALSE(l.t->window.AnNiuHover[i]) << i;
    }
    EXPECT_FALSE(l.t->table.SeatOrderPending);
    EXPECT_FALSE(l.t->window.ResultPending);
}

TEST(TableOwnCamera, WithoutACameraTheTickerSaysSoAndThePictureStaysHidden) {
    LaidOut l(kFullScreen);
    l.Load();
    MainForm& f = l.form();
    EXPECT_FALSE(l.t->video.CaptureOn);
    EXPECT_TRUE(f.vcap1->isHidden());
    EXPECT_TRUE(f.PicLocal[0]->isHidden());
    EXPECT_TRUE(f.vcap1->Opened());
    EXPECT_TRUE(f.vcap1->CaptureSwitchA);
    EXPECT_TRUE(f.vcap1->CaptureSwitchB);
    EXPECT_FALSE(f.vcap1->CaptureSwitchC);
    EXPECT_EQ(f.vcap1->CaptureMode, 2);
    // The connecting line holds the upper line, so the camera line becomes the lower one.
    EXPECT_EQ(TickerLine(f, 0), QStringList{QStringLiteral("正在连接服务器...")});
    EXPECT_EQ(TickerLine(f, 1), QStringList{kNoCameraLine});
}

TEST(TableOwnCamera, ARunningCameraShowsInThePortraitsPlaceUnderItsCommandBar) {
    LaidOut l(kFullScreen);
    l.t.camera->startSucceeds = true;
    l.Load();
    MainForm& f = l.form();
    EXPECT_TRUE(l.t->video.CaptureOn);
    EXPECT_TRUE(f.vcap1->Capturing());
    EXPECT_FALSE(f.vcap1->isHidden());
    EXPECT_FALSE(f.PicLocal[0]->isHidden());
    const QObjectList& stack = f.Pic1->children();
    EXPECT_GT(stack.indexOf(f.PicLocal[0]), stack.indexOf(f.vcap1));
    EXPECT_TRUE(TickerLine(f, 1).isEmpty());
    EXPECT_FALSE(TickerLine(f, 0).contains(kNoCameraLine));
}
