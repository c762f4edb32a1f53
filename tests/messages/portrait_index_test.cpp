#include "messages/PortraitIndex.h"
#include <gtest/gtest.h>

TEST(PortraitIndex, CodesChooseTheirPortraitAndUnusableCodesTheFirst) {
    struct Case {
        const char* avatar;
        int index;
    } cases[] = {
        {"m1", 0},  {"m9", 8},  {"m10", 9}, {"w1", 10}, {"w10", 19},  // the twenty portraits
        {"m11", 0}, {"w12", 10}, {"m99", 0},                           // past the set: its first portrait
        {"m0", 0},  {"w0", 0},  {"m", 0},   {"", 0},    {"m100", 0},   // no portrait named
        {"mx", 0},  {"w1x", 0}, {"m-1", 0}, {"m+5", 0}, {"m 5", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(PortraitIndexOf(QString::fromLatin1(c.avatar)), c.index) << c.avatar;
}
