#include "play/ClaimAnnouncements.h"
#include "play/ClaimWords.h"
#include "play/MeldLayout.h"
#include "play/TileSizes.h"
#include "shared/PlayState.h"
#include "play/SingleKongs.h"
#include "wire/General.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"

namespace {
constexpr int kFullVolume = 3000;

// The bubble, word picture and voice of another seat's claim; the
// scheduler's bubble job hides the bubble 2 seconds later.
void AnnounceClaim(Client& c, int op, int seat, int16_t tile) {
    MainForm& f = *c.mainForm;
    if (op >= 2) ShowClaimBubble(c, seat);
    const std::optional<ClaimWord> word = WordOfClaim(c, op, tile);
    if (word) ShowClaimWord(c, *word);
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
