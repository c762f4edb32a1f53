#include "platform/ProgramPaths.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// <tmp>/prog is the program folder; shipped files sit in and beside it.
class ProgramPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* file : {"prog/chat.ini", "prog/Score.txt", "prog/score.txt", "common/Music/majiang.wav"}) {
            const QString path = root.filePath(QLatin1String(file));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        }
    }

    QString Native(const QString& relative) const { return QDir::toNativeSeparators(root.filePath(relative)); }

    QTemporaryDir root;
    ProgramPaths paths{root.filePath(QStringLiteral("prog"))};
};

TEST_F(ProgramPathsTest, ResolvesBackslashPathsBelowTheProgramFolder) {
    const struct {
        const char* backslashPath;
        const char* expected;
    } cases[] = {
        {"\\..\\common\\music\\majiang.wav", "common/Music/majiang.wav"},  // ".." applied, folder case taken from disk
        {"\\Chat.INI", "prog/chat.ini"},
        {"\\score.txt", "prog/score.txt"},                                 // an exact match beats a case-insensitive one
        {"\\SCORE.TXT", "prog/Score.txt"},
        {"\\.\\sub\\..\\chat.ini", "prog/chat.ini"},
        {"\\History\\Hands.INI", "prog/History/Hands.INI"},               // missing parts kept as given
        {"\\..\\COMMON\\New.wav", "common/New.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backslashPath);
        EXPECT_EQ(paths.Resolve(QLatin1String(c.backslashPath)), Native(QLatin1String(c.expected)));
    }
}

TEST_F(ProgramPathsTest, AFileMadeAfterItsFolderWasSearchedIsFoundByItsExactName) {
    // The hand history is made while the program runs, in a folder whose
    // listing an earlier case-tolerant look-up has already taken.
    EXPECT_EQ(paths.Resolve(QStringLiteral("\\INFO.Jokro")), Native(QStringLiteral("prog/INFO.Jokro")));
    QFile history(root.filePath(QStringLiteral("prog/info.Jokro")));
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    ProgramPaths copy = paths;
    for (ProgramPaths* p : {&paths, &copy})
        EXPECT_EQ(p->Resolve(QStringLiteral("\\info.Jokro")), Native(QStringLiteral("prog/info.Jokro")));
    // The shipped files are still matched whatever their case, by the copy too.
    EXPECT_EQ(copy.Resolve(QStringLiteral("\\CHAT.ini")), Native(QStringLiteral("prog/chat.ini")));
}

TEST(ProgramPathsEnvironment, TakesTheVariableElseTheExecutableFolder) {
    const QByteArray saved = qgetenv("DRAVIK_PROGRAM_DIR");
    qputenv("DRAVIK_PROGRAM_DIR", "/opt/dravik");
    EXPECT_EQ(ProgramPaths::FromEnvironment().ProgramDir(), QStringLiteral("/opt/dravik"));
    qunsetenv("DRAVIK_PROGRAM_DIR");
    EXPECT_EQ(ProgramPaths::FromEnvironment().ProgramDir(), QCoreApplication::applicationDirPath());
    if (!saved.isNull())
        qputenv("DRAVIK_PROGRAM_DIR", saved);
}

}  // namespace
