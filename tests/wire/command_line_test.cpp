#include "wire/CommandLine.h"
#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace {
// A seated player's line of 13 fields with the given fields replaced.
QString SeatedLine(const std::map<int, QString>& replaced = {}) {
    QStringList fields{QStringLiteral("abc"), QStringLiteral("pw"), QStringLiteral("127.0.0.1"), QStringLiteral("4000"),
                       QStringLiteral("北京"), QStringLiteral("0"), QString(), QStringLiteral("0"), QString(), QString(),
                       QString(), QString(), QString()};
    for (const auto& [number, value] : replaced) fields[number - 1] = value;
    return fields.join(QLatin1Char('$')) + QLatin1Char('$');
}

QString FieldOrAbsent(const CommandLine& line, int number) {
    const QString* field = line.Field(number);
    return field ? *field : QStringLiteral("<absent>");
}
}  // namespace

TEST(CommandLineSplitting, ThirteenFieldsAreReadInOrderAndTheLineIsASeatedPlayers) {
    const CommandLine line = SplitCommandLine(
        QStringLiteral("user$secret$10.0.0.2$4100$上海$5$10.0.0.3$1080$puser$ppass$1$大厅$桌子$"));
    ASSERT_FALSE(line.Empty);
    EXPECT_FALSE(line.SpectatorMode);
    const QStringList expected{QStringLiteral("user"), QStringLiteral("secret"), QStringLiteral("10.0.0.2"),
                               QStringLiteral("4100"), QStringLiteral("上海"),   QStringLiteral("5"),
                               QStringLiteral("10.0.0.3"), QStringLiteral("1080"), QStringLiteral("puser"),
                               QStringLiteral("ppass"), QStringLiteral("1"),      QStringLiteral("大厅"),
                               QStringLiteral("桌子")};
    for (int number = 1; number <= 13; ++number) EXPECT_EQ(FieldOrAbsent(line, number), expected[number - 1]) << number;
    EXPECT_TRUE(line.AutoPlayRequested());
    EXPECT_EQ(line.LobbyCaption(), QStringLiteral("大厅"));
}

TEST(CommandLineSplitting, FieldsAfterTheLastDollarAreAbsentAndEmptyFieldsArePresent) {
    const CommandLine line = SplitCommandLine(QStringLiteral("abc$$127.0.0.1$4000$"));
    EXPECT_FALSE(line.SpectatorMode);
    EXPECT_EQ(FieldOrAbsent(line, 1), QStringLiteral("abc"));
    EXPECT_EQ(FieldOrAbsent(line, 2), QString());
    EXPECT_EQ(FieldOrAbsent(line, 4), QStringLiteral("4000"));
    for (int number = 5; number <= 13; ++number) EXPECT_EQ(line.Field(number), nullptr) << number;
    EXPECT_FALSE(line.AutoPlayRequested());
    EXPECT_EQ(line.LobbyCaption(), QStringLiteral("Jokro山庄"));
}

TEST(CommandLineSplitting, ALineWithoutFinalDollarIsASpectatorWatchingTheIdAfterFieldFive) {
    const CommandLine line = SplitCommandLine(QStringLiteral("abc$pw$127.0.0.1$4000$北京$12345"));
    EXPECT_TRUE(line.SpectatorMode);
    EXPECT_EQ(FieldOrAbsent(line, 5), QStringLiteral("北京"));
    EXPECT_EQ(line.WatchedTail, QStringLiteral("12345"));
    for (int number = 6; number <= 13; ++number) EXPECT_EQ(line.Field(number), nullptr) << number;
    EXPECT_EQ(FindBadField(line), std::nullopt);
}

TEST(CommandLineSplitting, BlanksAroundTheLineAreTrimmedButBlanksInsideFieldsStay) {
    const CommandLine line = SplitCommandLine(QStringLiteral("  \t a b$pw$127.0.0.1$4000$北 京$  "));
    EXPECT_FALSE(line.SpectatorMode);
    EXPECT_EQ(FieldOrAbsent(line, 1), QStringLiteral("a b"));
    EXPECT_EQ(FieldOrAbsent(line, 5), QStringLiteral("北 京"));
    EXPECT_EQ(line.Field(6), nullptr);
}

TEST(CommandLineSplitting, ABlankLineIsEmpty) {
    for (const QString& text : {QString(), QStringLiteral("   ")}) {
        const CommandLine line = SplitCommandLine(text);
        EXPECT_TRUE(line.Empty) << text.size();
        EXPECT_EQ(line.LobbyCaption(), QStringLiteral("Jokro山庄"));
    }
}

TEST(CommandLineSplitting, AutoPlayIsFieldElevenWithTheNumericValueOne) {
    struct Case {
        QString field;
        bool autoPlay;
    } cases[] = {{QStringLiteral("1"), true},  {QStringLiteral("01"), true},  {QStringLiteral("1.0"), true},
                 {QStringLiteral(" 1"), true}, {QStringLiteral(""), false},   {QStringLiteral("0"), false},
                 {QStringLiteral("2"), false}, {QStringLiteral("x1"), false}, {QStringLiteral("0.5"), false},
                 {QStringLiteral("+1"), true}, {QStringLiteral("1."), true},  {QStringLiteral("1 x"), true},
                 {QStringLiteral("-1"), false}, {QStringLiteral("1１"), false}, {QStringLiteral(".1"), false}};
    for (const Case& c : cases) {
        const CommandLine line = SplitCommandLine(SeatedLine({{11, c.field}, {12, QStringLiteral("大厅")}}));
        EXPECT_EQ(line.AutoPlayRequested(), c.autoPlay) << c.field.toStdString();
        EXPECT_EQ(line.LobbyCaption(), c.autoPlay ? QStringLiteral("大厅") : QStringLiteral("Jokro山庄"))
            << c.field.toStdString();
    }
}

TEST(CommandLineChecks, EachUnusableFieldIsNamed) {
    const QString tooLong = QString(256, QLatin1Char('u'));
    struct Case {
        const char* what;
        QString line;
        QString named;
    } cases[] = {
        {"account of 17 bytes", SeatedLine({{1, QString(17, QLatin1Char('a'))}}), QStringLiteral("用户名")},
        {"account of 9 double-byte chars", SeatedLine({{1, QString(9, QChar(0x4E2D))}}), QStringLiteral("用户名")},
        {"password of 229 bytes", SeatedLine({{2, QString(229, QLatin1Char('p'))}}), QStringLiteral("登录密码")},
        {"port 0", SeatedLine({{4, QStringLiteral("0")}}), QStringLiteral("服务器端口")},
        {"port 65536", SeatedLine({{4, QStringLiteral("65536")}}), QStringLiteral("服务器端口")},
        {"port -1", SeatedLine({{4, QStringLiteral("-1")}}), QStringLiteral("服务器端口")},
        {"port text", SeatedLine({{4, QStringLiteral("40a0")}}), QStringLiteral("服务器端口")},
        {"port empty", SeatedLine({{4, QString()}}), QStringLiteral("服务器端口")},
        {"proxy type text", SeatedLine({{6, QStringLiteral("socks")}}), QStringLiteral("代理类型")},
        {"proxy type empty", SeatedLine({{6, QString()}}), QStringLiteral("代理类型")},
        // A number that a 16-bit conversion would wrap to 5.
        {"proxy type beyond 16 bits", SeatedLine({{6, QStringLiteral("65541")}}), QStringLiteral("代理类型")},
        {"proxy port 0 with SOCKS5", SeatedLine({{6, QStringLiteral("5")}, {8, QStringLiteral("0")}}),
         QStringLiteral("代理端口")},
        {"proxy port 65536", SeatedLine({{8, QStringLiteral("65536")}}), QStringLiteral("代理端口")},
        {"proxy port text", SeatedLine({{8, QStringLiteral("x")}}), QStringLiteral("代理端口")},
        {"proxy user of 256 bytes", SeatedLine({{9, tooLong}}), QStringLiteral("代理用户名")},
        {"proxy password of 256 bytes", SeatedLine({{10, tooLong}}), QStringLiteral("代理密码")},
        {"spectator id text", QStringLiteral("abc$pw$127.0.0.1$4000$北京$12a"), QStringLiteral("观战玩家编号")},
        {"spectator line of four fields", QStringLiteral("abc$pw$127.0.0.1$4000$北京"), QStringLiteral("观战玩家编号")},
        {"spectator line with more fields", QStringLiteral("abc$pw$127.0.0.1$4000$北京$0$7"),
         QStringLiteral("观战玩家编号")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindBadField(SplitCommandLine(c.line)).value_or(QStringLiteral("<none>")).toStdString(),
                  c.named.toStdString())
            << c.what;
}

TEST(CommandLineChecks, EdgeValuesThatFitAreAccepted) {
    struct Case {
        const char* what;
        QString line;
    } cases[] = {
        {"the default line", SeatedLine()},
        {"port 1", SeatedLine({{4, QStringLiteral("1")}})},
        {"port 65535", SeatedLine({{4, QStringLiteral("65535")}})},
        {"proxy port 0 with a direct connection", SeatedLine({{6, QStringLiteral("0")}, {8, QStringLiteral("0")}})},
        {"proxy port 65535 with SOCKS5", SeatedLine({{6, QStringLiteral("5")}, {8, QStringLiteral("65535")}})},
        {"a proxy type that opens no connection", SeatedLine({{6, QStringLiteral("7")}})},
        {"account of 16 bytes", SeatedLine({{1, QString(16, QLatin1Char('a'))}})},
        {"account of 8 double-byte chars", SeatedLine({{1, QString(8, QChar(0x4E2D))}})},
        {"password of 228 bytes", SeatedLine({{2, QString(228, QLatin1Char('p'))}})},
        {"proxy user and password of 255 bytes",
         SeatedLine({{9, QString(255, QLatin1Char('u'))}, {10, QString(255, QLatin1Char('p'))}})},
        {"fewer fields", QStringLiteral("abc$pw$127.0.0.1$4000$")},
        {"a spectator", QStringLiteral("abc$pw$127.0.0.1$4000$北京$4294967296")},
    };
    for (const Case& c : cases) EXPECT_EQ(FindBadField(SplitCommandLine(c.line)), std::nullopt) << c.what;
}
