#include "window/ChatFixture.h"
#include "window/ChatInput.h"
#include "window/ChatSending.h"
#include "window/PhraseWindow.h"
#include "window/TalkWindow.h"
#include <functional>

namespace {
using ChatInput = ChatFixture;

// Each kind of line on the wire: type 19, the own seat bit, the voice fields
// and the target's seat bit, and the wording in GBK from byte 16.
TEST_F(ChatInput, EachKindOfLineGoesOutWithItsBytes) {
    WritePhraseFile(QStringLiteral("[Phrase1]\nnum=1\n1=再来一局吧！\n[Phrase2]\nnum=3\n1=a\n2=b\n3=不要吵了，专心玩游戏吧。\n"));
    const struct {
        const char* kind;
        std::function<void()> send;
        std::array<int16_t, 4> params;
        const char* textHex;
    } cases[] = {
        {"public line", [&] { Type(QStringLiteral("你好")); Enter(); }, {0, 0, 0, 0},
         "61 6e 6e cb b5 b5 c0 3a 20 c4 e3 ba c3"},  // ann说道: 你好
        {"private line", [&] { ClickPortrait(2); Type(QStringLiteral("你好")); Enter(); }, {0, 1, 0, 0},
         "61 6e 6e b6 d4 62 6f 62 cb b5 3a 20 c4 e3 ba c3"},  // ann对bob说: 你好
        {"text phrase", [&] {
             t->Huifu().List1->setCurrentRow(0);
             huifu_List1_DblClick(*t);
         }, {0, 0, 0, 0},
         "61 6e 6e cb b5 b5 c0 3a 20 d4 d9 c0 b4 d2 bb be d6 b0 c9 a3 a1"},  // ann说道: 再来一局吧！
        {"private voice phrase", [&] {
             ClickPortrait(2);
             t->Huifu().List2->setCurrentRow(2);
             huifu_List2_DblClick(*t);
         }, {1, 1, 97, 3},
         "61 6e 6e b6 d4 62 6f 62 cb b5 3a 20 b2 bb d2 aa b3 b3 c1 cb a3 ac d7 a8 d0 c4 cd e6 d3 ce cf b7 b0 c9 a1 a3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        t.socket->sent.clear();
        MainForm_TimerChat_Timer(*t);
        c.send();
        const std::vector<QByteArray> sent = ChatPacketsSent();
        ASSERT_EQ(sent.size(), 1u);
        const QByteArray& packet = sent[0];
        EXPECT_EQ(packet.left(8).toHex(' '), "00 00 00 13 00 00 04 00");
        QByteArray params;
        for (int16_t p : c.params) params += char(uint16_t(p) >> 8), params += char(p & 0xff);
        EXPECT_EQ(packet.mid(8, 8).toHex(' '), params.toHex(' '));
        EXPECT_EQ(ChatTextHex(packet), QByteArray(c.textHex));
        const qsizetype textEnd = PacketOffset::Payload + ChatTextHex(packet).count(' ') + 1;
        EXPECT_EQ(packet.mid(textEnd, 260 - textEnd), QByteArray(260 - textEnd, '\0')) << "zeros after the text";
        EXPECT_TRUE(Box().text().isEmpty());
        EXPECT_TRUE(t->chat.PrivateChatPrefix.isEmpty()) << "a private choice lasts one line";
    }
}

TEST_F(ChatInput, EnterSendsAtMostOneLinePer800Ms) {
    QListWidget& log = *t->Talk().Text1;
    Enter();
    EXPECT_FALSE(t->window.ChatAllowed) << "an Enter on an empty box starts the throttle too";
    EXPECT_TRUE(t->TimerChat.Enabled());

    Type(QStringLiteral("你好"));
    Enter();
    ASSERT_EQ(log.count(), 1);
    EXPECT_EQ(log.item(0)->text(), QStringLiteral("（发送消息太快！）"));
    EXPECT_TRUE(Box().text().isEmpty()) << "the text is lost";
    Enter();
    EXPECT_EQ(log.count(), 1) << "an empty box gives no warning";
    EXPECT_TRUE(ChatPacketsSent().empty());

    MainForm_TimerChat_Timer(*t);
    EXPECT_TRUE(t->window.ChatAllowed);
    EXPECT_FALSE(t->TimerChat.Enabled());
    Type(QStringLiteral("再见"));
    Enter();
    EXPECT_EQ(ChatPacketsSent().size(), 1u);
    EXPECT_TRUE(Box().text().isEmpty());
}

TEST_F(ChatInput, LinesWithNothingToSayAreNotSent) {
    const struct {
        const char* what;
        int portrait;  // 0: public chat
        QString typedAfterPrefix;
    } cases[] = {
        {"three blanks", 0, QStringLiteral("   ")},
        {"the bare prefix", 2, QString()},
        {"the prefix and blanks", 2, QStringLiteral("  ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MainForm_TimerChat_Timer(*t);
        if (c.portrait) ClickPortrait(c.portrait);
        Type(c.typedAfterPrefix);
        Enter();
        EXPECT_TRUE(ChatPacketsSent().empty());
        EXPECT_TRUE(Box().text().isEmpty()) << "Enter empties the box all the same";
        EXPECT_EQ(t->chat.PrivateChatPrefix.isEmpty(), c.portrait == 0) << "private chat stays chosen";
        t->chat.PrivateChatPrefix.clear();
    }
}

// As the send button uses it: no throttle, and a refused text stays in the box.
TEST_F(ChatInput, SendingWithoutEnterKeepsARefusedTextAndIgnoresTheThrottle) {
    Box().setText(QStringLiteral("   "));
    SendChatLine(*t);
    EXPECT_EQ(Box().text(), QStringLiteral("   "));
    EXPECT_TRUE(ChatPacketsSent().empty());

    t->window.ChatAllowed = false;
    Box().setText(QStringLiteral("你好"));
    SendChatLine(*t);
    EXPECT_EQ(ChatPacketsSent().size(), 1u);
    EXPECT_TRUE(Box().text().isEmpty());
}

TEST_F(ChatInput, TheBoxHolds100CharactersAndTheWholeLineIsCutTo100) {
    Type(QString(101, QChar(u'中')));
    EXPECT_EQ(Box().text().size(), 100);
    Enter();
    const std::vector<QByteArray> sent = ChatPacketsSent();
    ASSERT_EQ(sent.size(), 1u);
    // "ann说道: " is 7 characters, so 93 of the typed ones go out.
    QByteArray expected = "61 6e 6e cb b5 b5 c0 3a 20";
    for (int i = 0; i < 93; ++i) expected += " d6 d0";
    EXPECT_EQ(ChatTextHex(sent[0]), expected);
}

TEST_F(ChatInput, APrivateLineIsFollowedByAPublicOne) {
    ClickPortrait(2);
    Type(QStringLiteral("a"));
    Enter();
    MainForm_TimerChat_Timer(*t);
    Type(QStringLiteral("b"));
    Enter();
    const std::vector<QByteArray> sent = ChatPacketsSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].mid(10, 2).toHex(), "0001");
    EXPECT_EQ(ChatTextHex(sent[0]), "61 6e 6e b6 d4 62 6f 62 cb b5 3a 20 61");  // ann对bob说: a
    EXPECT_EQ(sent[1].mid(10, 2).toHex(), "0000");
    EXPECT_EQ(ChatTextHex(sent[1]), "61 6e 6e cb b5 b5 c0 3a 20 62");  // ann说道: b
}

TEST_F(ChatInput, APortraitClickChoosesOrSwapsThePrivateTarget) {
    ClickPortrait(1);
    Type(QStringLiteral("hi"));
    EXPECT_EQ(Box().text(), QStringLiteral("你对cat说: hi"));
    EXPECT_EQ(t->chat.PrivateChatSeat, 8);
    EXPECT_EQ(Box().cursorPosition(), Box().text().size());

    ClickPortrait(3);
    EXPECT_EQ(Box().text(), QStringLiteral("你对dan说: hi")) << "the typed text stays behind the new prefix";
    EXPECT_EQ(t->chat.PrivateChatSeat, 2);
    ClickPortrait(3);
    EXPECT_EQ(Box().text(), QStringLiteral("你对dan说: hi")) << "the same portrait again changes nothing";

    Box().setText(QStringLiteral("xx你对dan说: yy"));
    ClickPortrait(2);
    EXPECT_EQ(Box().text(), QStringLiteral("你对bob说: xxyy")) << "the old prefix goes where it stands";
}

TEST_F(ChatInput, PortraitClicksThatChooseNobodyAreIgnored) {
    const struct {
        const char* what;
        int portrait;
        std::function<void()> arrange;
    } cases[] = {
        {"before the log-in", 2, [&] { t->connection.LoggedIn = false; }},
        {"the own portrait", 0, [] {}},
        {"an empty seat", 3, [&] { t->playerInfo[3].NickName.clear(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        Box().setText(QStringLiteral("hi"));
        ClickPortrait(c.portrait);
        EXPECT_EQ(Box().text(), QStringLiteral("hi"));
        EXPECT_TRUE(t->chat.PrivateChatPrefix.isEmpty());
    }
}

TEST_F(ChatInput, BackspaceIntoThePrefixRemovesItWhole) {
    const QString prefix = QStringLiteral("你对bob说: ");
    const struct {
        const char* what;
        QString text;
        int caret;
        QString after;
        bool stillPrivate;
    } cases[] = {
        {"just after the prefix", prefix + QStringLiteral("你好"), int(prefix.size()), QStringLiteral("你好"), false},
        {"inside the prefix", prefix + QStringLiteral("你好"), 3, QStringLiteral("你好"), false},
        {"beyond the prefix", prefix + QStringLiteral("你好"), int(prefix.size()) + 2, prefix + QStringLiteral("你"), true},
        {"the prefix after other text", QStringLiteral("ab") + prefix + QStringLiteral("hi"), 1, QStringLiteral("abhi"), false},
        // The prefix has left the box: the key deletes as usual and private chat ends.
        {"the prefix already gone", QStringLiteral("abc"), 2, QStringLiteral("ac"), false},
        // Nothing to delete: no change follows, and nothing is left marked.
        {"an empty box", QString(), 0, QString(), true},
        {"the caret at the start", prefix + QStringLiteral("hi"), 0, prefix + QStringLiteral("hi"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClickPortrait(2);
        Box().setText(c.text);
        Box().setCursorPosition(c.caret);
        Backspace();
        EXPECT_EQ(Box().text(), c.after);
        EXPECT_EQ(!t->chat.PrivateChatPrefix.isEmpty(), c.stillPrivate);
        if (!c.stillPrivate) {
            EXPECT_EQ(t->chat.PrivateChatSeat, 0);
            EXPECT_EQ(Box().cursorPosition(), Box().text().size());
        }
        EXPECT_FALSE(t->chat.PrefixBackspaced);
        t->chat.PrivateChatPrefix.clear();
    }
}

TEST_F(ChatInput, AnyKeyEmptiesAChatLogOfMoreThan100Lines) {
    for (int lines : {100, 101}) {
        SCOPED_TRACE(lines);
        QListWidget& log = *t->Talk().Text1;
        log.clear();
        for (int i = 0; i < lines; ++i) log.addItem(QString::number(i));
        Key(Qt::Key_A, QStringLiteral("a"));
        EXPECT_EQ(log.count(), lines > 100 ? 0 : lines);
    }
}

TEST_F(ChatInput, EnterDoesNothingForASpectator) {
    t->table.SpectatorMode = true;
    Type(QStringLiteral("你好"));
    Enter();
    EXPECT_EQ(Box().text(), QStringLiteral("你好"));
    EXPECT_TRUE(t->window.ChatAllowed);
    EXPECT_TRUE(ChatPacketsSent().empty());
}
}  // namespace
