// The command icons of the video bars: the photo album, photos, the music box,
// switching a seat's video off, zooming, and the icons that do nothing.
#include "platform/VideoFrame.h"
#include "platform/VideoView.h"
#include "support/EventLoopWait.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "video/MusicBox.h"
#include "video/VideoCommands.h"
#include "video/VideoWindow.h"
#include "table/Ticker.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
const QString kPhotoSaved = QStringLiteral("照相成功,照片保存在本机相册中。");

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

QDateTime At(int year, int month, int day, int hour, int minute, int second) {
    return {QDate(year, month, day), QTime(hour, minute, second)};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A camera's frame: a JPEG picture with a colour and a mark of its own.
QByteArray CameraFrame(int n) {
    QImage picture(VideoFrame::Width, VideoFrame::Height, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((n * 53) % 360, 180, 220));
    QPainter(&picture).fillRect(10 * n % 200, 40, 60, 60, Qt::black);
    return EncodeVideoFrame(picture);
}

// Whether a photo file is a real BMP picture of the frame, pixel for pixel as the frame decodes.
testing::AssertionResult IsBitmapOf(const QString& path, const QByteArray& frame) {
    const QByteArray bytes = ReadFile(path);
    if (!bytes.startsWith("BM")) return testing::AssertionFailure() << "no BMP file: " << bytes.left(4).toHex().toStdString();
    const QImage photo = QImage::fromData(bytes, "BMP");
    const QImage picture = DecodeVideoFrame(frame);
    if (photo.isNull() || picture.isNull()) return testing::AssertionFailure() << "no picture";
    if (photo.convertToFormat(QImage::Format_RGB32) != picture.convertToFormat(QImage::Format_RGB32))
        return testing::AssertionFailure() << "another picture";
    return testing::AssertionSuccess();
}

class VideoCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        SetTickerLines(*t, QString());
    }
    void Click(int index) { MainForm_ImCmd_Click(*t, index); }
    QString TableDir() const { return t.programDir.path() + QStringLiteral("/table"); }
    QString PhotoDir() const { return TableDir() + QStringLiteral("/photo"); }
    QStringList Photos() const { return QDir(PhotoDir()).entryList(QDir::Files, QDir::Name); }
    QStringList Ticker() { return Lines(*t->mainForm->Sysmsg[0]) + Lines(*t->mainForm->Sysmsg[1]); }
    int PhotoReports() { return int(Ticker().count(kPhotoSaved)); }

    TestClient t;
};

TEST_F(VideoCommands, TheAlbumOpensThePhotoFolderAndCreatesItOnlyWhenNoEntryOfItsNameExists) {
    struct Case {
        const char* name;
        const char* existingFolder;  // created before the click, or null
        const char* existingFile;    // likewise, a plain file
        const char* opened;          // the entry the shell is asked to open
    };
    const Case cases[] = {
        {"missing", nullptr, nullptr, "photo"},
        {"present", "photo", nullptr, "photo"},
        {"present in another letter case", "Photo", nullptr, "Photo"},
        {"a file stands in its place", nullptr, "photo", "photo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClient fresh;
        const QString table = fresh.programDir.path() + QStringLiteral("/table/");
        if (c.existingFolder) {
            ASSERT_TRUE(QDir().mkdir(table + QLatin1String(c.existingFolder)));
        }
        if (c.existingFile) {
            ASSERT_TRUE(WriteFile(table + QLatin1String(c.existingFile), "x"));
        }
        ASSERT_EQ(fresh.Load(), std::nullopt);

        MainForm_ImCmd_Click(*fresh, 0);
        MainForm_ImCmd_Click(*fresh, 0);

        const QString opened = QDir::toNativeSeparators(table + QLatin1String(c.opened));
        EXPECT_EQ(fresh.shell->opened, (std::vector<QString>{opened, opened}));
        const QStringList entries = QDir(table).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        EXPECT_EQ(entries.filter(QStringLiteral("photo"), Qt::CaseInsensitive).size(), 1) << "no second folder";
        EXPECT_EQ(QFileInfo(opened).isDir(), c.existingFile == nullptr);
        EXPECT_TRUE(fresh.shell->started.empty());
    }
}

TEST_F(VideoCommands, APhotoIsABitmapOfTheSeatsLastPictureAndIsReported) {
    struct Case {
        int icon;
        int seat;
        QDateTime moment;
        QString name;
    };
    // Hours run 0 to 23; no number has a leading zero.
    const Case cases[] = {
        {2, 0, At(2008, 1, 7, 9, 5, 3), "200817953.bmp"},
        {6, 1, At(2009, 12, 31, 23, 59, 58), "20091231235958.bmp"},
        {10, 2, At(2010, 10, 10, 0, 0, 0), "20101010000.bmp"},
        {14, 3, At(2011, 6, 15, 12, 30, 1), "201161512301.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.icon);
        SetTickerLines(*t, QString());
        for (int s = 0; s < 4; ++s) t->video.LastVideoFrame[s] = CameraFrame(s == c.seat ? c.seat : 10 + s);
        t.clock->localTime = c.moment;

        Click(c.icon);

        EXPECT_TRUE(Photos().contains(c.name)) << Photos().join(' ').toStdString();
        EXPECT_TRUE(IsBitmapOf(PhotoDir() + '/' + c.name, CameraFrame(c.seat)));
        EXPECT_EQ(PhotoReports(), 1);
    }
    EXPECT_EQ(Photos().size(), 4);
}

TEST_F(VideoCommands, APhotoWhoseNameIsTakenGetsASuffixAndNeverOverwrites) {
    struct Case {
        const char* name;
        std::vector<QDateTime> moments;
        QStringList files;
    };
    const Case cases[] = {
        {"three in the same second",
         {At(2008, 1, 7, 9, 5, 3), At(2008, 1, 7, 9, 5, 3), At(2008, 1, 7, 9, 5, 3)},
         {"200817953.bmp", "200817953_2.bmp", "200817953_3.bmp"}},
        // 2008 1 11 1 2 3 and 2008 11 1 1 2 3 read the same without separators.
        {"two moments ten months apart",
         {At(2008, 1, 11, 1, 2, 3), At(2008, 11, 1, 1, 2, 3)},
         {"2008111123.bmp", "2008111123_2.bmp"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(PhotoDir()).removeRecursively();
        std::vector<QByteArray> frames;
        for (const QDateTime& moment : c.moments) {
            frames.push_back(CameraFrame(int(frames.size())));
            t->video.LastVideoFrame[2] = frames.back();
            t.clock->localTime = moment;
            Click(10);
        }
        ASSERT_EQ(Photos(), c.files);
        for (size_t i = 0; i < frames.size(); ++i) EXPECT_TRUE(IsBitmapOf(PhotoDir() + '/' + c.files[int(i)], frames[i]));
    }
}

TEST_F(VideoCommands, APhotoThatCannotBeWrittenIsNotReported) {
    struct Case {
        const char* name;
        QByteArray frame;
        bool fileInPlaceOfFolder;
    };
    for (const Case& c : {Case{"no frame yet", {}, false}, Case{"a frame without a picture", "no picture", false},
                          Case{"the album is a file", CameraFrame(1), true}}) {
        for (int icon : {2, 6, 10, 14}) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(icon);
            TestClient fresh;
            ASSERT_EQ(fresh.Load(), std::nullopt);
            SetTickerLines(*fresh, QString());
            const QString photo = fresh.programDir.path() + QStringLiteral("/table/photo");
            if (c.fileInPlaceOfFolder) {
                ASSERT_TRUE(WriteFile(photo, "not a folder"));
            }
            for (QByteArray& frame : fresh->video.LastVideoFrame) frame = c.frame;

            MainForm_ImCmd_Click(*fresh, icon);

            EXPECT_TRUE(Lines(*fresh->mainForm->Sysmsg[0]).isEmpty());
            EXPECT_TRUE(Lines(*fresh->mainForm->Sysmsg[1]).isEmpty());
            if (c.fileInPlaceOfFolder)
                EXPECT_EQ(ReadFile(photo), "not a folder");
            else
                EXPECT_TRUE(QDir(photo).entryList(QDir::Files).isEmpty());
        }
    }
}

TEST_F(VideoCommands, ARunningMusicBoxIsOnlyShownAndTheTableSoundPlaysOn) {
    t.lobby->existingWindows << kMusicBoxCaption;
    const int stops = t.sound->stops;
    t.lobby->frames.clear();

    Click(3);

    ASSERT_EQ(t.lobby->frames.size(), 1u);
    const LobbyFrame& frame = t.lobby->frames[0];
    EXPECT_EQ(frame.caption, QStringLiteral("musicbox"));
    EXPECT_EQ(frame.msg, 0x46Fu);
    EXPECT_EQ(frame.wParam, 0u);
    EXPECT_EQ(frame.lParam, 0u);
    EXPECT_FALSE(frame.sent) << "posted";
    EXPECT_EQ(t.sound->stops, stops);
    EXPECT_TRUE(t.shell->started.empty());
    EXPECT_TRUE(t.dialogs->shown.empty());
}

// A client whose program folder lies two levels below the temporary folder,
// so that the music box's folder "..\..\plugin" lies inside it; the plugin
// folder holds the given files before the start-up.
struct MusicBoxTable {
    explicit MusicBoxTable(const QStringList& pluginFiles) {
        EXPECT_TRUE(QDir().mkpath(TableDir()));
        EXPECT_TRUE(QDir().mkpath(PluginDir()));
        for (const QString& file : pluginFiles) EXPECT_TRUE(WriteFile(PluginDir() + '/' + file, "program"));
        t->platform.paths = ProgramPaths(TableDir());
        EXPECT_EQ(t.Load(), std::nullopt);
    }
    QString TableDir() const { return t.programDir.path() + QStringLiteral("/games/mahjong"); }
    QString PluginDir() const { return t.programDir.path() + QStringLiteral("/plugin"); }
    TestClient t;
};

TEST(MusicBoxProgram, StartsWithOneArgumentOfThreeFieldsAfterStoppingTheSound) {
    MusicBoxTable table({QStringLiteral("music.exe")});
    TestClient& t = table.t;
    const QString program = QDir::toNativeSeparators(table.PluginDir() + QStringLiteral("/music.exe"));
    struct Case {
        QString account;
        QString argument;
    };
    // An empty account before the player record of local seat 0 has come.
    const Case cases[] = {{"", "$$music.dravik.local$"}, {"robot2", "robot2$$music.dravik.local$"},
                          {"有 空格 $", "有 空格 $$$music.dravik.local$"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        t->playerInfo[0].Account = c.account;
        t.shell->started.clear();
        const int stops = t.sound->stops;

        MainForm_ImCmd_Click(*t, 3);

        ASSERT_EQ(t.shell->started.size(), 1u);
        EXPECT_EQ(t.shell->started[0].program, program);
        EXPECT_EQ(t.shell->started[0].arguments, QStringList{c.argument});
        EXPECT_EQ(t.sound->stops, stops + 1);
    }
    EXPECT_TRUE(t.dialogs->shown.empty());
    EXPECT_TRUE(t.shell->opened.empty());
    EXPECT_TRUE(t.lobby->MessagesTo(kMusicBoxCaption).empty());
}

TEST(MusicBoxProgram, AMissingProgramOffersItsPageAndOnlyOkOpensIt) {
    struct Case {
        const char* name;
        QStringList onDisk;  // files in the plugin folder
        Dialogs::Answer answer;
        bool opensPage;
    };
    const Case cases[] = {
        {"no file, OK", {}, Dialogs::Ok, true},
        {"no file, Cancel", {}, Dialogs::Cancel, false},
        {"name in another case, OK", {"Music.exe"}, Dialogs::Ok, true},
        {"name in another case, Cancel", {"MUSIC.EXE"}, Dialogs::Cancel, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MusicBoxTable table(c.onDisk);
        TestClient& t = table.t;
        t.dialogs->answers = {c.answer};
        const int stops = t.sound->stops;

        MainForm_ImCmd_Click(*t, 3);

        EXPECT_EQ(t.sound->stops, stops + 1);
        ASSERT_EQ(t.dialogs->shown.size(), 1u);
        EXPECT_EQ(t.dialogs->shown[0].text, QStringLiteral("您的大厅安装不完整，请重新安装或到网站上下载独立的安装程序！"));
        EXPECT_EQ(t.dialogs->shown[0].title, QStringLiteral("Jokro山庄提示"));
        EXPECT_EQ(t.dialogs->shown[0].buttons, Dialogs::OkCancel);
        EXPECT_EQ(t.shell->opened, c.opensPage ? std::vector<QString>{QStringLiteral("http://music.dravik.local/magic.php")}
                                               : std::vector<QString>{});
        EXPECT_TRUE(t.shell->started.empty());
    }
}

TEST(FileTest, IsTrueOnlyForAFirstOrdinaryFileOfExactlyThatName) {
    struct Case {
        const char* name;
        QStringList files;
        QStringList folders;
        QString pattern;
        QString fileName;
        bool expected;
    };
    const Case cases[] = {
        {"exact name", {"music.exe"}, {}, "music.exe", "music.exe", true},
        {"another letter case on disk", {"Music.exe"}, {}, "music.exe", "music.exe", false},
        {"pattern in another case", {"music.exe"}, {}, "MUSIC.EXE", "music.exe", true},
        {"missing", {"other.exe"}, {}, "music.exe", "music.exe", false},
        {"a folder is no file", {}, {"music.exe"}, "music.exe", "music.exe", false},
        {"a hidden file is not found", {".music.exe"}, {}, ".music.exe", ".music.exe", false},
        {"a wildcard takes the first match", {"a.exe", "music.exe"}, {}, "*.exe", "a.exe", true},
        {"a wildcard whose first match differs", {"a.exe", "music.exe"}, {}, "*.exe", "music.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        for (const QString& file : c.files) ASSERT_TRUE(WriteFile(dir.filePath(file), "x"));
        for (const QString& folder : c.folders) ASSERT_TRUE(QDir(dir.path()).mkdir(folder));
        EXPECT_EQ(Is_File_Exist(dir.filePath(c.pattern), c.fileName), c.expected);
    }
}

TEST_F(VideoCommands, SwitchingASeatOffLeavesOnlyItsOpenVideoIconAndHidesItsOpenWindow) {
    MainForm& f = *t->mainForm;
    const auto showPanel = [&](int k) {
        f.PicLocal[k]->show();
        f.vshow1[k]->show();
        f.ImgKuang[k]->setVisible(true);
        f.ImgShow[k]->setVisible(false);
    };
    for (int seat = 1; seat <= 3; ++seat) {
        SCOPED_TRACE(seat);
        for (int k = 1; k <= 3; ++k) showPanel(k);
        const bool windowOpen = seat != 2;
        if (windowOpen) VideoWindowOf(*t, seat).show();
        const VideoWindow* window = t->videoWindows[seat].get();
        t.peers->Link(int16_t(seat), QStringLiteral("seat%1").arg(seat), PeerLink::Ready);

        Click(4 * seat);

        EXPECT_TRUE(t->video.VideoBlocked[seat]);
        EXPECT_TRUE(f.PicLocal[seat]->isHidden());
        EXPECT_TRUE(f.vshow1[seat]->isHidden());
        EXPECT_FALSE(f.ImgKuang[seat]->isVisible());
        EXPECT_TRUE(f.ImgShow[seat]->isVisible());
        EXPECT_EQ(t->videoWindows[seat].get(), window) << "hidden, not unloaded; never created for the question";
        EXPECT_FALSE(VideoWindowShown(*t, seat));
        EXPECT_EQ(t.peers->PeerState(int16_t(seat)), PeerLink::Ready) << "the link stays open";
        for (int other = 1; other <= 3; ++other) {
            if (other == seat) continue;
            EXPECT_FALSE(f.PicLocal[other]->isHidden()) << other;
            EXPECT_FALSE(f.ImgShow[other]->isVisible()) << other;
        }

        // Once off, the icon does nothing more.
        showPanel(seat);
        if (windowOpen) VideoWindowOf(*t, seat).show();
        Click(4 * seat);
        EXPECT_FALSE(f.PicLocal[seat]->isHidden());
        EXPECT_FALSE(f.vshow1[seat]->isHidden());
        EXPECT_EQ(VideoWindowShown(*t, seat), windowOpen);
    }
    EXPECT_TRUE(t.peers->record.sent.empty());
}

TEST_F(VideoCommands, EachZoomIconTogglesTheWindowOfItsOwnSeat) {
    for (int seat = 0; seat <= 3; ++seat) {
        SCOPED_TRACE(seat);
        Click(4 * seat + 1);
        for (int z = 0; z <= 3; ++z) EXPECT_EQ(VideoWindowShown(*t, z), z == seat) << z;
        Click(4 * seat + 1);
        EXPECT_EQ(t->videoWindows[seat], nullptr) << "closing unloads";
    }
}

TEST_F(VideoCommands, IconsWithoutCommandAndUnknownIndexesDoNothing) {
    MainForm& f = *t->mainForm;
    for (int k = 0; k <= 3; ++k) f.PicLocal[k]->show();
    for (QByteArray& frame : t->video.LastVideoFrame) frame = CameraFrame(1);
    t.lobby->existingWindows << kMusicBoxCaption;
    t.lobby->frames.clear();
    const int stops = t.sound->stops;
    for (int index : {7, 11, 15, 16, -1, -4, 32767}) {
        SCOPED_TRACE(index);
        Click(index);
        EXPECT_TRUE(t.shell->opened.empty());
        EXPECT_TRUE(t.shell->started.empty());
        EXPECT_TRUE(t.lobby->frames.empty());
        EXPECT_TRUE(t.dialogs->shown.empty());
        EXPECT_EQ(t.sound->stops, stops);
        EXPECT_TRUE(Ticker().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(PhotoDir()));
        EXPECT_EQ(t->video.VideoBlocked, (std::array<bool, 4>{}));
        for (int k = 0; k <= 3; ++k) {
            EXPECT_FALSE(f.PicLocal[k]->isHidden());
            EXPECT_EQ(t->videoWindows[k], nullptr);
        }
    }
}

TEST_F(VideoCommands, AClickOnAnIconRunsItsCommandOnceTheMouseEventIsOver) {
    QLabel& icon = *t->mainForm->ImCmd[12];
    const QPointF inside(4, 4), outside(40, 4);
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button) {
        QMouseEvent event(type, at, icon.mapToGlobal(at), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&icon, &event);
    };
    struct Case {
        const char* name;
        Qt::MouseButton button;
        QPointF releaseAt;
    };
    // Pressed and let go elsewhere, or with the other button: no click.
    for (const Case& c : {Case{"let go outside", Qt::LeftButton, outside}, Case{"right button", Qt::RightButton, inside}}) {
        SCOPED_TRACE(c.name);
        send(QEvent::MouseButtonPress, inside, c.button);
        send(QEvent::MouseButtonRelease, c.releaseAt, c.button);
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(t->video.VideoBlocked[3]);
    }

    send(QEvent::MouseButtonPress, inside, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, inside, Qt::LeftButton);
    EXPECT_FALSE(t->video.VideoBlocked[3]) << "not inside the mouse event";
    EXPECT_TRUE(WaitUntil([&] { return t->video.VideoBlocked[3]; }, 2000));

    // A double click on the zoom icon counts once: the window opens and stays.
    QLabel& zoom = *t->mainForm->ImCmd[13];
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, inside, zoom.mapToGlobal(inside), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&zoom, &event);
    }
    EXPECT_TRUE(WaitUntil([&] { return VideoWindowShown(*t, 3); }, 2000));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(VideoWindowShown(*t, 3));
}
}  // namespace
