// The program's own pictures: every resource id of the id tables and every
// design picture is drawn at its size, is not blank, is drawn once and kept,
// when it is first shown, and ids that name no picture give none.
#include "table/DesignPictures.h"
#include "table/Pictures.h"
#include "table/ResourceIds.h"
#include "table/MainForm.h"
#include "table/pictures/TablePictures.h"
#include "support/TestClient.h"
#include <QDir>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>
#include <cstdlib>
#include <map>
#include <set>

namespace {
// The tile pictures' sizes by set: face up, standing back (number 7), lying face down (number 8).
struct TileSetSizes {
    QSize face, standingBack, lyingBack;
};
const TileSetSizes TileSizes[5] = {
    {{50, 58}, {50, 77}, {38, 56}},  // own seat's discards and melds
    {{59, 46}, {33, 66}, {50, 44}},  // left seat
    {{34, 37}, {34, 50}, {33, 37}},  // opposite seat
    {{59, 46}, {34, 66}, {50, 44}},  // right seat
    {{50, 77}, {50, 77}, {38, 56}},  // own hand
};

QSize TileSize(int number) {
    const TileSetSizes& set = TileSizes[number / 36];
    return number % 36 == 7 ? set.standingBack : number % 36 == 8 ? set.lyingBack : set.face;
}

struct SizedRange {
    int first, last;
    QSize size;
};
const SizedRange OtherSizes[] = {
    {101, 102, {50, 30}},   {103, 120, {60, 30}},   {381, 398, {47, 23}},   {123, 125, {160, 60}},
    {126, 129, {77, 77}},   {130, 133, {70, 29}},   {134, 137, {64, 26}},   {141, 155, {50, 71}},
    {161, 176, {20, 20}},   {183, 190, {49, 49}},   {191, 200, {85, 90}},   {401, 410, {85, 90}},
    {411, 414, {87, 31}},   {415, 420, {85, 85}},   {850, 861, {16, 14}},   {870, 870, {175, 138}},
    {871, 871, {276, 215}}, {872, 872, {434, 341}}, {873, 873, {137, 108}}, {874, 874, {216, 168}},
    {875, 875, {339, 266}},
};

QSize ExpectedSize(int id) {
    if (id >= 201 && id <= 380) return TileSize(id - 201);
    for (const SizedRange& range : OtherSizes)
        if (id >= range.first && id <= range.last) return range.size;
    return {};
}

const std::set<int> IdsWithoutPicture{156, 157, 158, 862};

template <size_t N>
void Collect(std::set<int>& ids, const std::array<int16_t, N>& table) {
    ids.insert(table.begin(), table.end());
}

std::set<int> IdsOfAllTables(QSize screen) {
    TestClient t(TestClient::DefaultCommandLine(), screen);
    EXPECT_EQ(t.Load(), std::nullopt);
    const ResourceIds& r = t->resourceIds;
    std::set<int> ids;
    Collect(ids, r.BarButtonIds), Collect(ids, r.LevelNoticeIds), Collect(ids, r.TileImageIds);
    Collect(ids, r.ActionButtonIds), Collect(ids, r.DiceImageIds), Collect(ids, r.ActionWordIds);
    Collect(ids, r.PortraitIds), Collect(ids, r.DialogButtonIds), Collect(ids, r.CompassIds);
    Collect(ids, r.HoldBubbleIds), Collect(ids, r.HoldButtonIds), Collect(ids, r.FollowBubbleIds);
    Collect(ids, r.VideoScreenIds), Collect(ids, r.VideoIconIds);
    return ids;
}

std::set<int> AllPictureIds() {
    std::set<int> ids = IdsOfAllTables({1024, 768});
    ids.merge(IdsOfAllTables({800, 600}));
    for (int id : IdsWithoutPicture) ids.erase(id);
    return ids;
}

const std::map<DesignPictureId, QSize> DesignSizes{
    {DesignPictureId::Table, {1024, 768}},         {DesignPictureId::SmallTable, {800, 600}},
    {DesignPictureId::HandInfoBoard, {100, 105}},  {DesignPictureId::DealerPlate, {71, 25}},
    {DesignPictureId::CountdownPlate, {81, 38}},   {DesignPictureId::Compass, {77, 77}},
    {DesignPictureId::DieFace, {20, 20}},          {DesignPictureId::DiceHolder, {50, 56}},
    {DesignPictureId::TileTemplate, {52, 59}},     {DesignPictureId::AnnounceBubble, {112, 112}},
    {DesignPictureId::ReadyMark, {142, 158}},      {DesignPictureId::VideoFrame, {126, 105}},
    {DesignPictureId::OpenVideoIcon, {16, 14}},    {DesignPictureId::VideoCommandBar, {145, 17}},
    {DesignPictureId::BannerFrame, {82, 80}},      {DesignPictureId::ChatStrip, {25, 33}},
    {DesignPictureId::OwnVideoCommandBar, {85, 16}}, {DesignPictureId::LocationPanel, {394, 39}},
};

// Blank: one colour all over, or nothing opaque at all.
bool IsBlank(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    bool anyOpaque = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            anyOpaque = anyOpaque || qAlpha(pixel) > 0;
            if (colours.size() < 2) colours.insert(pixel);
        }
    return !anyOpaque || colours.size() < 2;
}
}  // namespace

TEST(Pictures, EveryIdOfEveryTableIsDrawnAtItsSizeAndIsNotBlank) {
    const std::set<int> ids = AllPictureIds();
    EXPECT_EQ(ids.size(), 20u + 18 + 3 + 180 + 15 + 16 + 8 + 20 + 8 + 4 + 3 + 4 + 3 + 6 + 12);
    for (int id : ids) {
        const QPixmap picture = PictureOfResource(id);
        ASSERT_FALSE(picture.isNull()) << "id " << id;
        EXPECT_EQ(picture.size(), ExpectedSize(id)) << "id " << id;
        EXPECT_EQ(LazyPictureOfResource(id).Size(), ExpectedSize(id)) << "id " << id << ", before it is drawn";
        EXPECT_FALSE(IsBlank(picture.toImage())) << "id " << id;
    }
}

TEST(Pictures, EveryDesignPictureIsDrawnAtItsSizeAndIsNotBlank) {
    ASSERT_EQ(DesignSizes.size(), size_t(int(DesignPictureId::LocationPanel) + 1)) << "a design picture without a size";
    for (const auto& [id, size] : DesignSizes) {
        const QPixmap picture = DesignPicture(id);
        EXPECT_EQ(picture.size(), size) << "design picture " << int(id);
        EXPECT_EQ(LazyDesignPicture(id).Size(), size) << "design picture " << int(id) << ", before it is drawn";
        EXPECT_FALSE(IsBlank(picture.toImage())) << "design picture " << int(id);
    }
}

TEST(Pictures, PicturesThatShowDifferentThingsDiffer) {
    // Every face of a set, every state of a claim button, both forms of a bar
    // button: a wrong mapping from number to drawing shows up as a twin.
    struct Group {
        const char* name;
        std::vector<int> ids;
    };
    std::vector<Group> groups;
    for (int set = 0; set < 5; ++set) {
        Group faces{"tile faces of one set", {}};
        for (int n = 0; n < 36; ++n)
            if (n != 7 && n != 8) faces.ids.push_back(201 + set * 36 + n);
        groups.push_back(faces);
    }
    groups.push_back({"claim buttons", {}});
    for (int id = 141; id <= 155; ++id) groups.back().ids.push_back(id);
    groups.push_back({"bar buttons", {}});
    for (int id = 101; id <= 120; ++id) groups.back().ids.push_back(id);
    groups.push_back({"compass", {126, 127, 128, 129}});
    groups.push_back({"dice faces", {161, 162, 163, 164, 165, 166}});
    groups.push_back({"portraits", {}});
    for (int id : {191, 192, 193, 194, 195, 196, 197, 198, 199, 200, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410})
        groups.back().ids.push_back(id);
    for (const Group& group : groups) {
        std::map<QByteArray, int> seen;
        for (int id : group.ids) {
            const QImage image = PictureOfResource(id).toImage();
            const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
            const auto [twin, isNew] = seen.emplace(pixels, id);
            EXPECT_TRUE(isNew) << group.name << ": " << id << " looks like " << twin->second;
        }
    }
}

TEST(Pictures, ArePaintedOnceAndKeptUntilTheCacheIsCleared) {
    for (int id : {201, 348, 141, 870}) {
        const QPixmap first = PictureOfResource(id);
        EXPECT_EQ(PictureOfResource(id).cacheKey(), first.cacheKey()) << "id " << id;
        ClearPictureCache();
        const QPixmap redrawn = PictureOfResource(id);
        EXPECT_NE(redrawn.cacheKey(), first.cacheKey()) << "id " << id;
        EXPECT_EQ(redrawn.toImage(), first.toImage()) << "id " << id;
    }
    const QPixmap compass = DesignPicture(DesignPictureId::Compass);
    EXPECT_EQ(DesignPicture(DesignPictureId::Compass).cacheKey(), compass.cacheKey());
    EXPECT_NE(DesignPicture(DesignPictureId::CountdownPlate).cacheKey(), compass.cacheKey());
}

// The table is as large as the window: painted where it is shown, in any
// part, it looks as the whole picture does there.
TEST(Pictures, AnyPartOfTheTablePaintedAloneMatchesTheWholeTable) {
    for (QSize size : {QSize(1024, 768), QSize(800, 600)}) {
        QImage whole(size, QImage::Format_RGB32);
        QPainter wholePainter(&whole);
        PaintTableSurface(wholePainter, size, whole.rect());
        wholePainter.end();
        for (QRect part : {QRect(0, 0, 5, 3), QRect(101, 97, 211, 45), QRect(117, 105, 13, 13),
                           QRect(size.width() - 7, size.height() - 9, 20, 20), QRect(-4, 300, 30, 11)}) {
            SCOPED_TRACE(testing::Message() << size.width() << ": " << part.x() << "," << part.y());
            QImage painted(size, QImage::Format_RGB32);
            painted.fill(Qt::magenta);
            QPainter painter(&painted);
            PaintTableSurface(painter, size, part);
            painter.end();
            const QRect inside = part & whole.rect();
            // The gradient's steps are counted from where a painted run starts,
            // so a colour may be one step off; a weave or a line out of place is far more.
            int off = 0;
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    const QRgb a = painted.pixel(x, y), b = whole.pixel(x, y);
                    off += std::abs(qRed(a) - qRed(b)) > 1 || std::abs(qGreen(a) - qGreen(b)) > 1 ||
                           std::abs(qBlue(a) - qBlue(b)) > 1;
                }
            EXPECT_EQ(off, 0);
            EXPECT_EQ(painted.pixel(inside.right() + 1 < size.width() ? inside.right() + 1 : inside.left() - 1, inside.top()),
                      QColor(Qt::magenta).rgb())
                << "nothing beside the part";
        }
    }
}

TEST(Pictures, IdsThatNameNoPictureGiveNone) {
    for (int id : {156, 157, 158, 862, 0, -1, 100, 121, 122, 138, 177, 399, 421, 863, 876, 32767}) {
        EXPECT_TRUE(PictureOfResource(id).isNull()) << "id " << id;
        EXPECT_TRUE(LazyPictureOfResource(id).IsNull()) << "id " << id;
    }
}

TEST(Pictures, OnlyWhatTheWindowShowsIsDrawnAndTheTableAtTheScreensSize) {
    for (QSize screen : {QSize(800, 600), QSize(1024, 768)}) {
        SCOPED_TRACE(screen.width());
        ClearPictureCache();
        TestClient t(TestClient::DefaultCommandLine(), screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        t->mainForm->grab();
        // The table is painted straight into the window's buffer: no copy of it is kept.
        EXPECT_FALSE(IsPictureDrawn(PictureKind::Design, int(DesignPictureId::SmallTable)));
        EXPECT_FALSE(IsPictureDrawn(PictureKind::Design, int(DesignPictureId::Table)));
        EXPECT_EQ(t->mainForm->Pic1->Picture().size(), screen);
        // shown at the start: the button row and the location panel
        EXPECT_TRUE(IsPictureDrawn(PictureKind::Resource, t->resourceIds.BarButtonIds[2]));
        EXPECT_TRUE(IsPictureDrawn(PictureKind::Design, int(DesignPictureId::LocationPanel)));
        // given to hidden controls: the ready marks, the claim buttons, the dice, the video bars
        for (DesignPictureId id : {DesignPictureId::ReadyMark, DesignPictureId::Compass, DesignPictureId::VideoCommandBar,
                                   DesignPictureId::DiceHolder})
            EXPECT_FALSE(IsPictureDrawn(PictureKind::Design, int(id))) << "design picture " << int(id);
        for (int id : {t->resourceIds.ActionButtonIds[0], t->resourceIds.DiceImageIds[7]})
            EXPECT_FALSE(IsPictureDrawn(PictureKind::Resource, id)) << "id " << id;
        // shown when asked for, and once only
        const qint64 readyMark = t->mainForm->OK[0]->Picture().cacheKey();
        EXPECT_TRUE(IsPictureDrawn(PictureKind::Design, int(DesignPictureId::ReadyMark)));
        EXPECT_EQ(t->mainForm->OK[3]->Picture().cacheKey(), readyMark);
    }
}

// Qt spreads big fills over its pool threads, which cost more than they save
// on a picture drawn once; the table, the biggest picture, needs none of them.
TEST(Pictures, TheTableIsDrawnWithoutStartingThreads) {
    const auto threads = [] {
        return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    };
    ClearPictureCache();
    const qsizetype before = threads();
    for (DesignPictureId table : {DesignPictureId::SmallTable, DesignPictureId::Table}) {
        EXPECT_FALSE(DesignPicture(table).hasAlphaChannel());
        EXPECT_EQ(threads(), before) << "table " << int(table);
    }
}

// Design pictures are drawn when first shown; a picture given to a hidden
// control meanwhile is the one that shows, for every control of the window.
TEST(Pictures, APictureGivenToAHiddenControlIsTheOneItShowsWhenFirstShown) {
    ClearPictureCache();
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    MainForm& f = *t->mainForm;
    int next = 0;
    // A picture of a colour of its own for each control.
    const auto own = [&next] {
        QPixmap picture(7, 5);
        picture.fill(QColor(next % 256, next / 256, 77));
        ++next;
        return picture;
    };
    std::vector<std::pair<ImageControl*, QImage>> images;
    for (QGraphicsScene* scene : {&f.scene, &f.underSurface})
        for (QGraphicsItem* item : scene->items())
            if (auto* image = dynamic_cast<ImageControl*>(item)) {
                const QPixmap picture = own();
                image->setVisible(false);
                image->SetPicture(picture);
                image->setVisible(true);
                images.emplace_back(image, picture.toImage());
            }
    std::vector<std::pair<QLabel*, QImage>> bars;
    for (QLabel* bar : f.PicLocal) {
        const QPixmap picture = own();
        bar->hide();
        bar->setPixmap(picture);
        bar->show();
        bars.emplace_back(bar, picture.toImage());
    }
    const QPixmap table = own();
    f.Pic1->hide();
    f.Pic1->SetPicture(table);
    f.Pic1->show();

    f.grab();
    ASSERT_GT(images.size(), 136u) << "the wall alone has 136";
    for (const auto& [image, picture] : images) EXPECT_EQ(image->Picture().toImage(), picture) << image->pos().x() << "," << image->pos().y();
    for (const auto& [bar, picture] : bars) EXPECT_EQ(bar->pixmap().toImage(), picture) << bar->x() << "," << bar->y();
    EXPECT_EQ(f.Pic1->Picture().toImage(), table.toImage());
    EXPECT_FALSE(IsPictureDrawn(PictureKind::Design, int(DesignPictureId::Compass))) << "no design picture was needed";
}

TEST(Pictures, AControlGivenAnIdWithoutPictureKeepsItsPicture) {
    TestClient t;
    ASSERT_TRUE(QDir().mkpath(t->platform.paths.ProgramDir()));
    ASSERT_EQ(t.Load(), std::nullopt);
    ImageControl& button = *t->mainForm->AnNiu[1];
    ASSERT_TRUE(SetPictureFromResource(*t, button, 103));
    const qint64 shown = button.Picture().cacheKey();
    EXPECT_FALSE(SetPictureFromResource(*t, button, 156));
    EXPECT_EQ(button.Picture().cacheKey(), shown);
    // Nothing is written to the program folder, which may be read-only.
    EXPECT_TRUE(QDir(t->platform.paths.ProgramDir()).entryList(QDir::Files).isEmpty());
}

// Not a check: writes contact sheets of the pictures for a person to look at
// (tile-pictures.png, other-pictures.png and design-pictures.png under
// screenshots/ in the build folder). Run with --gtest_also_run_disabled_tests.
TEST(Pictures, DISABLED_WriteContactSheets) {
    const auto sheet = [](const std::vector<QPixmap>& pictures, int columns, QSize cell, double zoom, const QString& name) {
        const int rows = (int(pictures.size()) + columns - 1) / columns;
        QImage image(QSize(columns * cell.width(), rows * cell.height()) * zoom, QImage::Format_ARGB32);
        image.fill(QColor(24, 100, 60));
        QPainter painter(&image);
        painter.scale(zoom, zoom);
        for (int i = 0; i < int(pictures.size()); ++i)
            painter.drawPixmap(i % columns * cell.width() + 4, i / columns * cell.height() + 4, pictures[i]);
        painter.end();
        QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
        EXPECT_TRUE(image.save(QStringLiteral(DRAVIK_SCREENSHOT_DIR "/") + name));
    };
    std::vector<QPixmap> tiles, others, design;
    for (int id = 201; id <= 380; ++id) tiles.push_back(PictureOfResource(id));
    sheet(tiles, 18, {64, 82}, 1.5, QStringLiteral("tile-pictures.png"));
    for (int id : AllPictureIds())
        if (id < 201 || id > 380) others.push_back(PictureOfResource(id));
    sheet(others, 12, {180, 120}, 1.0, QStringLiteral("other-pictures.png"));
    for (const auto& [id, size] : DesignSizes)
        if (size.width() < 400) design.push_back(DesignPicture(id));
    sheet(design, 6, {160, 170}, 1.0, QStringLiteral("design-pictures.png"));
}
