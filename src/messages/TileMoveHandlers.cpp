#include "wire/General.h"
#include "messages/MessageHandlers.h"
#include "messages/TableViews.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/ResourceIds.h"
#include "table/Sound.h"
#include "table/StackingOrder.h"
#include "platform/CaptureControl.h"

namespace {
constexpr int kDiscardSound = 2;
constexpr int kDealSound = 3;
constexpr int kFullVolume = 3000;
constexpr int kShowBubble = 3;
constexpr int kDealPass = 4;
constexpr int kSingleDraw = 1;

// The follow bubble beside another seat, hidden again by the scheduler's
// bubble job two seconds later.
void ShowFollowBubble(Client& c, uint8_t seatBit) {
    const int seat = LocalSeatOfBit(c, seatBit);
    if (seat == 0) return;
    MainForm& f = *c.mainForm;
    const int i = seat - 1;
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    ImageControl& bubble = *f.tsSpeak[i];
    switch (seat) {
    case 1: bubble.Move(8 * sx, 280 * sy); break;
    case 2: bubble.Move(f.Tou[2]->Left() + 0.8 * f.Tou[2]->Width(), 110 * sy); break;
    default: bubble.Move(936 * sx, 280 * sy); break;
    }
    SetPictureFromResource(c, bubble, c.resourceIds.FollowBubbleIds[i]);
    f.Speak[i]->setVisible(false);
    BringToFront(bubble);
    bubble.setVisible(true);
    c.scheduler.BubbleJobOn = true;
    c.scheduler.BubbleJobTicks = 0;
    c.table.BubbleSeat = static_cast<int16_t>(i);
}

// Discarded numbered tiles, the own included, for the computer player.
void CountSeenTile(Client& c, int tile) {
    const int suit = BitToIndex(static_cast<uint8_t>((tile >> 4) & 15));
    if (suit > 0) ++CheckedAt(c.computer.SeenTiles[suit], tile & 15, "SeenTiles");
}
}  // namespace

void HandleDealTiles(Client& c, GameMessage& msg) {
    c.table.KongDeclared = false;
    if (c.sound.EffectSoundOn) {
        PlaySoundFile(c, c.sound.WavePath[kDealSound], false);
        SetSoundVolume(c, kFullVolume);
    }
    ViewOf(c).ReceiveTiles(c, msg.SeatBit, kDealPass, msg.Param);
}

void HandleTileDrawn(Client& c, GameMessage& msg) {
    c.scheduler.ReadyCountdownOn = false;
    ViewOf(c).ReceiveTiles(c, msg.SeatBit, kSingleDraw, msg.Param);
    if (c.video.CaptureOn) c.mainForm->vcap1->StartCapture();
}

void HandleTileDiscarded(Client& c, GameMessage& msg) {
    if (c.sound.EffectSoundOn) PlaySoundFile(c, c.sound.WavePath[kDiscardSound], false);
    const int16_t tile = msg.Param[3];
    ViewOf(c).ShowDiscard(c, msg.SeatBit, tile);
    if (c.table.SpectatorMode) return;
    if (msg.Param[0] == kShowBubble) ShowFollowBubble(c, msg.SeatBit);
    CountSeenTile(c, tile);
}
