// Renders the sound settings and the exit dialog offscreen to PNG files in
// the build folder (screenshots/), so that a person can look at them.
#include "support/TestClient.h"
#include "window/ExitDialog.h"
#include "window/SoundSettingsDialog.h"
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

TEST(DialogScreenshot, RendersBothDialogs) {
    QDir().mkpath(QStringLiteral(DRAVIK_SCREENSHOT_DIR));
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    t->table.InGame = true;
    struct Shot {
        QWidget* dialog;
        const char* file;
        QSize size;
    };
    for (const Shot& shot : {Shot{&t->VosSet(), "sound-settings.png", QSize(220, 330)},
                             Shot{&t->FrmExit(), "exit-dialog.png", QSize(320, 180)}}) {
        SCOPED_TRACE(shot.file);
        const QImage image = shot.dialog->grab().toImage();
        EXPECT_EQ(image.size(), shot.size);
        EXPECT_TRUE(image.save(QStringLiteral(DRAVIK_SCREENSHOT_DIR "/") + QLatin1String(shot.file)));
    }
}
