#include "wire/General.h"
#include "table/TileAccess.h"
#include "support/TestClient.h"
#include "table/Pictures.h"
#include "table/MainForm.h"
#include <QListWidget>
#include <gtest/gtest.h>

namespace {
QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}
}  // namespace

TEST(SeatBits, BitToIndexGivesTheHighestSetBit) {
    const std::pair<uint8_t, uint8_t> cases[] = {{0, 0}, {1, 0}, {2, 1}, {4, 2}, {8, 3}, {12, 3}, {15, 3}, {0x80, 7}};
    for (auto [bits, index] : cases) EXPECT_EQ(BitToIndex(bits), index) << int(bits);
}

TEST(SeatBits, IndexToBitIsAPowerOfTwoAndOneBelowZero) {
    const std::pair<int16_t, int16_t> cases[] = {{-32768, 1}, {-1, 1}, {0, 1}, {1, 2}, {3, 8}, {14, 16384}};
    for (auto [index, bit] : cases) EXPECT_EQ(IndexToBit(index), bit) << index;
}

TEST(SeatBits, LocalSeatCountsFromTheOwnSeat) {
    struct Case {
        uint8_t own, other;
        int local;
    } cases[] = {{1, 1, 0}, {1, 2, 3}, {1, 4, 2}, {1, 8, 1}, {4, 1, 2}, {4, 8, 3}, {8, 1, 3}, {2, 8, 2}, {0, 0, 0}};
    for (const Case& c : cases) EXPECT_EQ(LocalSeatOf(c.own, c.other), c.local) << int(c.own) << " " << int(c.other);
}

TEST(FindHandSlot, FindsTheFirstConcealedSlotShowingTheImage) {
    TestClient t;
    SeatInfo& own = t->seatInfo[0];
    own.FirstConcealed = 4;
    own.Slots[1].Image = 42;  // a meld before the concealed run
    own.Slots[5].Image = 42;
    own.Slots[7].Image = 42;
    own.Slots[9].Image = 50;  // just past the run

    own.ConcealedCount = 5;
    EXPECT_EQ(FindHandSlot(*t, 42), 5);
    EXPECT_EQ(FindHandSlot(*t, 50), -1);
    EXPECT_EQ(FindHandSlot(*t, 99), -1);
    own.ConcealedCount = 6;
    EXPECT_EQ(FindHandSlot(*t, 50), 9);
    own.ConcealedCount = 0;
    EXPECT_EQ(FindHandSlot(*t, 42), -1);
}

TEST(Delays, WaitSecondsReturnsAtTheFirstPumpThatMovesTime) {
    TestClient t;
    int stalled = 2;
    // The first two pumps take no time at all.
    t.clock->onPump = [&] {
        if (stalled-- > 0) t.clock->now -= 0.01;
    };
    WaitSeconds(*t, 0);
    EXPECT_EQ(t.clock->pumps, 3);
    EXPECT_EQ(t.clock->sleptSeconds, 0);
}

TEST(Delays, WaitSecondsPumpsUntilMoreThanTheTimeHasPassed) {
    TestClient t;
    const double start = t.clock->now;
    WaitSeconds(*t, 0.4);
    EXPECT_GT(t.clock->now - start, 0.4);
    EXPECT_LT(t.clock->now - start, 0.4 + 0.011);
    EXPECT_GE(t.clock->pumps, 40);
}

TEST(Delays, SleepSecondsBlocksWithoutHandlingEvents) {
    TestClient t;
    SleepSeconds(*t, 0.25);
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.25);
    SleepSeconds(*t, 0.0004);  // rounded to whole milliseconds
    EXPECT_DOUBLE_EQ(t.clock->sleptSeconds, 0.25);
    EXPECT_EQ(t.clock->pumps, 0);
}

TEST(AddWrappedText, WrapsByDisplayWidthWithABlankBeforeEveryLaterLine) {
    struct Case {
        QString text;
        int width;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("abcdefghij"), 4, {QStringLiteral("abcde"), QStringLiteral(" fgh"), QStringLiteral(" ij")}},
        {QStringLiteral("中文abcdefg"), 4, {QStringLiteral("中文a"), QStringLiteral(" bcd"), QStringLiteral(" efg")}},
        {QStringLiteral("abcdef"), 4, {QStringLiteral("abcde"), QStringLiteral(" f")}},
        {QStringLiteral("中文字abc"), 4, {QStringLiteral("中文字"), QStringLiteral(" abc")}},
        {QStringLiteral("short"), 46, {QStringLiteral("short")}},
        {QStringLiteral("x"), 4, {QStringLiteral("x")}},
        {QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"), 10, {QStringLiteral("ab")}},
        {QChar(0) + QStringLiteral("abc"), 4, {}},
        {QString(), 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QListWidget list;
        AddWrappedText(list, c.text, c.width);
        EXPECT_EQ(Lines(list), c.lines);
    }
}

TEST(AddWrappedText, AddsBelowWhatTheListHolds) {
    QListWidget list;
    list.addItem(QStringLiteral("earlier"));
    AddWrappedText(list, QStringLiteral("abcdef"), 4);
    EXPECT_EQ(Lines(list), (QStringList{QStringLiteral("earlier"), QStringLiteral("abcde"), QStringLiteral(" f")}));
}

TEST(PadRight, PadsWithBlanksByCharacterCount) {
    struct Case {
        QString text;
        int n;
        QString padded;
    } cases[] = {{QStringLiteral("abcde"), 3, QStringLiteral("abcde")}, {QStringLiteral("abc"), 3, QStringLiteral("abc")},
                 {QStringLiteral("ab"), 5, QStringLiteral("ab   ")},     {QStringLiteral("中"), 3, QStringLiteral("中  ")},
                 {QString(), 2, QStringLiteral("  ")},                    {QStringLiteral("ab"), -1, QStringLiteral("ab")}};
    for (const Case& c : cases) EXPECT_EQ(PadRight(c.text, c.n), c.padded) << c.text.toStdString() << " " << c.n;
}

TEST(ShowTileImage, AnImageOrPictureNumberOutOfRangeDoesNothing) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    ImageControl& first = *t->mainForm->MJ_Image[0];
    ASSERT_FALSE(first.isVisible());
    const qint64 designPicture = first.Picture().cacheKey();
    EXPECT_NO_THROW(ShowTileImage(*t, 136, 0));
    EXPECT_NO_THROW(ShowTileImage(*t, 0, 180));
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(first.Picture().cacheKey(), designPicture);
}

TEST(ShowTileImage, GivesAHiddenTileImageItsPictureAndShowsIt) {
    TestClient t;
    ASSERT_EQ(t.Load(), std::nullopt);
    ImageControl& image = *t->mainForm->MJ_Image[5];
    ASSERT_FALSE(image.isVisible());
    ShowTileImage(*t, 5, 147);  // the own hand's 北
    EXPECT_TRUE(image.isVisible());
    EXPECT_EQ(image.Picture().cacheKey(), PictureOfResource(348).cacheKey());
}
