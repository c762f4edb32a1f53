#include "play/MouseDiscard.h"
#include "connection/General.h"
#include "play/CentreDiscard.h"
#include "play/ClaimAnswers.h"
#include "play/HandSorting.h"
#include "play/TilePictures.h"
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
    SeatInfo& own = c.seatInfo[0];
    const int slot = FindHandSlot(c, static_cast<int16_t>(index));
    const int tile = OwnSlot(c, slot).Tile;
    // Checked before anything changes, so that a bad value drops the click whole.
    TileFace(tile);
    const int last = own.FirstConcealed + own.ConcealedCount - 2;
    for (int i = slot; i <= last + 1; ++i) SlotImage(c, i);

    t.TimeoutStreak = 0;
    t.PromptState = 2;
    t.MustDiscard = false;
    StopTurnCountdown(c);
    SendPass(c);
    HideClaimButtons(c);
    ReleaseClaimButtons(c);

    SetDiscardTileSize(c, 0);
    SendDiscard(c, tile);
    t.LastDiscardImage = static_cast<int16_t>(index);
    t.LastDiscarder = 0;
    LayDiscardInCentre(c, 0, index, tile);
    SetHandTileSize(c, 0);

    for (int i = slot; i <= last; ++i) {
        own.Slots[i] = OwnSlot(c, i + 1);
        ImageControl& image = SlotImage(c, i);
        image.Move(own.HandX + i * t.TileWidth[0], own.HandY);
    }
    SortHand(c, 0, own.ConcealedCount - 1);
    --own.ConcealedCount;
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
