#include "play/MouseDiscard.h"
#include "wire/General.h"
#include "play/ClaimAnswers.h"
#include "play/OwnDiscard.h"
#include "play/HandSorting.h"
#include "table/TilePictures.h"
#include "play/TileSizes.h"
#include "play/TilesAfterWin.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"

namespace {
ImageControl& SlotImage(Client& c, int slot) { return TileImage(c, OwnSlot(c, slot).Image); }

bool PassButtonShows(const Client& c) { return c.mainForm->Operation[4]->isVisible(); }

// Declines the offer from the table; on the own turn the countdown keeps
// running, because the hand must still discard.
void PassFromTable(Client& c) {
    HideClaimButtons(c);
    if (!IsOwnDiscardTurn(c)) StopTurnCountdown(c);
    SendPass(c);
    ReleaseClaimButtons(c);
}

void DiscardHandTile(Client& c, int index) {
    TableState& t = c.table;
    const int slot = FindHandSlot(c, static_cast<int16_t>(index));
    // Checked before anything changes, so that a bad value drops the click whole.
    CheckOwnDiscard(c, slot);

    t.TimeoutStreak = 0;
    t.PromptState = 2;
    StopTurnCountdown(c);
    SendPass(c);
    HideClaimButtons(c);
    ReleaseClaimButtons(c);
    DiscardOwnSlot(c, slot);
}
}  // namespace

bool IsHandTileImage(Client& c, int imageIndex) { return FindHandSlot(c, static_cast<int16_t>(imageIndex)) >= 0; }

void MainForm_MJ_Image_MouseMove(Client& c, int index) {
    ImageControl& image = TileImage(c, index);
    const SeatInfo& own = c.seatInfo[0];
    const bool live = image.Top() >= own.HandY - 10 && !c.table.SpectatorMode && c.window.AnNiuUsed[2];
    if (!live || !IsHandTileImage(c, index)) {
        if (image.MousePointer() != 0) image.SetMousePointer(0);
        return;
    }
    if (image.MousePointer() != 99) image.SetMousePointer(99);
    if (image.Top() != own.HandY) return;
    for (int i = own.FirstConcealed; i < own.FirstConcealed + own.ConcealedCount; ++i) {
        ImageControl& other = SlotImage(c, i);
        if (other.Top() == own.HandY - 10) other.Move(other.Left(), own.HandY);
    }
    image.Move(image.Left(), own.HandY - 10);
}

void MainForm_MJ_Image_MouseDown(Client& c, int index, int button, int, double, double) {
    const TableState& t = c.table;
    if (t.PromptState == 3 || !c.connection.LoggedIn) return;
    TileImage(c, index);
    // A spectator only watches: it never plays for the seat.
    if (!t.SpectatorMode) {
        const bool handTile = IsHandTileImage(c, index);
        // The tile leaves the hand only together with its Discard message.
        if (handTile && t.MustDiscard && IsOwnDiscardTurn(c))
            DiscardHandTile(c, index);
        else if (!handTile && button == kRightButton && PassButtonShows(c))
            PassFromTable(c);
    }
    if (t.WinnerSeat >= 0 && t.WinnerSeat <= 3) LookAtTilesAfterWin(c, index, button);
}

void MainForm_Pic1_MouseUp(Client& c, int button, int, double, double) {
    TableState& t = c.table;
    if (!c.connection.LoggedIn || t.SpectatorMode || button != kRightButton || !PassButtonShows(c) ||
        t.PromptState > 0)
        return;
    t.PromptState = 2;
    PassFromTable(c);
    t.PromptState = 1;
}
