#include "wire/General.h"
#include "play/ClaimWords.h"
#include "play/MeldLayout.h"
#include "shared/PlayState.h"
#include "play/SingleKongs.h"
#include "play/TileSizes.h"
#include "shared/Client.h"
#include "shared/RuntimeError.h"
#include "table/MainForm.h"
#include "table/Sound.h"
#include "watch/WatchMelds.h"
#include "watch/WatchSingleKongs.h"
#include "watch/WatchView.h"

namespace {
constexpr int kFullVolume = 3000;
constexpr double kAnnouncementSeconds = 2;

// Another seat's bubble, word picture and voice, and the whole client
// standing still for the announcement; codes outside the claims show the
// word last shown and say nothing.
void AnnounceClaim(Client& c, int op, int seat, int16_t tile) {
    MainForm& f = *c.mainForm;
    if (op >= 2) ShowClaimBubble(c, seat);
    const std::optional<ClaimWord> word = WordOfClaim(c, op, tile);
    if (word) ShowClaimWord(c, *word);
    if (word && c.sound.EffectSoundOn) {
        PlaySoundFile(c, VoiceFileName(c, c.playerInfo[seat], ClaimVoiceSuffix(word->voice)), false);
        SetSoundVolume(c, kFullVolume);
    }
    SleepSeconds(c, kAnnouncementSeconds);
    CheckedAt(f.Speak, seat - 1, "Speak")->setVisible(false);
    f.Words->setVisible(false);
}

void LayClaim(Client& c, int op, int seat, const std::array<int16_t, 3>& tiles) {
    switch (op) {
    case OperationBit::Chow:
    case OperationBit::Pung: LayWatchedChowOrPung(c, op, seat, tiles); break;
    case OperationBit::ExposedKong:
    case OperationBit::ConcealedKong: LayWatchedKong(c, op, seat, tiles); break;
    case OperationBit::SingleKong: LayWatchedSingleKong(c, seat, tiles); break;
    case OperationBit::Win: ColourFirstWinner(c, seat); break;
    }
}
}  // namespace

// Claims before the first rebuild of the run, and the watched seat's, are
// laid out at once and silently.
void SideShowOperation(Client& c, int16_t op, uint8_t seatBit, const std::array<int16_t, 3>& tiles) {
    SetWatchedMeldTileSizes(c);
    const int seat = LocalSeatOfBit(c, seatBit);
    if (seat != 0 && c.table.TableRebuilt) AnnounceClaim(c, op, seat, tiles[2]);
    LayClaim(c, op, seat, tiles);
    RepairConcealedRow(c, seat);
    if (op == OperationBit::SingleKong) RepairSingleKongPiles(c, seat);
}
