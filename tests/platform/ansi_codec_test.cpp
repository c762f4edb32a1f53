#include "platform/AnsiCodec.h"
#include <QByteArray>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(AnsiCodec, RoundTripsAsciiAndChineseThroughGbkBytes) {
    const struct {
        QString text;
        QByteArray gbk;
    } cases[] = {
        {QStringLiteral("Hello, table 1!"), QByteArray("Hello, table 1!")},
        {QStringLiteral("一萬"), QByteArray("\xd2\xbb\xc8\x66")},
        {QStringLiteral("麻将 ok"), QByteArray("\xc2\xe9\xbd\xab ok")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(AnsiCodec::ToAnsi(c.text), c.gbk);
        EXPECT_EQ(AnsiCodec::FromAnsi(c.gbk), c.text);
    }
}

TEST(AnsiCodec, CharToAnsiAndDisplayWidthFollowTheGbkByteCount) {
    const struct {
        QChar c;
        QByteArray gbk;
        int width;
    } cases[] = {
        {QLatin1Char('a'), QByteArray("a"), 1},
        {QChar(u'麻'), QByteArray("\xc2\xe9"), 2},
        {QChar(u'，'), QByteArray("\xa3\xac"), 2},
        {QChar(0x0E3F), QByteArray("?"), 1},  // Thai baht: not in GBK
        {QChar(0xD83D), QByteArray("?"), 1},  // half of a surrogate pair
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.c.unicode()));
        EXPECT_EQ(AnsiCodec::CharToAnsi(c.c), c.gbk);
        EXPECT_EQ(AnsiCodec::DisplayWidth(c.c), c.width);
    }
}

TEST(AnsiCodec, DecodesZerosAndBrokenSequencesWithoutLosingPlace) {
    const QChar bad = QChar::ReplacementCharacter;
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray("a\0b", 3), QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {QByteArray("\x81"), QString(bad)},                                   // lone lead byte
        {QByteArray("a\xd2"), QStringLiteral("a") + bad},                    // text cut inside a character
        {QByteArray("\x81\x7fz"), bad + QStringLiteral("\x7fz")},           // lead byte without a valid trail
        {QByteArray("\xd2\xbb\0", 3), QStringLiteral("一") + QChar(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(AnsiCodec::FromAnsi(c.bytes), c.text);
    }
}

TEST(AnsiCodec, OneDecoderDecodesEachPieceAsAFreshOneDoes) {
    // Every byte alone and every lead byte with every trail, in turn through
    // one decoder: a lone lead byte must not pair with the next piece.
    AnsiCodec::Decoder decode;
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = -1; trail < (lead < 0x80 ? 0 : 256); ++trail) {
            QByteArray piece(1, char(lead));
            if (trail >= 0) piece.append(char(trail));
            ASSERT_EQ(decode(piece), AnsiCodec::FromAnsi(piece)) << piece.toHex().toStdString();
        }
}

TEST(AnsiCodec, SurvivesRandomBytes) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage;
    for (int k = 0; k < 8192; ++k)
        garbage.append(char(byte(random)));
    const QString text = AnsiCodec::FromAnsi(garbage);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(AnsiCodec::ToAnsi(text).isEmpty());
}

}  // namespace
