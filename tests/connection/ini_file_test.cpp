#include "connection/IniFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ini.SetINIFileName(path);
    }

    QByteArray FileBytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void SetFileBytes(const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("chat.ini"));
    classIniFile ini;
};

TEST_F(IniFileTest, WritesChineseAsGbkWithCrlfAndReadsItBack) {
    ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("1"), QStringLiteral("一萬"));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\n1=\xd2\xbb\xc8\x66\r\n"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QStringLiteral("一萬"));
    EXPECT_EQ(ini.INIFileName(), path);
}

TEST_F(IniFileTest, RewritesInPlaceAndAppendsAtTheEndOfTheSection) {
    SetFileBytes("; quick phrases\r\n[Chat]\r\nA=1\r\nB=2\r\nC=3\r\n\r\n[Other]\r\nX=9\r\n");
    ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("B"), QStringLiteral("two"));
    ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("D"), QStringLiteral("4"));
    ini.WriteIniKey(QStringLiteral("Hands"), QStringLiteral("Last"), QStringLiteral("7"));
    EXPECT_EQ(FileBytes(), QByteArray("; quick phrases\r\n[Chat]\r\nA=1\r\nB=two\r\nC=3\r\nD=4\r\n\r\n"
                                      "[Other]\r\nX=9\r\n[Hands]\r\nLast=7\r\n"));
}

TEST_F(IniFileTest, SeveralKeysGoInTogetherAndComeBackTogether) {
    SetFileBytes("[Chat]\r\nA=1\r\n\r\n[Other]\r\nX=9\r\n");
    ini.WriteIniKeys(QStringLiteral("Chat"), {{QStringLiteral("B"), QStringLiteral("2")},
                                              {QStringLiteral("a"), QStringLiteral("one")},
                                              {QStringLiteral("C"), QStringLiteral("3")},
                                              {QStringLiteral("B"), QStringLiteral("two")}});
    ini.WriteIniKeys(QStringLiteral("New"), {{QStringLiteral("K"), QStringLiteral("v")}});
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\na=one\r\nB=two\r\nC=3\r\n\r\n[Other]\r\nX=9\r\n[New]\r\nK=v\r\n"));
    EXPECT_EQ(ini.GetIniKeys(QStringLiteral("chat"), {QStringLiteral("C"), QStringLiteral("missing"), QStringLiteral("A")}),
              (QStringList{QStringLiteral("3"), QString(), QStringLiteral("one")}));
    EXPECT_EQ(ini.GetIniKeys(QStringLiteral("absent"), {QStringLiteral("A"), QStringLiteral("B")}), (QStringList{QString(), QString()}));
}

TEST_F(IniFileTest, NamesMatchWithoutRegardToAsciiCase) {
    ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("Phrase"), QStringLiteral("old"));
    ini.WriteIniKey(QStringLiteral("CHAT"), QStringLiteral("phrase"), QStringLiteral("new"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("cHaT"), QStringLiteral("PHRASE")), QStringLiteral("new"));
    EXPECT_EQ(FileBytes().count("\r\n"), 2);
}

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QString());
    EXPECT_FALSE(QFile::exists(path));

    SetFileBytes("[Chat]\r\n1=hi\r\n");
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("2")), QString());
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Hands"), QStringLiteral("1")), QString());

    classIniFile unnamed;
    unnamed.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("1"), QStringLiteral("lost"));
    EXPECT_EQ(unnamed.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QString());
}

TEST_F(IniFileTest, ValuesComeBackTrimmedWithoutZerosAndCutAt1023GbkBytes) {
    const QString longAscii(2000, QLatin1Char('x'));
    const QString longChinese(600, QChar(u'麻'));  // 1200 bytes; byte 1023 would split a character
    ini.WriteIniKey(QStringLiteral("V"), QStringLiteral("ascii"), longAscii);
    ini.WriteIniKey(QStringLiteral("V"), QStringLiteral("chinese"), longChinese);
    ini.WriteIniKey(QStringLiteral("V"), QStringLiteral("spaced"), QStringLiteral("   two words  "));
    ini.WriteIniKey(QStringLiteral("V"), QStringLiteral("zero"), QStringLiteral("a") + QChar(0) + QStringLiteral("b "));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("V"), QStringLiteral("ascii")), longAscii.left(1023));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("V"), QStringLiteral("chinese")), longChinese.left(511));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("V"), QStringLiteral("spaced")), QStringLiteral("two words"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("V"), QStringLiteral("zero")), QStringLiteral("ab"));
}

TEST_F(IniFileTest, LineBreaksInNamesAndValuesBecomeBlanks) {
    ini.WriteIniKey(QStringLiteral("Chat\r\n[Evil]"), QStringLiteral("A\nB"), QStringLiteral("first\r\nX=injected"));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat  [Evil]]\r\nA B=first  X=injected\r\n"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat\r\n[Evil]"), QStringLiteral("A\nB")), QStringLiteral("first  X=injected"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat\r\n[Evil]"), QStringLiteral("X")), QString());
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Evil"), QStringLiteral("A")), QString());
}

TEST_F(IniFileTest, DeletesAKeyOrAWholeSection) {
    SetFileBytes("[Chat]\r\n1=a\r\n2=b\r\n; kept\r\n[Hands]\r\nLast=7\r\nBest=9\r\n[Other]\r\nX=1\r\n");
    ini.DelIniKey(QStringLiteral("chat"), QStringLiteral("1"));
    ini.DelIniSec(QStringLiteral("HANDS"));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\n2=b\r\n; kept\r\n[Other]\r\nX=1\r\n"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Hands"), QStringLiteral("Last")), QString());

    ini.SetINIFileName(dir.filePath(QStringLiteral("absent.ini")));
    ini.DelIniKey(QStringLiteral("Chat"), QStringLiteral("2"));
    ini.DelIniSec(QStringLiteral("Chat"));
    EXPECT_FALSE(QFile::exists(ini.INIFileName()));
}

TEST_F(IniFileTest, BrokenFileReadsEmptyAndTakesALaterWrite) {
    std::mt19937 random(1114);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage;
    for (int k = 0; k < 4096; ++k)
        garbage.append(char(byte(random)));
    SetFileBytes(garbage + "\r\nno equals sign here\r\n[Chat]\r\nno equals either\r\n");
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QString());
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Hands"), QStringLiteral("Last")), QString());

    ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("1"), QStringLiteral("好牌"));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QStringLiteral("好牌"));
}

TEST_F(IniFileTest, WriteToAnUnwritablePathIsSilentlyLost) {
    const QString unwritable[] = {dir.filePath(QStringLiteral("no-such-folder/chat.ini")), dir.path()};
    for (const QString& target : unwritable) {
        SCOPED_TRACE(target.toStdString());
        ini.SetINIFileName(target);
        EXPECT_NO_THROW(ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("1"), QStringLiteral("lost")));
        EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("1")), QString());
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("no-such-folder"))).exists());
}

}  // namespace
