#include "play/ClaimAnnouncements.h"
#include "play/MeldLayout.h"
#include "play/TileSizes.h"
#include "play/PlayState.h"
#include "play/SingleKongs.h"
#include "connection/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "table/StackingOrder.h"
#include <optional>

namespace {
constexpr int kFullVolume = 3000;

struct ClaimWord {
    int wordIndex;  // into ActionWordIds
    VoiceClaim voice;
};

std::optional<ClaimWord> WordOfClaim(const Client& c, int op, int16_t tile) {
    switch (op) {
    case OperationBit::Chow: return ClaimWord{0, VoiceClaim::Chow};
    case OperationBit::Pung: return ClaimWord{1, VoiceClaim::Pung};
    case OperationBit::ExposedKong: return ClaimWord{2, VoiceClaim::Kong};
    case OperationBit::ConcealedKong: return ClaimWord{3, VoiceClaim::Kong};
    case OperationBit::SingleKong:
        switch (PileOfSingleKong(c, tile)) {
        case SingleKongPile::RedDragon: return ClaimWord{4, VoiceClaim::RedDragonKong};
        case SingleKongPile::WildTile: return ClaimWord{5, VoiceClaim::WildTileKong};
        case SingleKongPile::None: return ClaimWord{6, VoiceClaim::Kong};
        }
        break;
    case OperationBit::Win: return ClaimWord{7, VoiceClaim::Win};
    }
    return std::nullopt;
}

void ShowBubble(Client& c, int seat) {
    MainForm& f = *c.mainForm;
    ImageControl& bubble = *CheckedAt(f.Speak, seat - 1, "Speak");
    const double sx = c.table.ScaleX, sy = c.table.ScaleY;
    const ImageControl& portrait = *f.Tou[2];
    const double left = seat == 1 ? 8 * sx : seat == 2 ? portrait.Left() + 0.8 * portrait.Width() : 936 * sx;
    bubble.Move(left, (seat == 2 ? 110 : 280) * sy);
    f.Words->Move(bubble.Left() + 0.17 * bubble.Width(), bubble.Top() + 0.24 * bubble.Height());
    bubble.setVisible(true);
    f.Words->setVisible(true);
    BringToFront(bubble);
    BringToFront(*f.Words);
}

// The bubble, word picture and voice of another seat's claim; the
// scheduler's bubble job hides the bubble 2 seconds later.
void AnnounceClaim(Client& c, int op, int seat, int16_t tile) {
    MainForm& f = *c.mainForm;
    if (op >= 2) ShowBubble(c, seat);
    const std::optional<ClaimWord> word = WordOfClaim(c, op, tile);
    if (word)
        SetPictureFromResource(c, *f.Words, CheckedAt(c.resourceIds.ActionWordIds, word->wordIndex, "ActionWordIds"));
    if (c.sound.EffectSoundOn) {
        // Without a word the name stays empty: whatever plays stops and nothing follows.
        const QString voice =
            word ? VoiceFileName(c, c.playerInfo[seat], ClaimVoiceSuffix(word->voice)) : QString();
        PlaySoundFile(c, voice, false);
        SetSoundVolume(c, kFullVolume);
    }
    c.scheduler.BubbleJobTicks = 0;
    c.scheduler.BubbleJobOn = true;
    c.table.BubbleSeat = static_cast<int16_t>(seat - 1);
    for (int other = 1; other <= 3; ++other)
        if (other != seat) CheckedAt(f.Speak, other - 1, "Speak")->setVisible(false);
}

void LayClaim(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    switch (op) {
    case OperationBit::Chow:
    case OperationBit::Pung: LayChowOrPung(c, op, seat, tiles); break;
    case OperationBit::ExposedKong:
    case OperationBit::ConcealedKong: LayKong(c, op, seat, tiles); break;
    case OperationBit::SingleKong: LaySingleKong(c, seat, tiles); break;
    case OperationBit::Win: MarkFirstWinner(c, seat); break;
    }
}
}  // namespace

void ShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles) {
    SetMeldTileSizes(c);
    const int seat = LocalSeatOfBit(c, seatBit);
    if (seat != 0) AnnounceClaim(c, op, seat, tiles[2]);
    LayClaim(c, op, seat, tiles);
    RepairConcealedRow(c, seat);
    if (op == OperationBit::SingleKong) RepairSingleKongPiles(c, seat);
}
