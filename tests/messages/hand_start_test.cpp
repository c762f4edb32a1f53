#include "wire/GamePacket.h"
#include "wire/LobbyWindowLink.h"
#include "support/ScriptedHand.h"
#include "support/TableChecks.h"
#include "support/TestClient.h"
#include "table/MainForm.h"
#include "table/Pictures.h"
#include "platform/CaptureControl.h"
#include "window/ButtonRow.h"
#include "window/ExitDialog.h"
#include <gtest/gtest.h>

namespace {
constexpr uint32_t kSysCommand = 0x112;
const QString kLobby = QStringLiteral("Jokro山庄");

bool ShowsResource(const ImageControl& control, int id) {
    return control.Picture().toImage() == PictureOfResource(id).toImage();
}

class HandStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(t.Load(), std::nullopt);
        t.Tick(4);
        for (int s = 0; s < 4; ++s) t->seatInfo[s].SeatBit = kSeatBits[s];
    }
    void Receive(const GameMessage& m) {
        t.Deliver(ToByteArray(EncodeGamePacket(m)));
        t.Tick(2);
    }
    MainForm& Form() { return *t->mainForm; }

    TestClient t;
};

TEST_F(HandStartTest, HandSetupRearmsTheTableAndNamesDealerWildTileAndThrowTotals) {
    const std::pair<uint8_t, QString> winds[] = {{1, "北"}, {2, "西"}, {4, "南"}, {8, "东"}};
    for (const auto& [bit, wind] : winds) {
        t->table.TableCleared = false;
        t->table.LastDiscardImage = 5;
        t->window.AnNiuUsed[2] = false;
        Receive(HandMessage(MessageType::HandSetup, bit, {7, 9, 0x25, 0x24}));
        EXPECT_EQ(Form().Zhuang->Caption(), wind);
        EXPECT_EQ(t->table.DealerBit, bit);
    }
    const TableState& s = t->table;
    EXPECT_EQ(s.WildTile, 0x25);
    EXPECT_EQ(s.WildIndicator, 0x24);
    EXPECT_EQ(s.Dice, (std::array<int16_t, 2>{7, 9}));
    EXPECT_TRUE(s.TableCleared);
    EXPECT_EQ(s.LastDiscardImage, -1);
    EXPECT_TRUE(t->window.AnNiuUsed[2]);
    EXPECT_TRUE(Form().Host->isVisible());
    EXPECT_TRUE(Form().Zhuang->isVisible());
    for (int k = 0; k < 3; ++k) {
        EXPECT_FALSE(Form().AnNiu[k]->isEnabled()) << k;
        EXPECT_TRUE(ShowsResource(*Form().AnNiu[k], t->resourceIds.BarButtonIds[2 * k + 1])) << k;
    }
}

TEST_F(HandStartTest, TheDiceAndTheDealersSeatFixTheWallBreak) {
    struct Case {
        int dealer;
        std::array<int16_t, 4> dice;
        int16_t front, back;
    };
    const Case cases[] = {
        {0, {3, 4, 2, 5}, 96, 94},
        {2, {6, 6, 6, 6}, 14, 12},  // past the last position
        {1, {1, 1, 1, 1}, 8, 6},
        {0, {0, 0, 0, 0}, 110, 108},  // a die of 0 counts as 1
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "dealer " << k.dealer << " dice " << k.dice[0] << k.dice[1] << k.dice[2] << k.dice[3]);
        for (SeatInfo& seat : t->seatInfo) seat.DealerFlag = 0;
        Receive(HandMessage(MessageType::HandStart, kSeatBits[k.dealer], k.dice));
        EXPECT_EQ(t->table.WallFront, k.front);
        EXPECT_EQ(t->table.WallBack, k.back);
        for (int s = 0; s < 4; ++s) EXPECT_EQ(t->seatInfo[s].DealerFlag, s == k.dealer ? -1 : 0);
    }
}

TEST_F(HandStartTest, HandStartCountsTheHandAndClearsWhatTheLastHandLeft) {
    TableState& s = t->table;
    s.HandStarted = 5;
    s.MustLeaveTable = true;
    s.HandNumber = 3;
    t->computer.SeenTiles[3][5] = 2;
    t->computer.WeakSuitStale = 0;
    Form().Label3->SetCaption(QStringLiteral("x"));
    for (auto* mark : Form().OK) mark->setVisible(true);
    for (auto* button : Form().Operation) {
        button->setVisible(true);
        button->setEnabled(true);
    }
    t->video.CaptureOn = true;
    t.camera->startSucceeds = true;
    Form().vcap1->OpenCapture();
    Form().vcap1->StartCapture();

    Receive(HandMessage(MessageType::HandStart, kSeatBits[0], {3, 4, 2, 5}));

    EXPECT_EQ(s.HandStarted, 1);
    EXPECT_TRUE(s.InGame);
    EXPECT_FALSE(s.MustLeaveTable);
    EXPECT_EQ(s.HandNumber, 4);
    EXPECT_TRUE(t->window.ResultPending);
    EXPECT_TRUE(t->scheduler.BlinkJobOn);
    EXPECT_EQ(t->computer.WeakSuitStale, 1);
    for (const auto& suit : t->computer.SeenTiles) EXPECT_EQ(suit, (std::array<int16_t, 10>{}));
    EXPECT_EQ(Form().Label3->Caption(), QString());
    for (auto* mark : Form().OK) EXPECT_FALSE(mark->isVisible());
    for (int k = 0; k < 5; ++k) {
        const ImageControl& button = *Form().Operation[k];
        EXPECT_FALSE(button.isVisible()) << k;
        EXPECT_FALSE(button.isEnabled()) << k;
        EXPECT_TRUE(ShowsResource(button, t->resourceIds.ActionButtonIds[3 * k])) << k;
    }
    EXPECT_TRUE(Form().ZhiNan->isVisible());
    EXPECT_TRUE(Form().Host->isVisible());
    EXPECT_TRUE(Form().Zhuang->isVisible());
    EXPECT_FALSE(Form().vcap1->Capturing());
    EXPECT_FALSE(s.TableCleared);  // a player's table is re-armed only by the hand set-up
}

// A leaving question asked between hands carries no warning: the hand start
// takes it away, and asked again it warns. A dialog that is not showing is left as it is.
TEST_F(HandStartTest, HandStartUnloadsAnExitDialogThatShows) {
    enum class Dialog { Shown, Hidden, NeverOpened };
    for (Dialog before : {Dialog::Shown, Dialog::Hidden, Dialog::NeverOpened}) {
        SCOPED_TRACE(int(before));
        t->frmExit.reset();
        t->table.InGame = false;
        if (before != Dialog::NeverOpened) {
            ToggleExitDialog(*t);
            ASSERT_FALSE(t->frmExit->Label2->isVisible());
            if (before == Dialog::Hidden) ToggleExitDialog(*t);
        }
        const ExitDialog* dialogBefore = t->frmExit.get();

        Receive(HandMessage(MessageType::HandStart, kSeatBits[0], {3, 4, 2, 5}));

        EXPECT_EQ(t->frmExit.get(), before == Dialog::Hidden ? dialogBefore : nullptr);
        ToggleExitDialog(*t);
        EXPECT_TRUE(t->frmExit->isVisible());
        EXPECT_TRUE(t->frmExit->Label2->isVisible()) << "asked during the hand";
    }
}

// The server may start the hand while the start button is still free (its
// own waiting time ran out first); a click on the button then must neither
// clear the table nor send a ready message.
TEST_F(HandStartTest, TheStartButtonIsSpentOnceAHandStarts) {
    t->window.AnNiuUsed[2] = false;
    Receive(HandMessage(MessageType::HandStart, kSeatBits[0], {3, 4, 2, 5}));
    EXPECT_TRUE(t->window.AnNiuUsed[2]);
    const auto sentBefore = t.Sent().size();
    MainForm_AnNiu_Click(*t, 2);
    t.Tick(4);
    EXPECT_EQ(t.Sent().size(), sentBefore);
    EXPECT_TRUE(t->table.InGame);
}

TEST_F(HandStartTest, ASpectatorsHandStartRearmsTheTable) {
    t->table.SpectatorMode = true;
    t->table.TableCleared = false;
    t->seatInfo[2].ConcealedCount = 5;
    Receive(HandMessage(MessageType::HandStart, kSeatBits[0], {3, 4, 2, 5}));
    EXPECT_TRUE(t->table.TableCleared);
    EXPECT_EQ(t->seatInfo[2].ConcealedCount, 0);
}

TEST_F(HandStartTest, AnUnseatedDealerEndsTheClientAfterTheWallIsBuilt) {
    EXPECT_THROW(Receive(HandMessage(MessageType::HandStart, 3, {3, 4, 2, 5})), ProgramEnded);
    ASSERT_EQ(t.dialogs->shown.size(), 1u);
    EXPECT_EQ(t.dialogs->shown[0].text, QStringLiteral("有玩家退出，游戏结束！"));
    const auto toLobby = t.lobby->MessagesTo(kLobby);
    ASSERT_GE(toLobby.size(), 2u);
    EXPECT_EQ(toLobby.back(), kSysCommand);
    EXPECT_EQ(toLobby[toLobby.size() - 2], LobbyMessage::WallBuilt);
}

TEST_F(HandStartTest, ADieBeyondSixEndsTheClient) {
    for (int16_t die : {7, 255}) {
        TestClient other;
        ASSERT_EQ(other.Load(), std::nullopt);
        other.Tick(4);
        for (int s = 0; s < 4; ++s) other->seatInfo[s].SeatBit = kSeatBits[s];
        other.Deliver(ToByteArray(EncodeGamePacket(HandMessage(MessageType::HandStart, 1, {3, die, 2, 5}))));
        EXPECT_THROW(other.Tick(2), ProgramEnded) << die;
        EXPECT_EQ(other.lobby->MessagesTo(kLobby).back(), kSysCommand);
        EXPECT_TRUE(other.dialogs->shown.empty());
    }
}

TEST_F(HandStartTest, WildTileSetReplacesWildTileAndIndicatorAndRedrawsNothing) {
    Receive(HandMessage(MessageType::HandSetup, 1, {7, 9, 0x25, 0x24}));
    const auto pictures = t->table.TileImagePictures;
    Receive(HandMessage(MessageType::WildTileSet, 1, {0, 0, 0x37, 0x36}));
    EXPECT_EQ(t->table.WildTile, 0x37);
    EXPECT_EQ(t->table.WildIndicator, 0x36);
    EXPECT_EQ(t->table.TileImagePictures, pictures);
}
}  // namespace
