#include "play/ClaimAnswers.h"
#include "wire/PacketTransport.h"
#include "shared/PlayState.h"
#include "shared/Client.h"
#include "table/MainForm.h"
#include "table/TileAccess.h"
#include "table/ResourceIds.h"

namespace {
int16_t ClaimWord(int tile) { return static_cast<int16_t>((tile & 0xFFF) | TileMarker::Claim); }

void SendClaimAnswer(Client& c, int op, int16_t p1, int16_t p2, int16_t p3) {
    GameMessage message;
    message.MsgType = MessageType::ClaimAnswer;
    message.SeatBit = c.seatInfo[0].SeatBit;
    message.Param = {static_cast<int16_t>(op), p1, p2, p3};
    SendPacket(c, message);
}

// The three slots the meld being declared takes: MeldEnd − 2 to MeldEnd.
TileSlot& MeldSlot(Client& c, int offset) { return OwnSlot(c, c.seatInfo[0].MeldEnd - 2 + offset); }

// Copies two concealed slots into the first two meld slots and puts the
// claimed discard into the third, all with the meld's flag.
void MarkPairAndClaimedTile(Client& c, int slotA, int slotB, int16_t flag, int16_t claimedTile) {
    const TileSlot first = OwnSlot(c, slotA), second = OwnSlot(c, slotB);
    TileSlot& a = MeldSlot(c, 0);
    TileSlot& b = MeldSlot(c, 1);
    TileSlot& claimed = MeldSlot(c, 2);
    a = first;
    a.Flag = flag;
    b = second;
    b.Flag = flag;
    claimed.Tile = claimedTile;
    claimed.Image = c.table.LastDiscardImage;
    claimed.Flag = flag;
}

// Copies three concealed slots from `first` into the meld slots with the flag
// and queues the answer that repeats the first meld tile three times.
void SendThreeTileMeld(Client& c, int first, int16_t flag, int op) {
    for (int k = 0; k < 3; ++k) {
        const TileSlot source = OwnSlot(c, first + k);
        TileSlot& target = MeldSlot(c, k);
        target = source;
        target.Flag = flag;
    }
    const int16_t word = ClaimWord(MeldSlot(c, 0).Tile);
    SendClaimAnswer(c, op, word, word, word);
    c.table.AnswerSent = true;
}
}  // namespace

void SendPass(Client& c) {
    if (c.table.SpectatorMode || c.table.AnswerSent) return;
    SendClaimAnswer(c, OperationBit::Pass, 0, 0, 0);
    c.table.AnswerSent = true;
}

void SendChow(Client& c, int slotA, int slotB) {
    if (c.table.SpectatorMode) return;
    MarkPairAndClaimedTile(c, slotA, slotB, SlotFlag::Chow, c.table.LastDiscardTile);
    SendClaimAnswer(c, OperationBit::Chow, ClaimWord(MeldSlot(c, 0).Tile), ClaimWord(MeldSlot(c, 1).Tile),
                    ClaimWord(MeldSlot(c, 2).Tile));
    c.table.AnswerSent = true;
}

void SendPung(Client& c, int tile) {
    if (c.table.SpectatorMode) return;
    tile &= 0xFF;
    const SeatInfo& own = c.seatInfo[0];
    int16_t word = ClaimWord(tile);
    // Without a pair to claim with the offer is still answered, from the
    // claimed tile, and the slots are left alone.
    for (int i = own.FirstConcealed; i < own.FirstConcealed + own.ConcealedCount - 1; ++i)
        if (OwnSlot(c, i).Tile == tile && OwnSlot(c, i + 1).Tile == tile) {
            MarkPairAndClaimedTile(c, i, i + 1, SlotFlag::Pung, static_cast<int16_t>(tile));
            word = ClaimWord(MeldSlot(c, 0).Tile);
            break;
        }
    SendClaimAnswer(c, OperationBit::Pung, word, word, word);
    c.table.AnswerSent = true;
}

void SendExposedKong(Client& c, int slot) {
    if (c.table.SpectatorMode) return;
    SendThreeTileMeld(c, slot, SlotFlag::ExposedKong, OperationBit::ExposedKong);
}

void SendConcealedKong(Client& c, int slot) {
    if (c.table.SpectatorMode) return;
    SendThreeTileMeld(c, slot, SlotFlag::ConcealedKong, OperationBit::ConcealedKong);
}

void SendSingleKong(Client& c, int slot) {
    if (c.table.SpectatorMode) return;
    const TileSlot source = OwnSlot(c, slot);
    TileSlot& target = MeldSlot(c, 0);
    target = source;
    target.Flag = SlotFlag::SingleKong;
    SendClaimAnswer(c, OperationBit::SingleKong, 0, 0, ClaimWord(target.Tile));
    c.table.AnswerSent = true;
}

void SendWin(Client& c) {
    if (c.table.SpectatorMode) return;
    SendClaimAnswer(c, OperationBit::Win, 0, 0, 0);
}

void SendDiscard(Client& c, int tile) {
    if (c.table.SpectatorMode) return;
    GameMessage message;
    message.MsgType = MessageType::Discard;
    message.SeatBit = c.seatInfo[0].SeatBit;
    message.Param[3] = static_cast<int16_t>((tile & 0xFFF) | TileMarker::Discard);
    SendPacket(c, message);
}

void StopTurnCountdown(Client& c) {
    c.table.ActionCountdown = c.table.TurnSeconds;
    c.scheduler.TurnCountdownOn = false;
    c.scheduler.TurnCountdownTicks = 0;
    c.mainForm->Number->setVisible(false);
    c.mainForm->Time_Img->setVisible(false);
}

void HideClaimButtons(Client& c) {
    for (ImageControl* button : c.mainForm->Operation) button->setVisible(false);
}

void ClearClaimControls(Client& c) {
    MainForm& f = *c.mainForm;
    ReleaseClaimButtons(c);
    HideClaimButtons(c);
    for (auto* choices : {&f.Gang, &f.Chi})
        for (ImageControl* picture : *choices) {
            picture->setEnabled(false);
            picture->setVisible(false);
        }
}

void CloseOpenPrompt(Client& c) {
    StopTurnCountdown(c);
    ClearClaimControls(c);
}

// C++'s % keeps the sign of the count, so an empty hand (−2) is no discard turn.
bool IsOwnDiscardTurn(const Client& c) { return (c.seatInfo[0].ConcealedCount - 2) % 3 == 0; }

void ReleaseClaimButtons(Client& c) {
    for (int i = 0; i <= 4; ++i) {
        ImageControl& button = *c.mainForm->Operation[i];
        SetPictureFromResource(c, button, c.resourceIds.ActionButtonIds[3 * i]);
        button.setEnabled(false);
    }
}
