// Renders the table window offscreen on both screen sizes to PNG files in
// the build folder (screenshots/), so that a person can look at the table:
// as it starts, with the wall of a hand built, and in the middle and at the
// end of a scripted hand.
#include "table/Animations.h"
#include "table/MainForm.h"
#include "table/WallLayout.h"
#include "support/ScriptedHand.h"
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

TEST(TableScreenshot, RendersAHandInPlay) {
    QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
    for (QSize screen : {QSize(1024, 768), QSize(800, 600)}) {
        TestClient t(TestClient::DefaultCommandLine(), screen);
        SeatAtScriptedTable(t, 15);
        const QImage seated = t->mainForm->grab().toImage();
        for (const HandStep& step : ScriptedHand()) {
            if (step.label == QLatin1String("concealed kong") && !step.server) {
                const QImage midHand = t->mainForm->grab().toImage();
                EXPECT_GT(DistinctColours(midHand), DistinctColours(seated));
                Save(midHand, screen, "midhand");
            }
            PlayStep(t, step);
        }
        Save(t->mainForm->grab().toImage(), screen, "won");
    }
}
