// Renders the table window offscreen on both screen sizes to PNG files in
// the build folder (screenshots/), so that a person can look at the table:
// as it starts, and with the wall of a hand built.
#include "table/Animations.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include "support/TestClient.h"
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {
int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
    return int(colours.size());
}

void Save(const QImage& image, QSize screen, const char* state) {
    const QString file = QStringLiteral(DRAVIK_SCREENSHOT_DIR "/table-%1x%2-%3.png")
                             .arg(screen.width())
                             .arg(screen.height())
                             .arg(QLatin1String(state));
    EXPECT_TRUE(image.save(file)) << file.toStdString();
}
}  // namespace

TEST(TableScreenshot, RendersTheTableOnBothScreenSizes) {
    QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
    for (QSize screen : {QSize(1024, 768), QSize(800, 600)}) {
        TestClient t(TestClient::DefaultCommandLine(), screen);
        ASSERT_EQ(t.Load(), std::nullopt);
        const QImage started = t->mainForm->grab().toImage();
        EXPECT_EQ(started.size(), screen);
        EXPECT_GT(DistinctColours(started), 2);
        Save(started, screen, "start");

        t->seatInfo[0].SeatBit = 8;
        ClearTable(*t);
        LayoutWall(*t);
        ShowCompass(*t);
        BuildWall(*t);
        const QImage built = t->mainForm->grab().toImage();
        EXPECT_GT(DistinctColours(built), DistinctColours(started));
        Save(built, screen, "wall");
    }
}
