#include "wire/IniFile.h"
#include "wire/IniText.h"
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

// A file edited by hand: what a look-up finds and what it passes over.
TEST_F(IniFileTest, ALookUpTakesTheFirstSectionAndKeyOfANameAndPassesOverWhatIsNoKey) {
    SetFileBytes("; a comment = no key\r\n"
                 "top=before every section\r\n"
                 "[Chat]\r\n"
                 "  ; note=a comment too\r\n"
                 "\r\n"
                 "  Name  =  first  \r\n"
                 "NAME=second\r\n"
                 "[no close=bracket\r\n"
                 "\xd2\xbb=one\r\n"
                 "\xc3\xc0\xa3\xc1=two\r\n"
                 "[X\x81\x5d=the last byte is a bracket's\r\n"
                 "after=still in Chat\r\n"
                 "  [ Hands ]  ; text after the bracket\r\n"
                 "Last=7\r\n"
                 "[chat]\r\n"
                 "later=in a second section of the name\r\n"
                 "Name=not read\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Chat", "name", "first"},
        {"cHAT", "NAME", "first"},
        {"Chat", "; note", ""},
        {"Chat", "[no close", "bracket"},
        {"Chat", "一", "one"},
        {"Chat", "美Ａ", "two"},
        {"Chat", "美ａ", ""},  // only ASCII letters match in either case
        {"Chat", "[X乚", "the last byte is a bracket's"},
        {"Chat", "after", "still in Chat"},
        {" Hands ", "last", "7"},
        {"Chat", "later", ""},
        {"", "top", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + " / " + c.key);
        EXPECT_EQ(ini.GetIniKey(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), QString::fromUtf8(c.value));
    }
    const IniSection chat = ini.GetIniSection(QStringLiteral("CHAT"));
    EXPECT_EQ(chat.Value(QStringLiteral("Name")), QStringLiteral("first"));
    EXPECT_EQ(chat.Value(QStringLiteral("Last")), QString()) << "the next header ends the section";
}

TEST_F(IniFileTest, AWriteChangesOnlyItsOwnSectionAndLeavesEveryOtherByteAsItWas) {
    // Line feeds alone and a byte pair that is no GBK character.
    const QByteArray other = "[Other]\nraw=\x81\x30 kept\n\n";
    SetFileBytes(other + "[Chat]\r\nName=old\r\nname=second\r\n; note\r\n\r\n" + other);
    EXPECT_TRUE(ini.WriteIniKeys(QStringLiteral("chat"), {{QStringLiteral("NAME"), QStringLiteral("new")},
                                                           {QStringLiteral("Added"), QStringLiteral("1")}}));
    EXPECT_EQ(FileBytes(), other + "[Chat]\r\nNAME=new\r\nname=second\r\n; note\r\nAdded=1\r\n\r\n" + other);

    ini.DelIniKey(QStringLiteral("Chat"), QStringLiteral("name"));
    EXPECT_EQ(FileBytes(), other + "[Chat]\r\nname=second\r\n; note\r\nAdded=1\r\n\r\n" + other);
    ini.DelIniSec(QStringLiteral("other"));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\nname=second\r\n; note\r\nAdded=1\r\n\r\n"));
}

TEST_F(IniFileTest, ALastLineWithoutItsEndIsEndedBeforeAnythingFollowsIt) {
    SetFileBytes("[Chat]\r\nA=1");
    EXPECT_TRUE(ini.WriteIniKey(QStringLiteral("Hands"), QStringLiteral("Last"), QStringLiteral("7")));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\nA=1\r\n[Hands]\r\nLast=7\r\n"));
    SetFileBytes("[Chat]\r\nA=1");
    EXPECT_TRUE(ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("B"), QStringLiteral("2")));
    EXPECT_EQ(FileBytes(), QByteArray("[Chat]\r\nA=1\r\nB=2\r\n"));
}

TEST_F(IniFileTest, ThirtyTwoThousandKeysGoInTogetherAndEachComesBackOnce) {
    constexpr int kKeys = 32767;
    QList<std::pair<QString, QString>> keys;
    for (int i = 1; i <= kKeys; ++i) keys.append({QString::number(i), QStringLiteral("第%1句").arg(i)});
    ASSERT_TRUE(ini.WriteIniKeys(QStringLiteral("Phrase1"), keys));
    // Every other key again, now in upper-case letters: each is rewritten where it stands.
    QList<std::pair<QString, QString>> again;
    for (int i = 1; i <= kKeys; i += 2) again.append({QString::number(i), QStringLiteral("again %1").arg(i)});
    again.append({QStringLiteral("NUM"), QString::number(kKeys)});
    ASSERT_TRUE(ini.WriteIniKeys(QStringLiteral("PHRASE1"), again));

    EXPECT_EQ(FileBytes().count("\r\n"), 1 + kKeys + 1);
    const IniSection read = ini.GetIniSection(QStringLiteral("phrase1"));
    for (int i = 1; i <= kKeys; ++i) {
        const QString expected = i % 2 ? QStringLiteral("again %1").arg(i) : QStringLiteral("第%1句").arg(i);
        ASSERT_EQ(read.Value(QString::number(i)), expected) << i;
    }
    EXPECT_EQ(read.Value(QStringLiteral("num")), QString::number(kKeys));
}

TEST_F(IniFileTest, AFileIsReadAsFarAsTheLimitAndNeverWrittenPastIt) {
    const qsizetype limit = IniText::kMaxFileBytes;
    const QByteArray filler = "pad=" + QByteArray(1000, 'x') + "\r\n";
    QByteArray whole = "[Chat]\r\nfirst=1\r\n[Pad]\r\n";
    while (whole.size() + filler.size() < limit - 200) whole += filler;
    whole += "[Tail]\r\n";
    // The file ends 100 bytes before the limit: a value of 200 would take it past.
    const QByteArray last(limit - 100 - whole.size() - 7, 'z');
    whole += "last=" + last + "\r\n";
    ASSERT_EQ(whole.size(), limit - 100);
    SetFileBytes(whole);
    EXPECT_FALSE(ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("long"), QString(200, QLatin1Char('v'))));
    EXPECT_EQ(FileBytes(), whole) << "a file that could not be read back whole is not written";
    EXPECT_TRUE(ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("short"), QStringLiteral("v")));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Chat"), QStringLiteral("short")), QStringLiteral("v"));

    // A line that the limit cuts, and everything after it, is not read.
    const QByteArray longer = whole + "cut=" + QByteArray(200, 'y') + "\r\n[Hands]\r\nafter=1\r\n";
    SetFileBytes(longer);
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Tail"), QStringLiteral("last")), QString::fromLatin1(last));
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Tail"), QStringLiteral("cut")), QString());
    EXPECT_EQ(ini.GetIniKey(QStringLiteral("Hands"), QStringLiteral("after")), QString());
    // Written back, the file would lose its end.
    EXPECT_FALSE(ini.WriteIniKey(QStringLiteral("Chat"), QStringLiteral("first"), QStringLiteral("2")));
    ini.DelIniKey(QStringLiteral("Chat"), QStringLiteral("first"));
    ini.DelIniSec(QStringLiteral("Chat"));
    EXPECT_EQ(FileBytes(), longer);
}

}  // namespace
