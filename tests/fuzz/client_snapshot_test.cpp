// The fuzzer puts one client back to a snapshot before every input; a client
// put back must behave exactly as it did the first time, or a fault the
// fuzzer finds would not come back when its input is run alone.
#include "support/ClientSnapshot.h"
#include "support/ScriptedHand.h"
#include "support/TestClient.h"
#include "wire/GamePacket.h"
#include "table/Controls.h"
#include "table/MainForm.h"
#include "results/HeroWindow.h"
#include "results/ScoreWindow.h"
#include "window/TalkWindow.h"
#include "dravik-server/ServerPackets.h"
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
QString Describe(const QGraphicsItem& item) {
    QString line = QStringLiteral("item %1,%2 z%3 %4%5")
                       .arg(item.x())
                       .arg(item.y())
                       .arg(item.zValue())
                       .arg(item.isVisible() ? "shown" : "hidden")
                       .arg(item.isEnabled() ? "" : " disabled");
    if (const auto* image = dynamic_cast<const ImageControl*>(&item))
        line += QStringLiteral(" %1x%2 picture %3").arg(image->Width()).arg(image->Height()).arg(image->Picture().cacheKey());
    if (const auto* label = dynamic_cast<const LabelControl*>(&item)) line += QStringLiteral(" \"%1\"").arg(label->Caption());
    return line;
}

QString Describe(const QWidget& widget) {
    QString line = QStringLiteral("widget %1 %2").arg(widget.metaObject()->className()).arg(widget.isHidden() ? "hidden" : "shown");
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        line += QStringLiteral(" \"%1\" picture %2").arg(label->text()).arg(label->pixmap().cacheKey());
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) line += QStringLiteral(" \"%1\"").arg(edit->text());
    if (const auto* list = qobject_cast<const QListWidget*>(&widget))
        for (int i = 0; i < list->count(); ++i) line += QStringLiteral(" \"%1\"").arg(list->item(i)->text());
    return line;
}

// All that the server, the lobby or a person could tell apart: what was sent,
// shown, played and posted, the clock, and how every control looks.
QStringList Observed(TestClient& t) {
    QStringList lines;
    for (const QByteArray& packet : t.Sent()) lines << QStringLiteral("sent ") + packet.toHex();
    for (const ShownDialog& dialog : t.dialogs->shown) lines << QStringLiteral("dialog ") + dialog.text;
    for (const PlayedSound& sound : t.sound->played) lines << QStringLiteral("sound ") + sound.path;
    for (const LobbyFrame& frame : t.lobby->frames) lines << QStringLiteral("lobby %1 %2").arg(frame.caption).arg(frame.msg);
    lines << QStringLiteral("clock %1").arg(t.clock->now, 0, 'f', 3);
    for (const QGraphicsItem* item : t->mainForm->scene.items()) lines << Describe(*item);
    for (const QWidget* window : std::initializer_list<const QWidget*>{t->mainForm.get(), &t->Talk(), &t->Score(), &t->Hero()})
        for (const QWidget* widget : window->findChildren<QWidget*>()) lines << Describe(*widget);
    return lines;
}

// A client that has started and sent its log-in, with its side windows made,
// as the fuzzer keeps it.
class ClientSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        t->Talk();
        t->Score();
        t->Hero();
        started.emplace(t);
    }

    // A whole hand at a table of three computers.
    QStringList PlayAHand() {
        LogInAtScriptedTable(t, 15);
        for (const HandStep& step : ScriptedHand()) PlayStep(t, step);
        return Observed(t);
    }

    TestClient t;
    std::optional<ClientSnapshot> started;
};

TEST_F(ClientSnapshotTest, AClientPutBackPlaysAHandExactlyAsTheFirstTime) {
    const QStringList first = PlayAHand();
    started->Restore(t);
    EXPECT_EQ(PlayAHand(), first);
}

TEST_F(ClientSnapshotTest, AClientPutBackAfterItsEndPlaysAHandExactlyAsTheFirstTime) {
    const QStringList first = PlayAHand();
    started->Restore(t);
    LogInAtScriptedTable(t, 15);
    const std::vector<HandStep> hand = ScriptedHand();
    for (size_t i = 0; i < hand.size() / 2; ++i) PlayStep(t, hand[i]);
    t.Deliver(ToByteArray(LoginReplyPacket(2, 15, 0, {}, {0, 1})));
    EXPECT_THROW(t.Tick(10), ProgramEnded) << "a refused log-in ends the program in the middle of the hand";
    started->Restore(t);
    EXPECT_EQ(PlayAHand(), first);
}

TEST_F(ClientSnapshotTest, AControlMadeSinceTheSnapshotIsReportedInsteadOfKept) {
    const std::function<void(MainForm&)> additions[] = {
        [](MainForm& f) { f.NewImage(); },
        [](MainForm& f) { new QLabel(f.Pic1); },
    };
    for (const auto& add : additions) {
        add(*t->mainForm);
        EXPECT_THROW(started->Restore(t), std::logic_error);
        started.emplace(t);
    }
}

}  // namespace
