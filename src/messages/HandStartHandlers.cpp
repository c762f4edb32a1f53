#include "wire/General.h"
#include "wire/LobbyWindowLink.h"
#include "messages/MessageHandlers.h"
#include "messages/ServerMessageDispatch.h"
#include "messages/SetupWallBreak.h"
#include "play/ClaimAnswers.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/Animations.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/StackingOrder.h"
#include "table/WallLayout.h"
#include "platform/CaptureControl.h"
#include "window/ExitDialog.h"
#include <string>

namespace {
constexpr int kWallTiles = 136;
constexpr int kFirstBarButtonsDisabled = 3;
// The dealer's wind by the index of its seat bit.
const QString kDealerWinds = QStringLiteral("北西南东北西南");
const QString kDealerGone = QStringLiteral("有玩家退出，游戏结束！");

void ShowDealerPlate(MainForm& f) {
    f.Host->setVisible(true);
    f.Zhuang->setVisible(true);
    BringToFront(*f.Zhuang);
}

// The wall break of the dice; a die beyond 6 would turn the wall term negative.
int16_t WallBreakFront(int dealerSeat, const std::array<int16_t, 4>& dice) {
    for (int16_t die : dice)
        if (die < 1 || die > 6) throw RuntimeError("die of " + std::to_string(die) + " from the server");
    return WallBreak(dealerSeat, dice[0] + dice[1], dice[2] + dice[3]);
}

// The dealer's flag, the dice thrown on screen and the wall break. The
// dice throw turns a die of 0 into 1 in the message itself.
bool MarkDealer(Client& c, GameMessage& msg) {
    for (int seat = 0; seat < 4; ++seat) {
        if (c.seatInfo[seat].SeatBit != msg.SeatBit) continue;
        c.seatInfo[seat].DealerFlag = -1;
        RollDice(c, static_cast<int16_t>(seat), msg.Param);
        TableState& t = c.table;
        t.WallFront = WallBreakFront(seat, msg.Param);
        t.WallBack = static_cast<int16_t>((t.WallFront + kWallTiles - 2) % kWallTiles);
        return true;
    }
    return false;
}
}  // namespace

void HandleHandSetup(Client& c, GameMessage& msg) {
    MainForm& f = *c.mainForm;
    TableState& t = c.table;
    c.window.AnNiuUsed[2] = true;
    RearmTable(c);
    for (int k = 0; k < kFirstBarButtonsDisabled; ++k) {
        f.AnNiu[k]->setEnabled(false);
        SetPictureFromResource(c, *f.AnNiu[k], c.resourceIds.BarButtonIds[2 * k + 1]);
    }
    f.Zhuang->SetCaption(kDealerWinds.mid(BitToIndex(msg.SeatBit), 1));
    ShowDealerPlate(f);
    t.DealerBit = msg.SeatBit;
    t.WildTile = msg.Param[2];
    t.WildIndicator = msg.Param[3];
    t.Dice = {msg.Param[0], msg.Param[1]};
    MarkSetupDealer(c);
}

void HandleHandStart(Client& c, GameMessage& msg) {
    MainForm& f = *c.mainForm;
    TableState& t = c.table;
    f.Label3->SetCaption(QString());
    // A leaving question asked before the hand began lacks the warning that
    // running away now costs points: it goes, and asked again it warns.
    if (c.frmExit && c.frmExit->isVisible()) c.frmExit.reset();
    t.MustLeaveTable = false;
    // A hand under way leaves the start button nothing to start, also when no
    // hand set-up came before it: a click on it would clear the table mid-hand.
    c.window.AnNiuUsed[2] = true;
    if (t.SpectatorMode) RearmTable(c);
    c.scheduler.BlinkJobOn = true;
    c.scheduler.BlinkJobTicks = 0;
    t.HandStarted = 1;
    t.InGame = true;
    for (auto* mark : f.OK) mark->setVisible(false);
    c.window.ResultPending = true;
    ++t.HandNumber;
    if (c.video.CaptureOn) f.vcap1->StopCapture();
    LayoutWall(c);
    BuildWall(c);
    // Building the wall and throwing the dice run the event loop: a table
    // left meanwhile (a reset ends the game) has no hand to start.
    if (!t.InGame) return;
    c.computer.WeakSuitStale = 1;
    if (!MarkDealer(c, msg)) {
        c.platform.dialogs->MsgBox(kDealerGone, Dialogs::OkOnly, kDefaultDialogTitle);
        RestoreLobbyWindow(c);
        c.End(QStringLiteral("the dealer of the new hand is not seated"));
    }
    if (!t.InGame) return;
    f.ZhiNan->setVisible(true);
    ShowDealerPlate(f);
    for (auto& suit : c.computer.SeenTiles) suit.fill(0);
    HideClaimButtons(c);
    ReleaseClaimButtons(c);
}

void HandleWildTileSet(Client& c, GameMessage& msg) {
    c.table.WildIndicator = static_cast<int16_t>(msg.Param[3] & 0xFF);
    c.table.WildTile = static_cast<int16_t>(msg.Param[2] & 0xFF);
}
