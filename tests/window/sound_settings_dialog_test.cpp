#include "support/TestClient.h"
#include "table/Controls.h"
#include "table/Pictures.h"
#include "window/SoundSettingsDialog.h"
#include <QCoreApplication>
#include <QGraphicsView>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {
constexpr int kMusic = 0, kSystemSounds = 1, kEffectSounds = 2, kDialect = 3;
constexpr int kOk = 0, kCancel = 1;

// A seated client whose voices the seating has assigned.
class SoundSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        const uint8_t sexes[] = {1, 0, 1, 2};
        for (int s = 0; s < 4; ++s) {
            t->playerInfo[s].VoiceCode = QStringLiteral("00");
            t->playerInfo[s].Sex = sexes[s];
            t->playerInfo[s].VoiceSet = QStringLiteral("99");
            t->table.SeatVoiceSet[s] = QStringLiteral("%1").arg(10 * (s + 1));
        }
        t.sound->played.clear();
        t.sound->stops = 0;
        t.sound->volume = -1;
    }

    SoundSettingsDialog& Dialog() { return t->VosSet(); }
    QImage DialogPicture(int entry) { return PictureOfResource(t->resourceIds.DialogButtonIds[entry]).toImage(); }
    QImage ShownPicture(const ImageControl* control) { return control->Picture().toImage(); }
    std::array<QString, 4> VoiceCodes() {
        std::array<QString, 4> codes;
        for (int s = 0; s < 4; ++s) codes[s] = t->playerInfo[s].VoiceCode;
        return codes;
    }
    static std::array<QString, 4> AllCodes(const char* code) {
        const QString text = QString::fromLatin1(code);
        return {text, text, text, text};
    }
    // The three switches, in option order.
    std::array<bool, 3> Switches() { return {t->sound.MusicOn, t->sound.SystemSoundOn, t->sound.EffectSoundOn}; }

    TestClient t;
};

TEST_F(SoundSettingsTest, TheLoadPlacesTheButtonsByTheSizesTheirPicturesGive) {
    // A sound failure at start does not change the start pictures.
    t->sound.EffectSoundOn = false;
    SoundSettingsDialog& d = Dialog();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("音效设置"));
    EXPECT_EQ(d.size(), QSize(220, 330));
    EXPECT_NEAR(d.windowOpacity(), 200.0 / 255.0, 0.01);
    EXPECT_FALSE(d.isVisible()) << "loading does not show it";

    struct Place {
        const ImageControl* control;
        double left, top, width, height;
        int picture;
    };
    const Place places[] = {
        {d.Command1[kOk], 28, 264, 70, 29, 0},
        {d.Command1[kCancel], 126, 264, 70, 29, 2},  // 28 + 1.4 x 70
        {d.Command2[kMusic], 127, 43, 64, 26, 4},
        {d.Command2[kSystemSounds], 127, 99, 64, 26, 4},
        {d.Command2[kEffectSounds], 127, 155, 64, 26, 4},
        {d.Command2[kDialect], 127, 211, 64, 26, 6},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.left + p.top);
        EXPECT_DOUBLE_EQ(p.control->Left(), p.left);
        EXPECT_DOUBLE_EQ(p.control->Top(), p.top);
        EXPECT_DOUBLE_EQ(p.control->Width(), p.width);
        EXPECT_DOUBLE_EQ(p.control->Height(), p.height);
        EXPECT_EQ(ShownPicture(p.control), DialogPicture(p.picture));
        EXPECT_EQ(p.control->MousePointer(), 99);
        EXPECT_TRUE(p.control->isVisible());
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(d.Image1[i]->Left(), 16);
        EXPECT_DOUBLE_EQ(d.Image1[i]->Top(), 40 + 56 * i);
        EXPECT_EQ(d.Image1[i]->GivenPicture().Size(), QSize(91, 35));
        EXPECT_FALSE(d.SettingChanged[i]);
    }
}

TEST_F(SoundSettingsTest, MusicStopsAndComesBackLoopedAtFullVolume) {
    VosSet_Command2_Click(*t, kMusic);
    EXPECT_FALSE(t->sound.MusicOn);
    EXPECT_EQ(t.sound->stops, 1);
    EXPECT_TRUE(t.sound->played.empty());
    EXPECT_EQ(ShownPicture(Dialog().Command2[kMusic]), DialogPicture(5));

    VosSet_Command2_Click(*t, kMusic);
    EXPECT_TRUE(t->sound.MusicOn);
    ASSERT_EQ(t.sound->played.size(), 1u);
    EXPECT_EQ(t.sound->played[0].path, t->sound.WavePath[1]);
    EXPECT_TRUE(t->sound.WavePath[1].endsWith(QStringLiteral("majiang.wav")));
    EXPECT_TRUE(t.sound->played[0].looped);
    EXPECT_EQ(t.sound->volume, 3000);
    EXPECT_EQ(ShownPicture(Dialog().Command2[kMusic]), DialogPicture(4));
}

TEST_F(SoundSettingsTest, SystemAndEffectSoundsSwitchOnlyTheirFlagAndPicture) {
    for (int option : {kSystemSounds, kEffectSounds}) {
        SCOPED_TRACE(option);
        const std::array<bool, 3> before = Switches();
        VosSet_Command2_Click(*t, option);
        std::array<bool, 3> expected = before;
        expected[option] = !before[option];
        EXPECT_EQ(Switches(), expected);
        EXPECT_EQ(ShownPicture(Dialog().Command2[option]), DialogPicture(5));
        VosSet_Command2_Click(*t, option);
        EXPECT_EQ(Switches(), before);
        EXPECT_EQ(ShownPicture(Dialog().Command2[option]), DialogPicture(4));
        EXPECT_EQ(t.sound->stops, 0);
        EXPECT_TRUE(t.sound->played.empty());
        EXPECT_EQ(VoiceCodes(), AllCodes("00"));
    }
}

TEST_F(SoundSettingsTest, TheDialectButtonSwitchesAllFourSeatsByTheOwnCode) {
    struct Case {
        const char* own;
        const char* after;
    };
    for (const Case& k : {Case{"00", "27"}, Case{"27", "00"}, Case{"", "00"}, Case{"31", "00"}}) {
        SCOPED_TRACE(k.own);
        t->playerInfo[0].VoiceCode = QString::fromLatin1(k.own);
        t->playerInfo[2].VoiceCode = QStringLiteral("xx");
        VosSet_Command2_Click(*t, kDialect);
        EXPECT_EQ(VoiceCodes(), AllCodes(k.after));
        EXPECT_EQ(ShownPicture(Dialog().Command2[kDialect]), DialogPicture(6));
    }
}

TEST_F(SoundSettingsTest, CancelSwitchesBackWhatWasSwitchedAnOddNumberOfTimes) {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        std::array<bool, 3> switchesBeforeCancel;
    };
    const Case cases[] = {
        {"nothing", {}, {true, true, true}},
        {"music once", {kMusic}, {false, true, true}},
        {"music twice", {kMusic, kMusic}, {true, true, true}},
        {"all three", {kMusic, kSystemSounds, kEffectSounds}, {false, false, false}},
        {"effects twice, system once", {kEffectSounds, kSystemSounds, kEffectSounds}, {true, false, true}},
        {"dialect twice", {kDialect, kDialect}, {true, true, true}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        for (int option : k.clicks) VosSet_Command2_Click(*t, option);
        EXPECT_EQ(Switches(), k.switchesBeforeCancel);
        const int playsBefore = int(t.sound->played.size());
        Dialog().show();
        VosSet_Command1_Click(*t, kCancel);
        EXPECT_FALSE(Dialog().isVisible());
        EXPECT_EQ(Switches(), (std::array<bool, 3>{true, true, true}));
        EXPECT_EQ(VoiceCodes(), AllCodes("00"));
        EXPECT_EQ(int(t.sound->played.size()) - playsBefore, k.switchesBeforeCancel[kMusic] ? 0 : 1)
            << "music switched back on plays again";
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ShownPicture(Dialog().Command2[i]), DialogPicture(4));
        EXPECT_EQ(Dialog().SettingChanged, (std::array<bool, 4>{}));
    }
}

TEST_F(SoundSettingsTest, CancelBringingTheDialectBackRestoresTheSeatingsVoiceSetsOfSeatsWithSexOne) {
    for (PlayerInfo& player : t->playerInfo) player.VoiceCode = QStringLiteral("27");
    VosSet_Command2_Click(*t, kDialect);
    ASSERT_EQ(VoiceCodes(), AllCodes("00"));
    VosSet_Command1_Click(*t, kCancel);
    EXPECT_EQ(VoiceCodes(), AllCodes("27"));
    const char* expected[] = {"10", "99", "30", "99"};  // seats 0 and 2 have Sex 1
    for (int s = 0; s < 4; ++s) EXPECT_EQ(t->playerInfo[s].VoiceSet, QString::fromLatin1(expected[s])) << s;

    // Switched back to Mandarin, the voice sets stay as they are.
    t->playerInfo[1].VoiceSet = QStringLiteral("77");
    VosSet_Command2_Click(*t, kDialect);
    VosSet_Command1_Click(*t, kCancel);
    EXPECT_EQ(VoiceCodes(), AllCodes("27"));
    EXPECT_EQ(t->playerInfo[1].VoiceSet, QStringLiteral("77"));
}

TEST_F(SoundSettingsTest, OkKeepsTheSwitchesAndForgetsWhatChanged) {
    VosSet_Command2_Click(*t, kMusic);
    VosSet_Command2_Click(*t, kDialect);
    Dialog().show();
    VosSet_Command1_Click(*t, kOk);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(t->sound.MusicOn);
    EXPECT_EQ(VoiceCodes(), AllCodes("27"));
    EXPECT_EQ(Dialog().SettingChanged, (std::array<bool, 4>{}));
    VosSet_Command1_Click(*t, kCancel);
    EXPECT_FALSE(t->sound.MusicOn) << "a Cancel after OK has nothing to switch back";
    EXPECT_EQ(VoiceCodes(), AllCodes("27"));
}

TEST_F(SoundSettingsTest, AHideFromElsewhereKeepsWhatChangedForALaterCancel) {
    VosSet_Command2_Click(*t, kSystemSounds);
    Dialog().hide();
    Dialog().show();
    VosSet_Command1_Click(*t, kCancel);
    EXPECT_TRUE(t->sound.SystemSoundOn);
}

TEST_F(SoundSettingsTest, CancelSwitchesEffectsFromTheirCurrentValue) {
    // Off since a sound failure at start, switched on, then cleared by another failure.
    t->sound.EffectSoundOn = false;
    VosSet_Command2_Click(*t, kEffectSounds);
    ASSERT_TRUE(t->sound.EffectSoundOn);
    t->sound.EffectSoundOn = false;
    VosSet_Command1_Click(*t, kCancel);
    EXPECT_TRUE(t->sound.EffectSoundOn) << "Cancel switches the flag as it is now";
    EXPECT_EQ(ShownPicture(Dialog().Command2[kEffectSounds]), DialogPicture(4));
}

TEST_F(SoundSettingsTest, AClickNeedsThePressAndTheReleaseOnTheSameButton) {
    SoundSettingsDialog& d = Dialog();
    d.show();
    auto* view = d.findChild<QGraphicsView*>();
    ASSERT_NE(view, nullptr);
    auto send = [view](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &event);
    };
    const QPointF onMusic(140, 50), onSystem(140, 105), onCancel(150, 270);
    send(QEvent::MouseButtonPress, onMusic);
    send(QEvent::MouseButtonRelease, onSystem);
    EXPECT_EQ(Switches(), (std::array<bool, 3>{true, true, true})) << "released elsewhere: no click";

    send(QEvent::MouseButtonPress, onMusic);
    send(QEvent::MouseButtonRelease, onMusic);
    EXPECT_FALSE(t->sound.MusicOn);
    send(QEvent::MouseButtonPress, onCancel);
    send(QEvent::MouseButtonRelease, onCancel);
    EXPECT_TRUE(t->sound.MusicOn);
    EXPECT_FALSE(d.isVisible());
}
}  // namespace
