// Renders the table window offscreen on both screen sizes to PNG files in
// the build folder (screenshots/), so that a person can look at the table.
#include "table/MainForm.h"
#include "support/TestClient.h"
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage RenderTable(QSize screen) {
    TestClient t(TestClient::DefaultCommandLine(), screen);
    EXPECT_EQ(t.Load(), std::nullopt);
    return t->mainForm->grab().toImage();
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
    return int(colours.size());
}
}  // namespace

TEST(TableScreenshot, RendersTheTableOnBothScreenSizes) {
    QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
    for (QSize screen : {QSize(1024, 768), QSize(800, 600)}) {
        const QImage image = RenderTable(screen);
        EXPECT_EQ(image.size(), screen);
        EXPECT_GT(DistinctColours(image), 2);
        const QString file = QStringLiteral(DRAVIK_SCREENSHOT_DIR "/table-%1x%2.png").arg(screen.width()).arg(screen.height());
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }
}
