#include "table/DesignPictures.h"
#include "window/ChatFixture.h"
#include "window/ChatInput.h"
#include "window/PhraseFile.h"
#include "window/PhraseWindow.h"
#include "window/TalkWindow.h"
#include <QMouseEvent>

namespace {
using ChatWindows = ChatFixture;

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
}

// A press at (5, 5) of the widget and its release at `releaseAt`.
void Click(QWidget& widget, Qt::MouseButton button, QPointF releaseAt = {5, 5}) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, releaseAt, widget.mapToGlobal(releaseAt), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

TEST(PhraseFile, CountsAreReadAsNumbersAndCapped) {
    const struct {
        const char* value;
        int count;
    } cases[] = {{"2", 2}, {"2abc", 2}, {"abc", 0}, {"", 0}, {"2.5", 2}, {"3.5", 4}, {"2.6", 3},
                 {"-4", 0}, {"40000", 32767}, {"99999999999999999999", 32767}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(PhraseCount(QString::fromLatin1(c.value)), c.count);
    }
}

TEST_F(ChatWindows, ThePhraseListsComeFromThePhraseFile) {
    const struct {
        const char* what;
        QString file;  // null: no file
        QStringList textPhrases, voicePhrases;
    } cases[] = {
        {"no file", QString(), {}, {}},
        {"text phrases only", QStringLiteral("[Phrase1]\nnum=2\n1=A\n2=B\n"), {"A", "B"}, {}},
        {"a missing key", QStringLiteral("[Phrase1]\nnum=3\n1=A\n3=C\n"), {"A", "", "C"}, {}},
        {"a count with letters", QStringLiteral("[Phrase1]\nnum=2x\n1=A\n2=B\n3=C\n[Phrase2]\nnum=x2\n1=V\n"),
         {"A", "B"}, {}},
        {"both, in Chinese", QStringLiteral("[Phrase2]\nnum=2\n1= 你好 \n2=再见\n[Phrase1]\nnum=1\n1=快点\n"),
         {QStringLiteral("快点")}, {QStringLiteral("你好"), QStringLiteral("再见")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(PhraseFilePath());
        if (!c.file.isNull()) WritePhraseFile(c.file);
        t->huifu.reset();
        EXPECT_EQ(Lines(*t->Huifu().List1), c.textPhrases);
        EXPECT_EQ(Lines(*t->Huifu().List2), c.voicePhrases);
    }
}

TEST_F(ChatWindows, AHugePhraseCountIsCapped) {
    WritePhraseFile(QStringLiteral("[Phrase1]\nnum=70000\n1=A\n"));
    EXPECT_EQ(t->Huifu().List1->count(), 32767);
    EXPECT_EQ(t->Huifu().List1->item(0)->text(), QStringLiteral("A"));
}

TEST_F(ChatWindows, ATextPhraseGoesToThePrivateTargetAndEndsPrivateChat) {
    WritePhraseFile(QStringLiteral("[Phrase1]\nnum=2\n1=A\n2=B\n"));
    ClickPortrait(2);
    Type(QStringLiteral("dropped"));
    t->Huifu().show();
    t->Huifu().List1->setCurrentRow(1);
    huifu_List1_DblClick(*t);
    const std::vector<QByteArray> sent = ChatPacketsSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].mid(8, 8).toHex(' '), "00 00 00 01 00 00 00 00");
    EXPECT_EQ(ChatTextHex(sent[0]), "61 6e 6e b6 d4 62 6f 62 cb b5 3a 20 42");  // ann对bob说: B
    EXPECT_TRUE(Box().text().isEmpty());
    EXPECT_TRUE(t->chat.PrivateChatPrefix.isEmpty());
    EXPECT_FALSE(t->Huifu().isVisible());
    EXPECT_TRUE(t.sound->played.empty()) << "a text phrase is not spoken";
}

TEST_F(ChatWindows, AVoicePhraseIsSentWithItsNumberAndSpokenInTheOwnVoice) {
    WritePhraseFile(QStringLiteral("[Phrase2]\nnum=3\n1=A\n2=B\n3=C\n"));
    t->sound.EffectSoundOn = false;  // voice phrases play all the same
    t->Huifu().List2->setCurrentRow(2);
    huifu_List2_DblClick(*t);
    const std::vector<QByteArray> sent = ChatPacketsSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].mid(8, 8).toHex(' '), "00 01 00 00 00 61 00 03");
    EXPECT_EQ(ChatTextHex(sent[0]), "61 6e 6e cb b5 b5 c0 3a 20 43");  // ann说道: C
    ASSERT_EQ(t.sound->played.size(), 1u);
    EXPECT_EQ(t.sound->played[0].path, t->sound.VoiceFolder + QStringLiteral("v002002a3.wav"));
    EXPECT_FALSE(t.sound->played[0].looped);
    EXPECT_GE(t.sound->stops, 1);
    EXPECT_EQ(t.sound->volume, 3000);
}

TEST_F(ChatWindows, DoubleClicksWithoutAPhraseSendNothing) {
    huifu_List2_DblClick(*t);  // the voice list is empty
    WritePhraseFile(QStringLiteral("[Phrase1]\nnum=1\n1=A\n"));
    t->huifu.reset();
    t->Huifu().List1->setCurrentRow(-1);
    huifu_List1_DblClick(*t);  // no line is current
    EXPECT_TRUE(ChatPacketsSent().empty());
    EXPECT_TRUE(t.sound->played.empty());
}

TEST_F(ChatWindows, ThePhraseButtonsToggleTheWindowAndSwitchItsList) {
    PhraseWindow& huifu = t->Huifu();
    MainForm_imgword1_Click(*t);
    ASSERT_TRUE(huifu.isVisible());
    EXPECT_TRUE(huifu.List1->isVisible());
    EXPECT_FALSE(huifu.List2->isVisible());
    const QPoint place = huifu.pos();

    MainForm_imgword2_Click(*t);
    EXPECT_TRUE(huifu.isVisible());
    EXPECT_EQ(huifu.pos(), place);
    EXPECT_FALSE(huifu.List1->isVisible());
    EXPECT_TRUE(huifu.List2->isVisible());

    MainForm_Lbchat_Click(*t);
    EXPECT_TRUE(t->Talk().isVisible()) << "the chat log leaves the phrase window open";
    EXPECT_TRUE(huifu.isVisible());
    MainForm_imgword2_Click(*t);
    EXPECT_FALSE(t->Talk().isVisible()) << "a phrase button hides the chat log in any case";
    EXPECT_FALSE(huifu.isVisible()) << "the same button again closes the window";
}

TEST_F(ChatWindows, TheChatLabelTogglesTheLog) {
    TalkWindow& talk = t->Talk();
    EXPECT_FALSE(talk.isVisible());
    t->mainForm->Lbchat->OnClick();
    EXPECT_TRUE(talk.isVisible());
    EXPECT_TRUE(talk.windowFlags() & Qt::WindowStaysOnTopHint);
    t->mainForm->Lbchat->OnClick();
    EXPECT_FALSE(talk.isVisible());
}

TEST_F(ChatWindows, ALeftClickOnTheTopStripHidesEitherWindow) {
    const struct {
        const char* name;
        Qt::MouseButton button;
        QPointF releaseAt;
        bool hides;
    } gestures[] = {
        {"left click", Qt::LeftButton, {5, 5}, true},
        {"right click", Qt::RightButton, {5, 5}, false},
        {"let go below the strip", Qt::LeftButton, {5, 60}, false},
    };
    for (QWidget* window : {static_cast<QWidget*>(&t->Talk()), static_cast<QWidget*>(&t->Huifu())}) {
        for (const auto& g : gestures) {
            SCOPED_TRACE(testing::Message() << window->windowTitle().toStdString() << ", " << g.name);
            window->show();
            QLabel& strip = window == &t->Talk() ? *t->Talk().Label1 : *t->Huifu().Label1;
            Click(strip, g.button, g.releaseAt);
            EXPECT_EQ(window->isVisible(), !g.hides);
        }
    }
}

TEST_F(ChatWindows, AltThenCInTheLogHidesIt) {
    const struct {
        const char* what;
        std::vector<int> keys;
        bool hidden;
    } cases[] = {
        {"Alt, C", {Qt::Key_Alt, Qt::Key_C}, true},
        {"C, Alt", {Qt::Key_C, Qt::Key_Alt}, true},
        {"Alt, X, C", {Qt::Key_Alt, Qt::Key_X, Qt::Key_C}, false},
        {"C alone", {Qt::Key_C}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        t->window.HotkeyState = {0, 0};
        TalkWindow& talk = t->Talk();
        talk.show();
        for (int key : c.keys) {
            QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_C ? Qt::AltModifier : Qt::NoModifier);
            QApplication::sendEvent(talk.Text1, &press);
        }
        EXPECT_EQ(!talk.isVisible(), c.hidden);
        if (c.hidden) {
            EXPECT_EQ(t->window.HotkeyState, (std::array<int16_t, 2>{0, 0}));
        }
    }
}

TEST_F(ChatWindows, BothWindowsAreTranslucentAndOfTheirDesignSize) {
    EXPECT_NEAR(t->Talk().windowOpacity(), 200.0 / 255.0, 0.005);
    EXPECT_NEAR(t->Huifu().windowOpacity(), 200.0 / 255.0, 0.005);
    EXPECT_EQ(t->Talk().size(), QSize(320, 180));
    EXPECT_EQ(t->Huifu().size(), QSize(319, 180));
    EXPECT_EQ(t->Talk().Text1->geometry(), QRect(8, 16, 305, 158));
    EXPECT_EQ(t->Huifu().List2->geometry(), QRect(8, 18, 305, 154));
    EXPECT_EQ(t->Huifu().List2->toolTip(), QStringLiteral("双击后发送你想说的话"));
    EXPECT_EQ(t->Talk().windowTitle(), QStringLiteral("聊天"));
}

TEST_F(ChatWindows, TheChatStripLiesUnderTheChatLabel) {
    MainForm& f = *t->mainForm;
    ASSERT_NE(f.ChatStrip, nullptr);
    EXPECT_TRUE(f.ChatStrip->isVisible());
    EXPECT_EQ(QRectF(f.ChatStrip->Left(), f.ChatStrip->Top(), f.ChatStrip->Width(), f.ChatStrip->Height()),
              QRectF(594, 694, 25, 33));
    EXPECT_EQ(f.ChatStrip->Picture().toImage(), DesignPicture(DesignPictureId::ChatStrip).toImage());
    const QList<QGraphicsItem*> atStrip = f.scene.items(QPointF(600, 700));
    const auto label = atStrip.indexOf(f.Lbchat), strip = atStrip.indexOf(f.ChatStrip);
    ASSERT_GE(label, 0);
    EXPECT_LT(label, strip) << "the label takes the clicks";
}

// Both windows open over the lower middle of the table, the chat log also
// before the first toggle.
class ChatWindowPlaces : public ::testing::TestWithParam<std::tuple<QSize, QPoint, QPoint>> {};

TEST_P(ChatWindowPlaces, BothWindowsOpenAtTheSameSpot) {
    const auto [screen, firstPlace, expected] = GetParam();
    TestClient t(TestClient::DefaultCommandLine(), screen);
    ASSERT_EQ(t.Load(), std::nullopt);
    EXPECT_EQ(t->Talk().pos(), firstPlace);
    MainForm_Lbchat_Click(*t);
    EXPECT_EQ(t->Talk().pos(), expected);
    MainForm_imgword1_Click(*t);
    EXPECT_EQ(t->Huifu().pos(), expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, ChatWindowPlaces,
                         ::testing::Values(std::make_tuple(QSize(1024, 768), QPoint(307, 507), QPoint(307, 507)),
                                           std::make_tuple(QSize(800, 600), QPoint(240, 396), QPoint(176, 360))));
}  // namespace
