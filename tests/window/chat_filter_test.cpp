#include "window/ChatFilter.h"
#include <gtest/gtest.h>

namespace {

TEST(ChatFilter, RemovesListedWordsExactlyInListOrder) {
    const struct {
        const char16_t* text;
        const char16_t* filtered;
    } cases[] = {
        {u"", u""},
        {u"碰！一萬，胡了", u"碰！一萬，胡了"},
        {u"他妈的你他妈的", u"你"},
        {u"你这婊子养的", u"你这"},           // the longer word goes whole
        {u"婊子婊子养的", u""},
        {u"shit fuck", u" "},
        {u"Shit FUCK fUck", u"Shit FUCK fUck"},  // exact case only
        {u"他妈淫的", u"他妈的"},             // formed after its own pass: stays
        {u"色淫情", u""},                     // formed before its own pass: goes
        {u"他他妈的妈的", u"他妈的"},         // one pass per word, not repeated
        {u"大黄色狗黄色", u"大狗"},
        {u"郝建仁和贾诚信、甄骗子、牛老千进了千王帮", u"和、、进了"},  // the five names the centre bans
        {u"千王帮他妈的", u""},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(FilterChatText(text), QString::fromUtf16(c.filtered));
    }
}

}  // namespace
